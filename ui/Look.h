#pragma once

#include <thread>

namespace kotohana {

// The program's own look, set once before its first window: a Japanese font for every text,
// the first the program prefers among those the machine has, and no shaping where a text's
// script needs none.
void useProgramLook();

// Has Qt list the machine's fonts on a thread of its own (Qt's font database may be asked from
// any thread) while the caller goes on with other work: the list takes a few ms to make, and
// useProgramLook() then finds it made. The thread ends with the list made; none where the
// system has no thread to give.
std::jthread listFontsAhead();

} // namespace kotohana
