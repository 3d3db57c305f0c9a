// Sound files made by the tests themselves, so that they depend on no sample on disk: the media tests of
// both platforms play them.
#pragma once

#include <chrono>
#include <filesystem>

// Writes a 16-bit mono PCM WAV file holding a 440 Hz tone.
void WriteTone(const std::filesystem::path& path, std::chrono::milliseconds duration, unsigned sampleRate);
