#include "tests/support/wave_file.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string_view>

namespace {

// RIFF fields are little-endian whatever the host.
void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

void WriteTone(const std::filesystem::path& path, std::chrono::milliseconds duration, unsigned sampleRate) {
    constexpr std::uint32_t kBytesPerSample = 2;
    const auto samples = static_cast<std::uint32_t>(std::uint64_t{sampleRate} * duration.count() / 1000);
    const std::uint32_t dataSize = samples * kBytesPerSample;
    std::ofstream out(path, std::ios::binary);
    auto tag = [&out](std::string_view text) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    };
    tag("RIFF");
    PutLittleEndian(out, 36 + dataSize, 4);
    tag("WAVEfmt ");
    PutLittleEndian(out, 16, 4);  // size of the format chunk
    PutLittleEndian(out, 1, 2);   // PCM
    PutLittleEndian(out, 1, 2);   // mono
    PutLittleEndian(out, sampleRate, 4);
    PutLittleEndian(out, sampleRate * kBytesPerSample, 4);
    PutLittleEndian(out, kBytesPerSample, 2);
    PutLittleEndian(out, 8 * kBytesPerSample, 2);
    tag("data");
    PutLittleEndian(out, dataSize, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double level = 0.5 * std::sin(2 * std::numbers::pi * 440.0 * i / sampleRate);
        PutLittleEndian(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(level * 32767)), 2);
    }
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}
