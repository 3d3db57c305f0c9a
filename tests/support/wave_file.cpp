#include "tests/support/wave_file.h"

#include <fstream>
#include <stdexcept>

#include "framework/rules/wave_tone.h"

void WriteTone(const std::filesystem::path& path, std::chrono::milliseconds duration, unsigned sampleRate) {
    const ToneBurst tone[] = {{440, duration}};
    const std::vector<std::uint8_t> wave = WaveOf(tone, sampleRate);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::string WriteTemporaryTone(const std::string& name, std::chrono::milliseconds duration) {
    // The name may hold any characters: read as the UTF-8 it is, not in the C library's code page.
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / std::filesystem::path(std::u8string(name.begin(), name.end()));
    WriteTone(path, duration, 8000);
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}
