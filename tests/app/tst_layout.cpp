#include "Desk.h"
#include "ScriptedMessageBoxes.h"
#include "Widgets.h"

#include "app/Application.h"
#include "app/RestoreDialog.h"
#include "app/frmMain.h"
#include "bench/SampleData.h"
#include "bench/SamplePalettes.h"
#include "games/common/GameWindow.h"
#include "records/Services.h"
#include "ui/Chart.h"
#include "ui/Grid.h"
#include "ui/Look.h"
#include "ui/MonthView.h"
#include "ui/Theme.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QToolButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <optional>

using namespace kotohana;
using namespace kotohana::test;

namespace {

// Room the view keeps beside a cell's text, and a heading's, before it cuts the text to "…".
constexpr int kCellRoom = 6;
constexpr int kHeadingRoom = 8;

// Every cell and heading of every grid in sight must show whole: a column is at least as wide
// as its texts (a diary column, which takes the room left, cuts a longer line and shows it
// whole in a tooltip). Gives the first one that does not, or nothing.
QString firstCutText(const QWidget &window)
{
    for (const Grid *grid : window.findChildren<Grid *>()) {
        if (!grid->isVisible())
            continue;
        const QFontMetrics metrics(grid->font());
        for (int col = 0; col < grid->cols(); ++col) {
            const int width = grid->horizontalHeader()->sectionSize(col);
            for (int row = 0; row < (col == grid->fillColumn() ? 1 : grid->rows()); ++row) {
                const QString text = grid->textMatrix(row, col);
                if (metrics.horizontalAdvance(text) + (row == 0 ? kHeadingRoom : kCellRoom) > width)
                    return QStringLiteral("%1 row %2 column %3: \"%4\" in %5 px")
                        .arg(grid->objectName())
                        .arg(row)
                        .arg(col)
                        .arg(text)
                        .arg(width);
            }
        }
    }
    return {};
}

// A list in sight whose columns do not all fit, so that it scrolls sideways; or nothing.
QString firstSidewaysList(const QWidget &window)
{
    for (const Grid *grid : window.findChildren<Grid *>()) {
        if (grid->isVisible() && grid->horizontalScrollBar()->isVisible())
            return QStringLiteral("%1: %2 px of columns in %3 px")
                .arg(grid->objectName())
                .arg(grid->horizontalHeader()->length())
                .arg(grid->viewport()->width());
    }
    return {};
}

// Nor does a list in sight show its last row only in part.
QString flaws(const QWidget &window)
{
    for (const Grid *grid : window.findChildren<Grid *>()) {
        const QRect last = grid->visualRect(grid->model()->index(grid->rows() - 2, 0));
        if (grid->isVisible() && last.top() < grid->viewport()->height() && last.bottom() >= grid->viewport()->height())
            return grid->objectName() + QStringLiteral(": last row cut");
    }
    return firstCutText(window) + firstSidewaysList(window);
}

// Each control in sight that Tab reaches (not through another) with no accessible name, and
// each chart in sight that does not say what it charts. A list box gives its entry as its name.
QStringList namelessControls(const QWidget &window)
{
    QStringList nameless;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus) || control->focusProxy())
            continue;
        const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        if ((qobject_cast<QComboBox *>(control) ? control->accessibleName() : accessible->text(QAccessible::Name)).isEmpty())
            nameless << window.objectName() + QStringLiteral(": no name for ") + control->objectName();
        if (qobject_cast<Chart *>(control) && accessible->text(QAccessible::Description).isEmpty())
            nameless << window.objectName() + QStringLiteral(": no description for ") + control->objectName();
    }
    return nameless;
}

// What a screen reader misses under a node: a name (of something focusable, a picture, a
// shape, a list's heading), a list box's caption; or a page of the menu read as a check box.
void unreadable(QAccessibleInterface *node, QStringList &found)
{
    const QObject *object = node->object();
    const QString name = node->text(QAccessible::Name);
    const bool picture = object && (object->inherits("kotohana::Picture") || object->inherits("kotohana::Shape"));
    const auto labels = node->relations(QAccessible::Label); // a caption first, then the frame around
    if (node->role() == QAccessible::ComboBox
            ? (labels.isEmpty() || labels.first().first->role() != QAccessible::StaticText) && name == node->text(QAccessible::Value)
            : (name.isEmpty() && (picture || node->state().focusable || node->role() == QAccessible::ColumnHeader))
                || (node->role() == QAccessible::CheckBox && object->inherits("QPushButton")))
        found << QStringLiteral("%1 (role %2)").arg(object ? object->objectName() : QString()).arg(node->role());
    const int children = node->tableInterface() ? node->tableInterface()->columnCount() : node->childCount(); // a list's headings
    for (int i = 0; i < children; ++i)
        if (QAccessibleInterface *child = node->child(i); child && !child->state().invisible)
            unreadable(child, found);
}

