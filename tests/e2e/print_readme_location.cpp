// Prints the README's path as the welcome and about texts name it. readme_install_test.sh runs a copy from
// the folder where an installation put the programs, so it answers as the installed program would.
#include <iostream>

#include "platform/readme_location.h"

int main() { std::cout << ReadmeLocation() << '\n'; }
