// The media device of the desktop back ends: one file played through a GStreamer pipeline.
//
// Open refuses what is not a regular file (see media_file.h) and prerolls the file, so that a missing,
// unreadable or non-media file fails there. Play returns at once; the device polls the pipeline's bus with
// a widgetset timer, so finished runs on the interface thread whatever event loop the back end has. An error
// during playback ends it as its end does: finished runs and the device stops; the player's owner then closes
// and reopens the file (the alarm does so before it plays again), so that a lasting cause is reported by Open.
//
// ALARMCLOCK_AUDIO_SINK, when set and non-empty, is a pipeline description that replaces the audio
// output (for instance "wavenc ! filesink location=out.wav"); video then goes nowhere.
#pragma once

#include <memory>

#include "framework/widgetset/media_device.h"

// The library's one entry, outside its namespace like the other seams the back ends call.
std::unique_ptr<MediaDevice> CreateGStreamerMediaDevice();
