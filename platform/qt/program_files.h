// Choosing a program to run in the open dialog: Linux programs carry no extension, so the dialog lists
// the files the user may execute ("Programs") or all files, starts where programs are and appends nothing.
#pragma once

#include <QFileDialog>

namespace qtbackend {

void OfferPrograms(QFileDialog& dialog);

}  // namespace qtbackend
