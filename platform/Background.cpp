#include "Background.h"

#include <cstdint>
#include <system_error>
#include <thread>

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

namespace kotohana {

void giveWayToOtherThreads()
{
    // On Linux a thread has a niceness of its own, and this call sets the calling thread's. A
    // machine that refuses it runs the thread as it was.
    constexpr int kNiceness = 10;
    (void)setpriority(PRIO_PROCESS, 0, kNiceness);
}

void prepareMemoryAhead(const void *begin, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<std::uintptr_t>(begin) / pageSize * pageSize;
    const auto end = reinterpret_cast<std::uintptr_t>(begin) + bytes;
    try {
        // Detached: it only asks the system to fill page tables. A range let go meanwhile
        // makes the call fail, or at most readies the pages of whatever took its place.
        std::thread([first, end] {
            giveWayToOtherThreads();
            (void)madvise(reinterpret_cast<void *>(first), end - first, MADV_POPULATE_WRITE);
        }).detach();
    } catch (const std::system_error &) {
        // No thread to be had: the pages are made as they are first written.
    }
#else
    (void)begin;
    (void)bytes;
#endif
}

} // namespace kotohana
