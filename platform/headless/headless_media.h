// Media files on a headless desktop: each plays for a virtual duration, and a test can make a file fail
// to open or to play. Every open, play and close is logged.
#pragma once

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace headless {

struct MediaEvent {
    enum class Kind { Open, Play, Close, Finished };
    Kind kind;
    std::string fileName;
    bool operator==(const MediaEvent&) const = default;
};

struct MediaLibrary {
    std::chrono::milliseconds defaultDuration{3000};
    std::map<std::string, std::chrono::milliseconds> durations;
    std::set<std::string> failToOpen;
    std::set<std::string> failToPlay;
    // Files whose playback ends by a failure instead of at their end.
    std::set<std::string> failWhilePlaying;
    std::vector<MediaEvent> log;
    bool alarmTone = false;  // whether the program's own tone sounds
    // The loudness of the open file's device and of the tone, as fractions of their full amplitude.
    double volume = 1.0;
    double alarmToneVolume = 1.0;

    std::chrono::milliseconds DurationOf(const std::string& fileName) const;
};

}  // namespace headless
