#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QString>

class QApplication;
class QWidget;

namespace kotohana {

// The program's colours, in one table with a light, a dark and a high-contrast variant. The
// look follows the desktop's palette: dark when its window colour is dark, high contrast when
// its window and text colours are black and white (either way round), light otherwise; and it
// follows the desktop again when its palette changes.
//
// The program names its own colours by their light form, the &HBBGGRR colours it has always
// had (a lit button's light yellow, a calendar day's pastel): a widget keeps that name, so a
// page can still read back which button it lit, and paints the colour the look gives for it.
enum class Look { Light, Dark, HighContrast };

Look lookOf(const QPalette &palette);
// The look of the application's palette now.
Look currentLook();

// Chooses the look from the desktop's palette and has it chosen again, and every coloured
// widget painted anew, whenever the palette changes. Called once, as the program's look is set.
void applyTheme(QApplication &application);

// Says when the look changed, after the palette did.
class ThemeWatcher final : public QObject
{
    Q_OBJECT

public:
    explicit ThemeWatcher(QObject *parent);

Q_SIGNALS:
    void lookChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The watcher of the running application, made on first use.
ThemeWatcher &themeWatcher();

// What a colour of the program stands for, where one colour has two uses.
enum class ColourUse {
    Cell, // a cell's or a label's back colour, the day of a calendar: its text keeps the meaning
    Lit, // a lit button: the one on among its group
    Lamp, // a lit or dark lamp
    Step, // a step of the year grid, lighter or darker by the time played
};

// A fill and the text that reads on it.
struct Tint {
    QColor fill;
    QColor text;
};

// The look's fill for a colour of the program and the text for it. A colour that is none of
// the program's own is the desktop's button face, or a colour that stays (a game's picture).
Tint tint(const QColor &programColour, ColourUse use = ColourUse::Cell);
bool isProgramColour(const QColor &colour);
// The look's text colour for a text colour of the program (the totals row's red).
QColor textColour(const QColor &programColour);
// An ink of カラパニ as it shows on the game's white card.
QColor inkOnCard(const QColor &ink);
// Black or white, whichever reads better on the fill.
QColor readableOn(const QColor &fill);

// A text set back from the others, as far toward its ground as it may go and still be read.
QColor quietText(const QColor &text, const QColor &ground);

// The colours the program paints with, by name.
enum class Paint {
    Focus, // a focus frame drawn by the program
    Weekend, // Sunday and Saturday in the month view
    DayEdge, // the edge of a day in the year grid
    Best, // the "best play" note
    Series1,
    Series2,
    Series3,
};
QColor paint(Paint name);

// A style sheet with every {name} in it replaced by that colour of the look; the names are
// the table's (menuBack, tile, focusEdge...).
QString themedStyleSheet(const char *sheet);

// Gives the widget the look's fill and text for a program colour, in its back colour role
// (Window for a label, Base for a box), and gives them again when the look changes. A colour
// that is none of the program's is the desktop's button face.
void setThemedColours(QWidget &widget, const QColor &programColour, QPalette::ColorRole back = QPalette::Window,
                      ColourUse use = ColourUse::Cell);
// Gives the widget the look's colour for a program text colour, again when the look changes.
void setThemedText(QWidget &widget, Paint name);

// The contrast of two colours, from 1:1 to 21:1, by their relative luminance.
double contrast(const QColor &a, const QColor &b);

} // namespace kotohana
