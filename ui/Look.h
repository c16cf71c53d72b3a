#pragma once

namespace kotohana {

// The program's own look, set once before its first window: its Japanese font named beside
// the system's, and the month views' arrows drawn by the program.
void useProgramLook();

} // namespace kotohana
