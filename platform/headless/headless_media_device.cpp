#include "platform/headless/headless_media_device.h"

#include "framework/exceptions.h"

namespace headless {

std::chrono::milliseconds MediaLibrary::DurationOf(const std::string& fileName) const {
    auto it = durations.find(fileName);
    return it == durations.end() ? defaultDuration : it->second;
}

HeadlessMediaDevice::~HeadlessMediaDevice() { CancelPlayback(); }

void HeadlessMediaDevice::Open(const std::string& fileName) {
    library_.log.push_back({MediaEvent::Kind::Open, fileName});
    if (library_.failToOpen.contains(fileName)) {
        throw EMCIDeviceError("Cannot open " + fileName + ": the file is not a playable media file");
    }
    fileName_ = fileName;
    open_ = true;
    library_.volume = volume_;
}

void HeadlessMediaDevice::SetVolume(double volume) {
    volume_ = volume;
    if (open_) library_.volume = volume;
}

void HeadlessMediaDevice::Play(std::function<void()> finished) {
    library_.log.push_back({MediaEvent::Kind::Play, fileName_});
    if (!open_ || library_.failToPlay.contains(fileName_)) {
        throw EMCIDeviceError("Cannot play " + fileName_ + ": the device failed");
    }
    CancelPlayback();
    failed_ = false;
    playback_ = loop_.Schedule(library_.DurationOf(fileName_), [this, finished = std::move(finished)] {
        playback_ = 0;
        failed_ = library_.failWhilePlaying.contains(fileName_);
        library_.log.push_back({MediaEvent::Kind::Finished, fileName_});
        finished();
    });
}

void HeadlessMediaDevice::Close() {
    library_.log.push_back({MediaEvent::Kind::Close, fileName_});
    CancelPlayback();
    open_ = false;
}

void HeadlessMediaDevice::CancelPlayback() {
    if (playback_ != 0) loop_.StopTimer(playback_);
    playback_ = 0;
}

}  // namespace headless
