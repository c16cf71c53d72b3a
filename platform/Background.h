#pragma once

#include <cstddef>
#include <system_error>
#include <thread>
#include <utility>

namespace kotohana {

// Lets the calling thread give way to every other thread of the program: work done ahead on a
// thread of its own (reading the record file at start, the font configuration) then takes the
// processor when the main thread, which builds and paints the first window, does not need it.
void giveWayToOtherThreads();

// A thread of its own doing work that may as well be left undone: none (an empty thread, the
// work not done) where the system has no thread to give.
template <typename Work>
std::jthread threadForOptionalWork(Work &&work)
{
    try {
        return std::jthread(std::forward<Work>(work));
    } catch (const std::system_error &) {
        return {};
    }
}

// Has the memory pages of [begin, begin + bytes) made ready for writing, on a thread of its own
// that gives way to the others: the first write to each page then finds it there instead of
// stopping the writing thread to have it made. Only a hint: memory that is let go meanwhile,
// or a system without the means, leaves everything as it was.
void prepareMemoryAhead(const void *begin, std::size_t bytes);

// The same, on the calling thread.
void makeMemoryReady(const void *begin, std::size_t bytes);

// Room set aside at the top of the heap for what the program allocates next: the allocator
// carves the next allocations out of it, and its pages can be made ready ahead of them
// (makeMemoryReady). The room stays the heap's own; without the means it is empty.
class HeapRoom
{
public:
    explicit HeapRoom(std::size_t bytes);
    ~HeapRoom();
    HeapRoom(const HeapRoom &) = delete;
    HeapRoom &operator=(const HeapRoom &) = delete;

    const void *begin() const { return m_begin; }
    std::size_t bytes() const { return m_bytes; }

private:
    const void *m_begin = nullptr;
    std::size_t m_bytes = 0;
    void *m_fence = nullptr;
};

} // namespace kotohana
