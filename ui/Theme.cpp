#include "Theme.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kotohana {
namespace {

// A colour of the look: fixed in the light and the dark look, and in high contrast one of the
// desktop's own palette colours, so that a white-on-black and a black-on-white high-contrast
// theme both come out as they should.
struct LookColour {
    QRgb light;
    QRgb dark;
    QPalette::ColorRole highContrast;
};

// The program's own fills, by their light form. In the dark look each is a deep shade of the
// same hue on which white text reads, even where the style lightens a button's face toward its
// top; the year grid's steps grow lighter with the time played there, as they grow darker on
// the light look. Lamps keep their light colours in the dark: lit, they glow.
struct ProgramColour {
    QRgb key;
    QRgb dark;
};
constexpr ProgramColour kProgramColours[] = {
    {0xffffffff, 0xff3a3a3a}, // a day without play, an open window, a lamp that is off
    {0xffffc0c0, 0xff602424}, // light red: the calendar's fewest plays, the first lamp
    {0xffffe0c0, 0xff603d1c}, // light orange
    {0xffffffc0, 0xff4e4b17}, // light yellow, a lit chart button
    {0xffc0ffc0, 0xff1f4e1f}, // light green, a right answer
    {0xffc0ffff, 0xff174a4e}, // light blue-green, a pressed filter
    {0xffc0c0ff, 0xff2c3270}, // light blue: the calendar's most plays, the year grid's first step
    {0xffffc0ff, 0xff562256}, // light purple, the seventh lamp
    {0xfffffff0, 0xff3a3a30}, // プラマイ's empty box
    {0xff8080e8, 0xff5060be}, // the year grid's second step
    {0xff4848be, 0xff8296eb}, // its third
    {0xff202078, 0xffc8d2ff}, // its fourth
    {0xff6eaae6, 0xff4682c8}, // the bar of time left
};

// The year grid's steps in high contrast: black to white, the grey between telling them apart.
constexpr QRgb kHighContrastSteps[] = {0xff000000, 0xff5a5a5a, 0xff8c8c8c, 0xffc8c8c8, 0xffffffff};

// Text colours of the program that change with the look; in high contrast the palette's text.
struct TextColour {
    QRgb key;
    QRgb light;
    QRgb dark;
};
constexpr TextColour kTextColours[] = {
    {0xffff0000, 0xffc80000, 0xffff9696}, // the totals row
};

// カラパニ's inks on its white card, the same in every look: its yellow and green are deepened
// to be read there.
constexpr std::pair<QRgb, QRgb> kCardInks[] = {{0xffc0c000, 0xffa08800}, {0xff00c000, 0xff009600}};

constexpr LookColour kPaints[] = {
    {0xffe07000, 0xffff9a3c, QPalette::Highlight}, // Focus
    {0xffd02020, 0xffff8080, QPalette::Text}, // Weekend
    {0x3c000000, 0x46ffffff, QPalette::WindowText}, // DayEdge
    {0xffc82828, 0xffff7870, QPalette::WindowText}, // Best
    {0xff4f81bd, 0xff6fa1dd, QPalette::Highlight}, // Series1
    {0xfff09646, 0xfff0a060, QPalette::WindowText}, // Series2
    {0xff6ab05a, 0xff80c870, QPalette::Mid}, // Series3
};

// The colours the style sheets name.
struct NamedColour {
    const char *name;
    LookColour colour;
};
constexpr NamedColour kNamedColours[] = {
    {"menuBack", {0xffeef3f8, 0xff262b31, QPalette::Window}},
    {"menuEdge", {0xffc9d4df, 0xff4a5561, QPalette::WindowText}},
    {"menuButton", {0xffffffff, 0xff353c44, QPalette::Button}},
    {"menuText", {0xff000000, 0xfff0f0f0, QPalette::ButtonText}},
    {"menuButtonEdge", {0xffb7c4d1, 0xff5f6b78, QPalette::ButtonText}},
    {"menuHover", {0xfff6fbff, 0xff414a54, QPalette::Button}},
    {"menuPressed", {0xffdceaf6, 0xff2f4a63, QPalette::Button}},
    {"menuChecked", {0xffd3e4f4, 0xff2b4b6b, QPalette::Highlight}},
    {"menuCheckedText", {0xff1f4e79, 0xffffffff, QPalette::HighlightedText}},
    {"menuCheckedEdge", {0xff5b8db8, 0xff8ab8e6, QPalette::Highlight}},
    {"menuFocus", {0xff5b8db8, 0xff8ab8e6, QPalette::Highlight}},
    {"menuDisabled", {0xfff3f5f7, 0xff2c3137, QPalette::Button}},
    {"menuDisabledText", {0xff9aa5b0, 0xff7d8791, QPalette::PlaceholderText}},
    {"gameButton", {0xffffe9c7, 0xff5a4320, QPalette::Button}},
    {"gameButtonEdge", {0xffe0a95a, 0xffc08a3c, QPalette::ButtonText}},
    {"gameHover", {0xfffff1dc, 0xff6a5028, QPalette::Button}},
    {"quitButton", {0xfff7e6e6, 0xff553333, QPalette::Button}},
    {"quitEdge", {0xffd2a6a6, 0xffa07070, QPalette::ButtonText}},
    {"title", {0xff3d6a93, 0xff9cc7ee, QPalette::WindowText}},
    {"launcherBack", {0xfffaf7f0, 0xff2a2620, QPalette::Window}},
    {"launcherEdge", {0xffd8cdb8, 0xff5a5040, QPalette::WindowText}},
    {"tile", {0xffffffff, 0xff3a342b, QPalette::Button}},
    {"tileText", {0xff000000, 0xfff5f0e8, QPalette::ButtonText}},
    {"tileHover", {0xfffff6e6, 0xff4a4236, QPalette::Button}},
    {"tileFocus", {0xfffff1dc, 0xff5a4a30, QPalette::Button}},
    {"tileFocusEdge", {0xffc77c1e, 0xfff0a848, QPalette::Highlight}},
    {"tileDisabled", {0xfff4f1ea, 0xff2e2a24, QPalette::Button}},
    {"tileDisabledText", {0xffa8a8a8, 0xff807868, QPalette::PlaceholderText}},
    {"launcherTitle", {0xff7a5a2a, 0xffe6c48e, QPalette::WindowText}},
};

const char *const kThemedColour = "kotohanaThemedColour";
const char *const kThemedRole = "kotohanaThemedRole";
const char *const kThemedUse = "kotohanaThemedUse";
const char *const kThemedText = "kotohanaThemedText";

QColor colourOf(const LookColour &colour)
{
    const QPalette palette = QGuiApplication::palette();
    switch (lookOf(palette)) {
    case Look::Light:
        return QColor::fromRgba(colour.light);
    case Look::Dark:
        return QColor::fromRgba(colour.dark);
    case Look::HighContrast:
        break;
    }
    return palette.color(colour.highContrast);
}

const ProgramColour *programColour(QRgb rgb)
{
    const auto found = std::find_if(std::begin(kProgramColours), std::end(kProgramColours),
                                    [rgb](const ProgramColour &c) { return c.key == rgb; });
    return found == std::end(kProgramColours) ? nullptr : found;
}

double luminance(const QColor &colour)
{
    const auto channel = [](double value) { return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

QPalette::ColorRole textRoleOn(QPalette::ColorRole back)
{
    switch (back) {
    case QPalette::Base:
        return QPalette::Text;
    case QPalette::Button:
        return QPalette::ButtonText;
    default:
        return QPalette::WindowText;
    }
}

// In high contrast the style draws the edges of boxes, lists and check marks in the window's
// own black; these rules draw them in the text's colour, so that every box shows where it is.
const char *const kHighContrastSheet = R"(
QLineEdit, QComboBox, QTableView, QTreeView, QListView, QPlainTextEdit, QTextEdit { border: 1px solid palette(window-text); }
QCheckBox::indicator, QRadioButton::indicator { width: 12px; height: 12px; border: 1px solid palette(window-text); }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: palette(window-text); }
)";

// The application's own style rules: those of high contrast, or none.
void applyHighContrastSheet()
{
    const QString sheet = currentLook() == Look::HighContrast ? QString::fromUtf8(kHighContrastSheet) : QString();
    if (qApp->styleSheet() != sheet)
        qApp->setStyleSheet(sheet);
}

void applyThemedColours(QWidget &widget)
{
    const QVariant colour = widget.property(kThemedColour);
    if (colour.isValid()) {
        const auto back = QPalette::ColorRole(widget.property(kThemedRole).toInt());
        const auto use = ColourUse(widget.property(kThemedUse).toInt());
        const QColor key = colour.value<QColor>();
        const QPalette desktop = QGuiApplication::palette();
        const Tint shown = isProgramColour(key) ? tint(key, use)
                                                : Tint{desktop.color(QPalette::Button), desktop.color(QPalette::ButtonText)};
        QPalette p = widget.palette();
        p.setColor(back, shown.fill);
        p.setColor(textRoleOn(back), shown.text);
        widget.setPalette(p);
    }
    const QVariant text = widget.property(kThemedText);
    if (text.isValid()) {
        QPalette p = widget.palette();
        p.setColor(QPalette::WindowText, paint(Paint(text.toInt())));
        widget.setPalette(p);
    }
}

} // namespace

