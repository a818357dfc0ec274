#pragma once
// Waiting for a window while every other window keeps working: the way a caller that needs
// a dialog's answer shows it without blocking and reads the answer once it has closed.

class QWidget;

namespace bw {

// Shows the window, brings it to the front, and returns once it is hidden, finished (a
// dialog) or destroyed. Events of the whole program go on meanwhile.
void ShowAndWait(QWidget* window);

// Returns once the window is no longer visible (at once when it is not); the window is not
// shown or raised.
void WaitWhileVisible(QWidget* window);

}  // namespace bw
