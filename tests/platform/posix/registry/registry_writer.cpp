// Test helper: writes COUNT REG_SZ values named TAG0, TAG1, ... into HKEY_CURRENT_USER\KEY, printing each
// index on standard output once its write has been acknowledged. Tests kill it at random moments. With
// "unit" the writes are one unit of writes; with "unended" too, but the unit is never ended.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/api.h"
#include "platform/registry_error_text.h"

namespace {

int Fail(LSTATUS status) {
    std::fprintf(stderr, "registry_writer: %s\n", RegistryErrorText(status).c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 5 ? argv[4] : "";
    if ((argc != 4 && argc != 5) || (argc == 5 && mode != "unit" && mode != "unended")) {
        std::fprintf(stderr, "usage: registry_writer KEY TAG COUNT [unit|unended]\n");
        return 2;
    }
    HKEY key = nullptr;
    LSTATUS status =
        RegCreateKeyExA(HKEY_CURRENT_USER, argv[1], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return Fail(status);
    if (!mode.empty() && (status = BeginRegistryWrites()) != ERROR_SUCCESS) return Fail(status);
    long count = std::atol(argv[3]);
    for (long i = 0; i < count; ++i) {
        std::string name = argv[2] + std::to_string(i);
        std::string data = std::string(argv[1]) + ":" + std::to_string(i);
        status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>(data.size() + 1));
        if (status != ERROR_SUCCESS) return Fail(status);
        std::string line = std::to_string(i) + "\n";
        if (write(1, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return 1;
    }
    if (mode == "unit" && (status = EndRegistryWrites(TRUE)) != ERROR_SUCCESS) return Fail(status);
    return RegCloseKey(key) == ERROR_SUCCESS ? 0 : 1;
}
