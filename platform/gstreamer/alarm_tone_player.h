// The program's own alarm tone through GStreamer, to the same output as the media (ALARMCLOCK_AUDIO_SINK
// applies), played over and over until silenced. The tone is held in an anonymous memory file, which the
// media device opens by its /proc path like any file, so nothing is written to disk. A playback that ends
// long before the tone does counts as failed, so an output that does not keep time (a file sink without
// sync) plays it once.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "framework/widgetset/media_device.h"

namespace gstreamer {

class AlarmTonePlayer {
  public:
    AlarmTonePlayer();
    ~AlarmTonePlayer();
    AlarmTonePlayer(const AlarmTonePlayer&) = delete;
    AlarmTonePlayer& operator=(const AlarmTonePlayer&) = delete;

    // Starts the tone, or stops it. A tone that cannot play is said once on standard error, and the
    // program goes on without it.
    void Sound(bool sounding);
    // Its loudness, now and at each playback.
    void SetVolume(double volume);

  private:
    void Play();
    // At the end of each playback.
    void PlayAgain();
    void GiveUp(const std::string& why);

    int file_ = -1;
    std::chrono::steady_clock::time_point started_;
    std::unique_ptr<MediaDevice> device_;
    bool complained_ = false;
    double volume_ = 1.0;
};

}  // namespace gstreamer
