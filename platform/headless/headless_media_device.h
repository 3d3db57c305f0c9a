// The media device of the headless back end, over the desktop's media library and virtual time.
#pragma once

#include "framework/widgetset/media_device.h"
#include "platform/headless/headless_media.h"
#include "platform/headless/virtual_event_loop.h"

namespace headless {

class HeadlessMediaDevice : public MediaDevice {
  public:
    HeadlessMediaDevice(MediaLibrary& library, VirtualEventLoop& loop) : library_(library), loop_(loop) {}
    ~HeadlessMediaDevice() override;

    void Open(const std::string& fileName) override;
    void Play(std::function<void()> finished) override;
    void Close() override;
    bool PlaybackFailed() const override { return failed_; }
    void SetVolume(double volume) override;

  private:
    void CancelPlayback();

    MediaLibrary& library_;
    VirtualEventLoop& loop_;
    std::string fileName_;
    bool open_ = false;
    bool failed_ = false;
    double volume_ = 1.0;
    VirtualEventLoop::TimerId playback_ = 0;
};

}  // namespace headless
