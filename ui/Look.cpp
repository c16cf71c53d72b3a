#include "Look.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <system_error>

namespace kotohana {
namespace {

// The Japanese font the program's texts are set in: the first of those it prefers that the
// machine has, or an empty text when it has none of them (the system's choice then stays).
QString preferredJapaneseFamily(const QStringList &installed)
{
    // Gothic (sans-serif) faces, the usual for a program's texts: Debian's own first, then those
    // of other Linux systems, then Windows' own.
    static const char *const preferred[] = {"Noto Sans CJK JP", "Noto Sans JP", "Source Han Sans JP",
                                            "IPAexGothic",      "IPAPGothic",   "VL PGothic",
                                            "TakaoPGothic",     "M+ 1c",        "Yu Gothic UI",
                                            "Meiryo UI",        "Meiryo",       "MS UI Gothic"};
    for (const char *family : preferred) {
        if (installed.contains(QString::fromUtf8(family), Qt::CaseInsensitive))
            return QString::fromUtf8(family);
    }
    return {};
}

} // namespace

void useProgramLook()
{
    // Nearly every text is Japanese, and every text is set in one Japanese font, its own Latin
    // letters and digits included, as a Japanese desktop sets its texts. Left to the system,
    // each size and weight would start from a Latin font and look for the Japanese one among
    // every font the machine has, loading several on the way; with one font named, each size
    // and weight loads that one alone.
    //
    // Texts are not shaped where their script needs no shaping to be read: Japanese and Latin
    // texts then take their glyphs and widths straight from the font (without kerning, which
    // the program's texts barely use), and each size and weight saves building the shaping
    // tables of a large Japanese font before the first window shows. Scripts that need shaping
    // are still shaped.
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    const QString family = preferredJapaneseFamily(QFontDatabase::families(QFontDatabase::Japanese));
    if (!family.isEmpty())
        font.setFamilies(QStringList{family});
    QApplication::setFont(font);
}

std::jthread listFontsAhead()
{
    try {
        return std::jthread([] { QFontDatabase::families(); });
    } catch (const std::system_error &) {
        return {};
    }
}

} // namespace kotohana
