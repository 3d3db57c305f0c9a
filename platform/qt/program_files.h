// Choosing a program to run in the open dialog: Linux programs carry no extension, so the dialog lists
// the files the user may execute ("Programs") or all files and appends nothing; it starts where programs
// are.
#pragma once

#include <QFileDialog>

namespace qtbackend {

inline constexpr const char* kProgramsFolder = "/usr/bin";

void OfferPrograms(QFileDialog& dialog);

}  // namespace qtbackend
