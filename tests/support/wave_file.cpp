#include "tests/support/wave_file.h"

#include <fstream>
#include <stdexcept>

#include "framework/wave_tone.h"

void WriteTone(const std::filesystem::path& path, std::chrono::milliseconds duration, unsigned sampleRate) {
    const ToneBurst tone[] = {{440, duration}};
    const std::vector<std::uint8_t> wave = WaveOf(tone, sampleRate);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}
