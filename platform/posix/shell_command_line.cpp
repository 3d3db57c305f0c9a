#include "platform/posix/shell_command_line.h"

#include <glib.h>

namespace posix {

std::optional<std::vector<std::string>> SplitParameters(const char* parameters) {
    if (parameters == nullptr) return std::vector<std::string>{};
    gint count = 0;
    gchar** words = nullptr;
    GError* error = nullptr;
    const bool parsed = g_shell_parse_argv(parameters, &count, &words, &error);
    const bool blank = !parsed && g_error_matches(error, G_SHELL_ERROR, G_SHELL_ERROR_EMPTY_STRING);
    if (error != nullptr) g_error_free(error);
    if (!parsed) return blank ? std::optional(std::vector<std::string>{}) : std::nullopt;
    std::vector<std::string> arguments(words, words + count);
    g_strfreev(words);
    return arguments;
}

}  // namespace posix
