#include "tests/platform/win32/wave_file.h"

#include "platform/api.h"
#include "tests/support/wave_file.h"

std::string WriteWave(const std::string& name, unsigned milliseconds) {
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + name;
    // The name may hold any characters: read as the UTF-8 it is, not in the C library's code page.
    WriteTone(std::filesystem::path(std::u8string(path.begin(), path.end())),
              std::chrono::milliseconds(milliseconds), 8000);
    return path;
}
