// The open dialog's list of details shows each column whole: Qt sizes the size, type and date columns for
// short English texts, so that a size in KiB, a type such as "WAV audio" and a date with its year are cut.
// Once a folder is listed, each of those columns is made as wide as what it shows (never narrower than it
// is) and the dialog as wide as the columns then need, within the screen.
#pragma once

#include <QFileDialog>

namespace qtbackend {

void ShowColumnsWhole(QFileDialog& dialog);

}  // namespace qtbackend
