#include "platform/Background.h"

#include <QTest>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace kotohana;

// The address sanitizer allocates memory its own way, away from glibc's heap.
#if defined(__SANITIZE_ADDRESS__)
#define KOTOHANA_GLIBC_HEAP 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KOTOHANA_GLIBC_HEAP 0
#endif
#endif
#if !defined(KOTOHANA_GLIBC_HEAP) && defined(__GLIBC__)
#define KOTOHANA_GLIBC_HEAP 1
#endif

class tst_background : public QObject
{
    Q_OBJECT

private slots:
    // Readying pages keeps what they hold, whether written before or not.
    void readyingKeepsTheContent()
    {
        constexpr std::size_t kBytes = 3 * 4096 + 123;
        const auto buffer = std::make_unique<unsigned char[]>(kBytes);
        std::memset(buffer.get(), 0x5a, kBytes / 2);
        makeMemoryReady(buffer.get() + 7, kBytes - 7);
        for (std::size_t i = 0; i < kBytes / 2; ++i)
            QCOMPARE(buffer[i], 0x5a);
    }

    // The room is where the next allocations go: else readying it gains nothing.
    void theNextAllocationsComeFromTheRoom()
    {
#if KOTOHANA_GLIBC_HEAP
        const HeapRoom room(std::size_t{1} << 20);
        QVERIFY(room.bytes() >= (std::size_t{1} << 20) / 2);
        const auto *begin = static_cast<const char *>(room.begin());
        void *taken = std::malloc(40000);
        const auto *at = static_cast<const char *>(taken);
        const bool inRoom = std::less_equal<>()(begin, at) && std::less<>()(at, begin + room.bytes());
        std::free(taken);
        QVERIFY(inRoom);
#else
        QSKIP("The room is set aside on glibc's own heap only.");
#endif
    }
};

QTEST_GUILESS_MAIN(tst_background)
#include "tst_background.moc"
