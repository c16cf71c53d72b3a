#pragma once

#include <QStringList>

#include <thread>

class QWidget;

namespace kotohana {

// Reads the machine's font configuration on a thread of its own, from the program's first
// moment: reading it (a few ms of the configuration's files and caches) then overlaps Qt's own
// start, and the first font the program asks for finds it ready. Held until the program's
// look is set; the font configuration is read once whoever comes first.
class FontSetupAhead
{
public:
    FontSetupAhead();
    ~FontSetupAhead();
    FontSetupAhead(const FontSetupAhead &) = delete;
    FontSetupAhead &operator=(const FontSetupAhead &) = delete;

    // Waits until the configuration is read; the families of the machine's fonts that hold
    // Japanese, as the configuration lists them.
    const QStringList &japaneseFamilies();

private:
    std::thread m_reading;
    QStringList m_japaneseFamilies;
};

// Qt's own list of the machine's fonts, made on a thread of its own once Qt has started: the
// first text measured finds it made. Ends with the list made.
std::jthread listFontsAhead();

// The program's own look, set once before its first window: a Japanese font for every text,
// the first the program prefers among the given families (by default those Qt lists as
// holding Japanese), and no shaping where a text's script needs none.
void useProgramLook();
void useProgramLook(const QStringList &japaneseFamilies);

// Sets up the window's image (the memory its first picture is painted into) at the window's
// present size, and has its memory made ready on a spare core while the window is laid out;
// the first paint, which fills the whole image, then need not wait for it page by page.
void prepareWindowImage(QWidget &window);

} // namespace kotohana
