#include "framework/rules/wave_tone.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace {

// RIFF fields are little-endian whatever the host.
void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xff));
}

void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    for (const char letter : tag) out.push_back(static_cast<std::uint8_t>(letter));
}

}  // namespace

std::vector<std::uint8_t> WaveOf(std::span<const ToneBurst> bursts, unsigned sampleRate) {
    constexpr std::uint32_t kBytesPerSample = 2;
    std::uint32_t samples = 0;
    for (const ToneBurst& burst : bursts) {
        samples += static_cast<std::uint32_t>(std::uint64_t{sampleRate} * burst.duration.count() / 1000);
    }
    const std::uint32_t dataSize = samples * kBytesPerSample;
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize);
    PutTag(out, "RIFF");
    PutLittleEndian(out, 36 + dataSize, 4);
    PutTag(out, "WAVEfmt ");
    PutLittleEndian(out, 16, 4);  // size of the format chunk
    PutLittleEndian(out, 1, 2);   // PCM
    PutLittleEndian(out, 1, 2);   // mono
    PutLittleEndian(out, sampleRate, 4);
    PutLittleEndian(out, sampleRate * kBytesPerSample, 4);
    PutLittleEndian(out, kBytesPerSample, 2);
    PutLittleEndian(out, 8 * kBytesPerSample, 2);
    PutTag(out, "data");
    PutLittleEndian(out, dataSize, 4);
    for (const ToneBurst& burst : bursts) {
        const auto count =
            static_cast<std::uint32_t>(std::uint64_t{sampleRate} * burst.duration.count() / 1000);
        for (std::uint32_t i = 0; i < count; ++i) {
            const double level = 0.5 * std::sin(2 * std::numbers::pi * burst.frequency * i / sampleRate);
            PutLittleEndian(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(level * 32767)), 2);
        }
    }
    return out;
}

const std::vector<std::uint8_t>& AlarmToneWave() {
    using std::chrono::milliseconds;
    // Near 2 kHz, where the ear is most sensitive and small speakers still play loudly.
    constexpr ToneBurst kBeep{2000, milliseconds{100}};
    constexpr ToneBurst kGap{0, milliseconds{80}};
    constexpr ToneBurst kPause{0, milliseconds{780}};
    static const ToneBurst pattern[] = {kBeep, kGap, kBeep, kGap, kBeep, kGap, kBeep, kPause};
    static const std::vector<std::uint8_t> wave = WaveOf(pattern, 22050);
    return wave;
}
