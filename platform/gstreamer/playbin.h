// One file in a GStreamer playbin: built with the outputs the environment asks for, and moved between
// the states the media device needs. Every method runs on the interface thread; GStreamer's own threads
// only post to the pipeline's bus, which the owner polls.
#pragma once

#include <gst/gst.h>

#include <string>

#include "platform/gstreamer/gst_ptr.h"

namespace gstreamer {

class Playbin {
  public:
    enum class Outcome { Playing, Ended, Failed };

    // Throws Failure when the pipeline or the output from ALARMCLOCK_AUDIO_SINK cannot be made.
    explicit Playbin(const std::string& fileName);
    ~Playbin();
    Playbin(const Playbin&) = delete;
    Playbin& operator=(const Playbin&) = delete;

    // Waits, bounded, until the first buffer is ready to play, keeping the interface alive meanwhile
    // (framework/interface_wait.h); throws Failure with GStreamer's reason.
    void Preroll();
    // Starts playing from the current position, or from the start after an end; throws Failure when the
    // pipeline refuses at once.
    void Start();
    // The amplitude of the sound, as a fraction of the file's own (playbin's volume, applied by the output
    // where it can, else by a volume element in the pipeline).
    void SetVolume(double volume);
    // What the bus reports since the last call; an error stops the pipeline.
    Outcome TakeOutcome();

  private:
    // The text of the first error waiting on the bus, or a general one when none is.
    std::string TakeErrorText();

    const Runtime& gst_ = Started();
    ObjectPtr<GstElement> pipeline_;
    bool atEnd_ = false;
};

}  // namespace gstreamer
