#pragma once

namespace kotohana {

// The program's own look, set once before its first window: a Japanese font for every text,
// the first the program prefers among those the machine has, and no shaping where a text's
// script needs none.
void useProgramLook();

} // namespace kotohana
