#include "tests/platform/win32/wave_file.h"

#include <cstdint>
#include <fstream>

#include "platform/api.h"

std::string WriteWave(const std::string& name, unsigned milliseconds) {
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + name;
    const std::uint32_t rate = 8000;
    const std::uint32_t dataSize = rate * milliseconds / 1000;
    std::ofstream file(path, std::ios::binary);
    const auto put32 = [&](std::uint32_t value) { file.write(reinterpret_cast<const char*>(&value), 4); };
    const auto put16 = [&](std::uint16_t value) { file.write(reinterpret_cast<const char*>(&value), 2); };
    file.write("RIFF", 4);
    put32(36 + dataSize);
    file.write("WAVEfmt ", 8);
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(rate);
    put32(rate);  // bytes per second at 8 bits
    put16(1);
    put16(8);
    file.write("data", 4);
    put32(dataSize);
    for (std::uint32_t i = 0; i < dataSize; ++i) file.put(static_cast<char>(128));
    return path;
}
