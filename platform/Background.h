#pragma once

#include <system_error>
#include <thread>
#include <utility>

namespace kotohana {

// Lets the calling thread give way to every other thread of the program: work done ahead on a
// thread of its own (reading the record file at start) then takes the processor when the main
// thread, which builds and paints the first window, does not need it. Each system lowers the
// thread's priority in its own way (System_posix.cpp, System_win.cpp).
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

} // namespace kotohana
