#include "Background.h"

#include <sys/resource.h>

namespace kotohana {

void giveWayToOtherThreads()
{
    // On Linux a thread has a niceness of its own, and this call sets the calling thread's. A
    // machine that refuses it runs the thread as it was.
    constexpr int kNiceness = 10;
    (void)setpriority(PRIO_PROCESS, 0, kNiceness);
}

} // namespace kotohana
