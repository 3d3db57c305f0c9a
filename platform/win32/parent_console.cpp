// A GUI program's standard output and error go nowhere, even when started from a command prompt: they are
// joined to that prompt's console, unless they were redirected already (to a file or a pipe).
#include <cstdio>

#include "platform/api.h"

namespace {

bool Redirected(DWORD handle) {
    const HANDLE stream = GetStdHandle(handle);
    return stream != nullptr && stream != INVALID_HANDLE_VALUE && GetFileType(stream) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void UseParentConsole() {
    const bool output = Redirected(STD_OUTPUT_HANDLE), error = Redirected(STD_ERROR_HANDLE);
    if ((output && error) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!output) std::freopen("CONOUT$", "w", stdout);
    if (!error) std::freopen("CONOUT$", "w", stderr);
}
