#include "Look.h"

#include "platform/Background.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <system_error>

#include <fontconfig/fontconfig.h>

namespace kotohana {
namespace {

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
