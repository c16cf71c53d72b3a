#pragma once

namespace kotohana {

// Lets the calling thread give way to every other thread of the program: work done ahead on a
// thread of its own (reading the record file at start) then takes the processor when the main
// thread, which builds and paints the first window, does not need it. Each system lowers the
// thread's priority in its own way (System_posix.cpp, System_win.cpp).
void giveWayToOtherThreads();

} // namespace kotohana
