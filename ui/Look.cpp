#include "Look.h"

#include "platform/Background.h"

#include <QApplication>
#include <QBackingStore>
#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QWidget>

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

void prepareWindowImage(QWidget &window)
{
    window.winId();
    QBackingStore *store = window.backingStore();
    if (!store)
        return;
    // The same size as the first paint asks for: the image made here is the one painted into.
    store->resize(window.size());
    if (const auto *image = dynamic_cast<const QImage *>(store->paintDevice()))
        prepareMemoryAhead(image->constBits(), static_cast<std::size_t>(image->sizeInBytes()));
}

} // namespace kotohana
