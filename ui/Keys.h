#pragma once

class QKeyEvent;
class QWidget;

namespace kotohana {

// Enter presses the focused button as the space bar does: people who work a desktop program
// by keyboard expect it of every button, not only of a dialog's. A window calls it from its
// key handler, which sees the Enter a button lets through; true when a button was pressed.
bool pressFocusedButton(const QKeyEvent &event);

// Shows the keyboard focus from the start, not only after the first Tab: a window worked by
// keyboard always shows where the next key goes.
void showFocusAlways(QWidget &window);

} // namespace kotohana
