#include "Look.h"

#include "platform/Background.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QProxyStyle>

#include <system_error>

#include <fontconfig/fontconfig.h>

namespace kotohana {
namespace {

// The month views' arrows. The style's own come from the desktop's icon theme, and finding an
// icon there reads the theme's index of thousands of lines: a few ms before the first window,
// for two small arrows. They are drawn here instead, in the colour of the month's heading.
class ProgramStyle final : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if ((icon == SP_ArrowLeft || icon == SP_ArrowRight) && qobject_cast<const QCalendarWidget *>(widget))
            return arrow(icon == SP_ArrowLeft, widget->palette().color(QPalette::HighlightedText));
        return QProxyStyle::standardIcon(icon, option, widget);
    }

private:
    static QIcon arrow(bool left, const QColor &colour)
    {
        QIcon icon;
        for (const int side : {16, 32}) {
            QPixmap picture(side, side);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            const qreal unit = side / 16.0;
            const QPolygonF pointingLeft{{10.5 * unit, 3 * unit}, {10.5 * unit, 13 * unit}, {4.5 * unit, 8 * unit}};
            painter.drawPolygon(left ? pointingLeft : QTransform(-1, 0, 0, 1, side, 0).map(pointingLeft));
            painter.end();
            icon.addPixmap(picture);
        }
        return icon;
    }
};

// The Japanese font the program's texts are set in: the first of those it prefers that the
// machine has, or an empty text when it has none of them (the system's choice then stays).
QString preferredJapaneseFamily(const QStringList &installed)
{
    // Gothic (sans-serif) faces, the usual for a program's texts, Debian's own first.
    static const char *const preferred[] = {"Noto Sans CJK JP", "Noto Sans JP", "Source Han Sans JP", "IPAexGothic",
                                            "IPAPGothic",       "VL PGothic",   "TakaoPGothic",       "M+ 1c"};
    for (const char *family : preferred) {
        if (installed.contains(QString::fromUtf8(family), Qt::CaseInsensitive))
            return QString::fromUtf8(family);
    }
    return {};
}

} // namespace

FontSetupAhead::FontSetupAhead()
{
    try {
        m_reading = std::thread([] {
            giveWayToOtherThreads();
            FcInit();
        });
    } catch (const std::system_error &) {
        // No thread to be had: Qt reads the configuration itself, when it first needs a font.
    }
}

FontSetupAhead::~FontSetupAhead()
{
    wait();
}

void FontSetupAhead::wait()
{
    if (m_reading.joinable())
        m_reading.join();
}

void useProgramLook()
{
    QApplication::setStyle(new ProgramStyle);
    // Nearly every text is Japanese, and every text is set in one Japanese font, its own Latin
    // letters and digits included, as a Japanese desktop sets its texts. Left to the system,
    // each size and weight would start from a Latin font and look for the Japanese one among
    // every font the machine has, loading several on the way; with one font named, each size
    // and weight loads that one alone.
    const QString family = preferredJapaneseFamily(QFontDatabase::families(QFontDatabase::Japanese));
    if (family.isEmpty())
        return;
    QFont font = QApplication::font();
    font.setFamilies(QStringList{family});
    QApplication::setFont(font);
}

} // namespace kotohana
