#include "Background.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

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

void makeMemoryReady(const void *begin, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    if (bytes == 0)
        return;
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<std::uintptr_t>(begin) / pageSize * pageSize;
    const auto end = reinterpret_cast<std::uintptr_t>(begin) + bytes;
    // A range let go meanwhile makes the call fail, or at most readies the pages of whatever
    // took its place.
    (void)madvise(reinterpret_cast<void *>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)bytes;
#endif
}

void prepareMemoryAhead(const void *begin, std::size_t bytes)
{
    try {
        // Detached: it only asks the system to fill page tables.
        std::thread([begin, bytes] {
            giveWayToOtherThreads();
            makeMemoryReady(begin, bytes);
        }).detach();
    } catch (const std::system_error &) {
        // No thread to be had: the pages are made as they are first written.
    }
}

HeapRoom::HeapRoom(std::size_t bytes)
{
#ifdef __GLIBC__
    // Blocks smaller than those glibc maps on their own come from the heap's top, one after the
    // other. A small block after them keeps them, once freed, from going back to the system with
    // the top; freed, they join into one free range that the next allocations are carved from.
    constexpr std::size_t kBlock = 64 * 1024;
    std::vector<void *> blocks;
    blocks.reserve(bytes / kBlock);
    for (std::size_t taken = 0; taken + kBlock <= bytes; taken += kBlock) {
        if (void *block = std::malloc(kBlock))
            blocks.push_back(block);
    }
    m_fence = std::malloc(1);
    if (!blocks.empty() && m_fence) {
        const auto [lowest, highest] = std::minmax_element(blocks.cbegin(), blocks.cend(), std::less<>());
        m_begin = *lowest;
        m_bytes = static_cast<std::size_t>(static_cast<const char *>(*highest) - static_cast<const char *>(*lowest)) + kBlock;
    }
    for (void *block : blocks)
        std::free(block);
#else
    (void)bytes;
#endif
}

HeapRoom::~HeapRoom()
{
    std::free(m_fence);
}

} // namespace kotohana