void settle()
{
    QTest::qWait(20);
}

} // namespace

namespace {

// The contrast of a text with its own ground, read off the picture: the ground is the colour
// most of the area has, the text the colour that stands out of it most. The guard draws texts
// without smoothing, so their pixels have the text's own colour. 1 where nothing stands out.
double contrastIn(const QImage &picture, const QRect &area, int *marked = nullptr)
{
    const QRect inside = area.intersected(picture.rect());
    QHash<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[line[x] | 0xff000000u];
    }
    if (counts.isEmpty())
        return 21;
    const QRgb ground = std::max_element(counts.constBegin(), counts.constEnd()).key();
    double most = 1;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        most = std::max(most, contrast(QColor::fromRgb(it.key()), QColor::fromRgb(ground)));
    if (marked)
        *marked = inside.width() * inside.height() - counts.value(ground);
    return most;
}

// Each text in sight that reads at less than 4.5:1 on its own ground (3:1 at 18 pt or more),
// by the window's picture; controls that are off are let be.
QStringList faintTexts(QWidget &window)
{
    const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QStringList faint;
    const auto check = [&](const QWidget &widget, const QRect &local, const QString &text) {
        if (text.trimmed().isEmpty() || local.width() < 2 || local.height() < 2)
            return;
        const QRect area(widget.mapTo(&window, local.topLeft()), local.size());
        const double needed = widget.font().pointSizeF() >= 18 ? 3.0 : 4.5;
        const double measured = contrastIn(picture, area);
        // A list's cells are named by the list, not by its viewport.
        const QWidget &named = widget.objectName().startsWith(QLatin1String("qt_")) ? *widget.parentWidget() : widget;
        if (measured < needed)
            faint << QStringLiteral("%1 %2 \"%3\": %4:1")
                         .arg(window.objectName(),
                              named.objectName().isEmpty() ? QString::fromLatin1(named.metaObject()->className())
                                                           : named.objectName(),
                              text.left(20))
                         .arg(measured, 0, 'f', 2);
    };
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisible() || !widget->isEnabled() || widget->visibleRegion().isEmpty())
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (label->pixmap().isNull())
                check(*label, label->contentsRect(), label->text());
        } else if (qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget)) {
            QStyleOptionButton option;
            option.initFrom(widget);
            const auto contents = qobject_cast<QCheckBox *>(widget) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
            check(*widget, widget->style()->subElementRect(contents, &option, widget),
                  static_cast<QAbstractButton *>(widget)->text());
        } else if (auto *tool = qobject_cast<QToolButton *>(widget);
                   tool && !tool->icon().isNull() && tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon) {
            const int line = tool->fontMetrics().height();
            check(*tool, QRect(8, tool->height() - line - 8, tool->width() - 16, line), tool->text());
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            check(*button, button->rect().adjusted(5, 5, -5, -5), button->text());
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            check(*edit, edit->rect().adjusted(4, 4, -4, -4), edit->text());
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
            if (!combo->isEditable())
                check(*combo, field.adjusted(1, 2, -1, -2), combo->currentText());
        } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.subControls = QStyle::SC_GroupBoxLabel;
            check(*group, group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group),
                  group->title());
        } else if (auto *header = qobject_cast<QHeaderView *>(widget)) {
            for (int section = 0; section < header->count(); ++section) {
                const int at = header->sectionViewportPosition(section);
                if (header->isSectionHidden(section) || at + header->sectionSize(section) <= 0 || at >= header->viewport()->width())
                    continue;
                const QString text = header->model()->headerData(section, header->orientation()).toString();
                check(*header->viewport(), QRect(at + 2, 2, header->sectionSize(section) - 4, header->height() - 4), text);
            }
        } else if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
            QAbstractItemModel *model = view->model();
            if (!model)
                continue;
            const QRect seen = view->viewport()->rect();
            for (int row = 0; row < model->rowCount(); ++row) {
                for (int col = 0; col < model->columnCount(); ++col) {
                    const QModelIndex index = model->index(row, col);
                    const QRect cell = view->visualRect(index);
                    if (!seen.contains(cell))
                        continue;
                    check(*view->viewport(), cell.adjusted(2, 1, -2, -1), index.data().toString());
                }
                if (view->visualRect(model->index(row, 0)).top() > seen.bottom())
                    break;
            }
        } else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget)) {
            check(*plain->viewport(), plain->viewport()->rect().adjusted(2, 2, -2, -2), plain->toPlainText());
        } else if (auto *month = qobject_cast<MonthView *>(widget)) {
            const QDate first(month->yearShown(), month->monthShown(), 1);
            for (QDate day = first.addDays(-7); day < first.addDays(42); day = day.addDays(1))
                check(*month, month->dayRect(day).adjusted(2, 1, -2, -1), QString::number(day.day()));
        } else if (auto *chart = qobject_cast<Chart *>(widget)) {
            // The axis labels and the title, in the margins around the bars, where anything is drawn.
            const QRect plot = chart->chart()->plotArea().toAlignedRect();
            const QRect margins[] = {QRect(4, 0, chart->width() - 8, plot.top() - 2),
                                     QRect(2, plot.top(), plot.left() - 6, plot.height()),
                                     QRect(plot.left(), plot.bottom() + 4, plot.width(), chart->height() - plot.bottom() - 8)};
            for (const QRect &margin : margins) {
                const QRect area(chart->mapTo(&window, margin.topLeft()), margin.size());
                int marked = 0;
                const double measured = contrastIn(picture, area, &marked);
                if (marked > 8 && measured < 4.5)
                    faint << QStringLiteral("%1 %2 labels: %3:1").arg(window.objectName(), chart->objectName()).arg(measured, 0, 'f', 2);
            }
        }
    }
    return faint;
}

} // namespace

