// The media seam: a back end's player for one media file at a time. Failures are thrown as
// EMCIDeviceError naming the file and the cause.
#pragma once

#include <functional>
#include <string>

class MediaDevice {
  public:
    virtual ~MediaDevice() = default;
    // Opens the file and makes it ready to play from its start.
    virtual void Open(const std::string& fileName) = 0;
    // Starts playing and returns at once; finished runs on the interface thread when the playback ends,
    // never after Close or destruction.
    virtual void Play(std::function<void()> finished) = 0;
    virtual void Close() = 0;
    // Whether the last playback ended by a failure rather than at the file's end.
    virtual bool PlaybackFailed() const = 0;
    // The loudness of this and later playbacks, as a fraction of the file's own amplitude (0 to 1); a device
    // that cannot change it plays at the file's own.
    virtual void SetVolume(double volume) = 0;
};
