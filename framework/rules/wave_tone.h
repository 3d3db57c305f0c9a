// Sounds made in memory as 16-bit mono PCM WAV files, which every player reads: the program's own alarm
// tone, for an alarm whose media cannot play, and the tones the media tests play.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

struct ToneBurst {
    double frequency;  // in hertz; 0 for silence
    std::chrono::milliseconds duration;
};

std::vector<std::uint8_t> WaveOf(std::span<const ToneBurst> bursts, unsigned sampleRate);

// The alarm tone: four short high beeps and a pause, about a second and a half, to be played over and over.
const std::vector<std::uint8_t>& AlarmToneWave();
