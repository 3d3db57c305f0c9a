// Waiting for a dialog without making it application-modal: Qt drops the tray's activations while an
// application-modal window is open, and the program needs them (and its timers and media notifications)
// while its message boxes are.
#pragma once

#include <QDialog>

namespace qtbackend {

// Shows the dialog modal to its parent window only (none: to nothing), in front, and runs the loop until
// it is finished; returns its result.
int ShowAndWait(QDialog& dialog);

}  // namespace qtbackend
