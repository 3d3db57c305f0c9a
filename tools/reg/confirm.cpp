#include "tools/reg/confirm.h"

#include <strings.h>

#include <iostream>

namespace regtool {

bool Confirm(const std::string& question) {
    std::string answer;
    for (;;) {
        std::cout << question << " (Yes/No)? " << std::flush;
        if (!std::getline(std::cin, answer)) {
            std::cout << "\n";
            return false;
        }
        if (strcasecmp(answer.c_str(), "yes") == 0 || strcasecmp(answer.c_str(), "y") == 0) return true;
        if (strcasecmp(answer.c_str(), "no") == 0 || strcasecmp(answer.c_str(), "n") == 0) return false;
    }
}

}  // namespace regtool