Look lookOf(const QPalette &palette)
{
    const int window = palette.color(QPalette::Window).lightness();
    const int text = palette.color(QPalette::WindowText).lightness();
    // The desktops' high-contrast themes set pure black against pure white.
    if ((window <= 8 && text >= 247) || (window >= 247 && text <= 8))
        return Look::HighContrast;
    return window < 128 ? Look::Dark : Look::Light;
}

Look currentLook()
{
    return lookOf(QGuiApplication::palette());
}

ThemeWatcher::ThemeWatcher(QObject *parent)
    : QObject(parent)
{
}

bool ThemeWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance()) {
        // Any new palette, of the same look or not, gives the button faces and the texts anew.
        applyHighContrastSheet();
        for (QWidget *widget : QApplication::allWidgets()) {
            applyThemedColours(*widget);
            widget->update();
        }
        Q_EMIT lookChanged();
    }
    return QObject::eventFilter(watched, event);
}

ThemeWatcher &themeWatcher()
{
    static QPointer<ThemeWatcher> watcher;
    if (!watcher) {
        watcher = new ThemeWatcher(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watcher);
    }
    return *watcher;
}

void applyTheme(QApplication &)
{
    themeWatcher();
    applyHighContrastSheet();
}

bool isProgramColour(const QColor &colour)
{
    return programColour(colour.rgba()) != nullptr;
}

