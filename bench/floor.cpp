// The floor of the start benchmark: Qt's own start, its platform plugin and a Japanese font, as
// a window with one Japanese label. Like the program with KOTOHANA_REPORT_FIRST_PAINT set, it
// writes a line as the window first paints, then ends.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdio>

namespace {

class FirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("コトハナ　今日のプレイ"));
    label.resize(320, 120);
    label.installEventFilter(new FirstPaint(&app));
    label.show();
    return app.exec();
}
