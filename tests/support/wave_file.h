// Sound files made by the tests themselves, so that they depend on no sample on disk: the media tests of
// both platforms play them.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

// Writes a 16-bit mono PCM WAV file holding a 440 Hz tone.
void WriteTone(const std::filesystem::path& path, std::chrono::milliseconds duration, unsigned sampleRate);

// Writes such a tone, sampled at 8 kHz, as name (UTF-8, folders included) in the temporary folder; returns
// its path in UTF-8, as the program's "A" functions take it.
std::string WriteTemporaryTone(const std::string& name, std::chrono::milliseconds duration);
