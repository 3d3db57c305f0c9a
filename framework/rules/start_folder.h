// Where an open dialog starts, as a rule the back ends share: in the folder of the file chosen before while
// that folder is there, else in the first of the desktop's places for the kind of file that is there.
#pragma once

#include <string>
#include <vector>

// Empty when neither the file's folder nor any of the places is there: the dialog's own choice.
std::string StartFolder(const std::string& chosenBefore, const std::vector<std::string>& places);
