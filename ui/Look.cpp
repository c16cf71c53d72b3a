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

// The families of the fonts that hold Japanese, as the font configuration lists them.
QStringList japaneseFamiliesOf(FcConfig *configuration)
{
    QStringList families;
    FcPattern *pattern = FcPatternCreate();
    FcLangSet *languages = FcLangSetCreate();
    FcObjectSet *wanted = FcObjectSetBuild(FC_FAMILY, nullptr);
    if (pattern && languages && wanted && FcLangSetAdd(languages, reinterpret_cast<const FcChar8 *>("ja"))
        && FcPatternAddLangSet(pattern, FC_LANG, languages)) {
        if (FcFontSet *fonts = FcFontList(configuration, pattern, wanted)) {
            for (int font = 0; font < fonts->nfont; ++font) {
                FcChar8 *family = nullptr;
                for (int n = 0; FcPatternGetString(fonts->fonts[font], FC_FAMILY, n, &family) == FcResultMatch; ++n)
                    families.append(QString::fromUtf8(reinterpret_cast<const char *>(family)));
            }
            FcFontSetDestroy(fonts);
        }
    }
    if (wanted)
        FcObjectSetDestroy(wanted);
    if (languages)
        FcLangSetDestroy(languages);
    if (pattern)
        FcPatternDestroy(pattern);
    return families;
}

} // namespace

FontSetupAhead::FontSetupAhead()
{
    const auto read = [this] {
        if (FcInit())
            m_japaneseFamilies = japaneseFamiliesOf(nullptr);
    };
    try {
        m_reading = std::thread([read] {
            giveWayToOtherThreads();
            read();
        });
    } catch (const std::system_error &) {
        // No thread to be had: the configuration is read here and now.
        read();
    }
}

FontSetupAhead::~FontSetupAhead()
{
    if (m_reading.joinable())
        m_reading.join();
}

const QStringList &FontSetupAhead::japaneseFamilies()
{
    if (m_reading.joinable())
        m_reading.join();
    return m_japaneseFamilies;
}

std::jthread listFontsAhead()
{
    return threadForOptionalWork([] { QFontDatabase::families(); });
}

void useProgramLook()
{
    useProgramLook(QFontDatabase::families(QFontDatabase::Japanese));
}

void useProgramLook(const QStringList &japaneseFamilies)
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
    const QString family = preferredJapaneseFamily(japaneseFamilies);
    if (!family.isEmpty())
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