Tint tint(const QColor &programColour, ColourUse use)
{
    const ProgramColour *entry = kotohana::programColour(programColour.rgba());
    if (!entry)
        return {programColour, readableOn(programColour)};
    QColor fill = programColour;
    const QPalette palette = QGuiApplication::palette();
    switch (lookOf(palette)) {
    case Look::Light:
        break;
    case Look::Dark:
        if (use != ColourUse::Lamp || programColour == QColor(Qt::white))
            fill = QColor::fromRgba(entry->dark);
        break;
    case Look::HighContrast: {
        // Text and lightness carry the meaning: the count in a day, the highlight of what is on.
        // Cells keep the dark look's deep hues under white text, for those who tell them apart.
        const bool off = programColour == QColor(Qt::white);
        switch (use) {
        case ColourUse::Cell:
            fill = off ? palette.color(QPalette::Base) : QColor::fromRgba(entry->dark);
            break;
        case ColourUse::Lit:
        case ColourUse::Lamp:
            fill = palette.color(off ? QPalette::Base : QPalette::Highlight);
            break;
        case ColourUse::Step: {
            constexpr QRgb steps[] = {0xffffffff, 0xffc0c0ff, 0xff8080e8, 0xff4848be, 0xff202078};
            const auto step = std::find(std::begin(steps), std::end(steps), programColour.rgba());
            fill = QColor::fromRgba(step == std::end(steps) ? kHighContrastSteps[0] : kHighContrastSteps[step - std::begin(steps)]);
            break;
        }
        }
        break;
    }
    }
    return {fill, readableOn(fill)};
}

QColor textColour(const QColor &programColour)
{
    const auto found = std::find_if(std::begin(kTextColours), std::end(kTextColours),
                                    [rgb = programColour.rgba()](const TextColour &c) { return c.key == rgb; });
    if (found == std::end(kTextColours))
        return programColour;
    const QPalette palette = QGuiApplication::palette();
    switch (lookOf(palette)) {
    case Look::Light:
        return QColor::fromRgba(found->light);
    case Look::Dark:
        return QColor::fromRgba(found->dark);
    case Look::HighContrast:
        break;
    }
    return palette.color(QPalette::Text);
}

QColor inkOnCard(const QColor &ink)
{
    const auto found = std::find_if(std::begin(kCardInks), std::end(kCardInks),
                                    [rgb = ink.rgba()](const auto &pair) { return pair.first == rgb; });
    return found == std::end(kCardInks) ? ink : QColor::fromRgba(found->second);
}

QColor readableOn(const QColor &fill)
{
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(fill, black) >= contrast(fill, white) ? black : white;
}

QColor quietText(const QColor &text, const QColor &ground)
{
    // Texts need 4.5:1; a little more keeps rounding of the pixels from going under it.
    constexpr double kReadable = 4.7;
    QColor quiet = text;
    for (int share = 1; share <= 10; ++share) {
        const double f = share / 20.0;
        const QColor mixed = QColor::fromRgbF(float(text.redF() + (ground.redF() - text.redF()) * f),
                                              float(text.greenF() + (ground.greenF() - text.greenF()) * f),
                                              float(text.blueF() + (ground.blueF() - text.blueF()) * f));
        if (contrast(mixed, ground) < kReadable)
            break;
        quiet = mixed;
    }
    return quiet;
}

QColor paint(Paint name)
{
    return colourOf(kPaints[int(name)]);
}

QString themedStyleSheet(const char *sheet)
{
    QString themed = QString::fromUtf8(sheet);
    for (const NamedColour &named : kNamedColours) {
        const QColor colour = colourOf(named.colour);
        themed.replace(QLatin1Char('{') + QLatin1String(named.name) + QLatin1Char('}'),
                       colour.name(colour.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb));
    }
    return themed;
}

void setThemedColours(QWidget &widget, const QColor &programColour, QPalette::ColorRole back, ColourUse use)
{
    widget.setProperty(kThemedColour, programColour);
    widget.setProperty(kThemedRole, int(back));
    widget.setProperty(kThemedUse, int(use));
    applyThemedColours(widget);
}

void setThemedText(QWidget &widget, Paint name)
{
    widget.setProperty(kThemedText, int(name));
    applyThemedColours(widget);
}

double contrast(const QColor &a, const QColor &b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

} // namespace kotohana