// A guard over every list of the program: at the window's default size and at the smallest
// it allows, over a data folder as a player's would look, no cell is cut and no list has to
// be scrolled sideways to show its columns; and a screen reader has a name for every control
// in sight that Tab reaches and a description of every chart.
class TestLayout : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;

    template <typename Look>
    void atBothSizes(QWidget &window, const Look &look)
    {
        const QSize opened = window.size();
        look(QStringLiteral("default size"));
        window.resize(window.minimumSize().expandedTo(window.minimumSizeHint()));
        settle();
        look(QStringLiteral("smallest size"));
        window.resize(opened);
        settle();
    }

private Q_SLOTS:
    void initTestCase()
    {
        useProgramLook(); // the texts are measured in the fonts the program shows them in
        applyTheme(*qApp);
        m_desk.emplace(QDateTime(), 5);
        m_desk->clock.set(sample::fillFolder(m_desk->folder, 400, 30));
    }

    void everyWindowReadsWhole()
    {
        // Every window opens wholly on the screen; on the smallest supported, 1280×720, at most 660 px high.
        const auto onScreen = [](const QWidget *window) {
            const QRect available = window->screen()->availableGeometry();
            return available.contains(window->frameGeometry()) && (available.height() > 720 || window->height() <= 660);
        };
        Application application(m_desk->services);
        application.state().welcomeShown = true;
        application.showMain();
        frmMain *main = application.mainWindow();
        QVERIFY(main);
        settle();
        QVERIFY(onScreen(main));
        QStringList nameless;
        const char *pages[] = {"cmdMain",    "cmdTaijyu",  "cmdRentai", "cmdCale",
                               "cmdBunseki", "cmdSyuukei", "cmdSettei", "cmdMemo"};
        atBothSizes(*main, [&](const QString &size) {
            for (const char *page : pages) {
                main->findChild<QAbstractButton *>(QString::fromLatin1(page))->click();
                settle();
                const QString cut = flaws(*main);
                QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1, %2: %3").arg(QString::fromLatin1(page), size, cut)));
                nameless << namelessControls(*main);
                unreadable(QAccessible::queryAccessibleInterface(main), nameless);
            }
            // A diary line saved, longer than its column: the list is laid out as before.
            auto *diary = main->findChild<Grid *>(QStringLiteral("msgMemoList"));
            QTest::mouseClick(diary->viewport(), Qt::LeftButton, {},
                              diary->visualRect(diary->model()->index(diary->topRow(), 5)).center());
            main->findChild<QLineEdit *>(QStringLiteral("txtMemo"))->setText(QString(70, u'長'));
            main->findChild<QAbstractButton *>(QStringLiteral("cmdMemoHozon"))->click();
            settle();
            QVERIFY2(flaws(*main).isEmpty(), qPrintable(QStringLiteral("diary saved, %1: %2").arg(size, flaws(*main))));
        });

        for (int game = 1; game <= 7; ++game) {
            application.openGame(game);
            GameWindow *window = application.gameWindow();
            QVERIFY(window);
            settle();
            QVERIFY2(onScreen(window), qPrintable(window->objectName()));
            atBothSizes(*window, [&](const QString &size) {
                const QString cut = flaws(*window);
                QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("game %1, %2: %3").arg(game).arg(size, cut)));
            });
            // The answer boxes show only in a play, 連想心理's topic history only when asked for.
            stopTimers(*window);
            startPlay(*window, m_desk->clock);
            nameless << namelessControls(*window);
            unreadable(QAccessible::queryAccessibleInterface(window), nameless);
            if (auto *topics = window->findChild<QAbstractButton *>(QStringLiteral("cmdSyousai")))
                topics->click();
            nameless << namelessControls(*window);
            m_desk->messages.answerNext(true); // leaves the play
            window->findChild<QAbstractButton *>(QStringLiteral("cmdEnd"))->click();
            settle();
            QVERIFY(onScreen(application.mainWindow()));
        }
        nameless.removeDuplicates();
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
    }
    void everyTextReads_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << sample::darkPalette();
        QTest::newRow("high contrast") << sample::highContrastPalette();
    }

    // Every page, the launcher, each game window idle, in a play and after it, the restore
    // dialog and a message box: every text in sight reads on its own ground, on a light desktop,
    // a dark one and in high contrast, the main window switched to it as it runs.
    void everyTextReads()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        const QFont font = QApplication::font();
        QFont unsmoothed = font;
        unsmoothed.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoAntialias));
        QApplication::setFont(unsmoothed);
        QStringList faint;
        const auto look = [&faint](QWidget &window) {
            settle();
            faint << faintTexts(window);
        };
        {
            Application application(m_desk->services);
            application.state().welcomeShown = true;
            application.showMain();
            frmMain *main = application.mainWindow();
            QVERIFY(main);
            // The desktop changes its look while the program runs.
            QApplication::setPalette(palette);
            for (const char *page :
                 {"cmdMain", "cmdTaijyu", "cmdRentai", "cmdCale", "cmdBunseki", "cmdSyuukei", "cmdSettei", "cmdMemo", "cmdGame"}) {
                main->findChild<QAbstractButton *>(QString::fromLatin1(page))->click();
                look(*main);
            }
            for (int game = 1; game <= 7; ++game) {
                application.openGame(game);
                GameWindow *window = application.gameWindow();
                QVERIFY(window);
                look(*window);
                stopTimers(*window);
                startPlay(*window, m_desk->clock);
                look(*window);
                m_desk->clock.advanceMilliseconds(3600 * 1000);
                window->tmrPlay_Timer();
                look(*window);
                window->findChild<QAbstractButton *>(QStringLiteral("cmdEnd"))->click();
                settle();
            }
            RestoreDialog restore(m_desk->services);
            restore.show();
            look(restore);
            QMessageBox box(QMessageBox::Warning, QStringLiteral("コトハナ"),
                            QStringLiteral("データ.txt を書き込めませんでした。"), QMessageBox::Ok | QMessageBox::Cancel);
            box.show();
            look(box);
        }
        QApplication::setPalette(before);
        QApplication::setFont(font);
        faint.removeDuplicates();
        for (const QString &text : std::as_const(faint))
            qWarning("%s", qPrintable(text));
        QVERIFY2(faint.isEmpty(), qPrintable(QStringLiteral("%1 faint texts").arg(faint.size())));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
