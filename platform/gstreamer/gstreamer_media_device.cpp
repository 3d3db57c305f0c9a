#include "platform/gstreamer/gstreamer_media_device.h"

#include <optional>

#include "framework/exceptions.h"
#include "framework/widgetset/widgetset.h"
#include "platform/gstreamer/gstreamer_failure.h"
#include "platform/gstreamer/gstreamer_runtime.h"
#include "platform/gstreamer/media_file.h"
#include "platform/gstreamer/playbin.h"

namespace gstreamer {
namespace {

// Often enough that the end of an alarm sound is noticed at once, rarely enough to cost nothing.
constexpr unsigned kPollIntervalMs = 100;

class Device final : public MediaDevice {
  public:
    ~Device() override { Close(); }

    void Open(const std::string& fileName) override {
        Close();
        shownName_ = NameInMessages(fileName);
        try {
            // First: without GStreamer no file plays, whatever it is.
            Started();
            CheckMediaFile(fileName);
            auto playbin = std::make_unique<Playbin>(fileName);
            playbin->SetVolume(volume_);
            playbin->Preroll();
            playbin_ = std::move(playbin);
        } catch (const Failure& failure) {
            throw EMCIDeviceError("Cannot open " + shownName_ + ": " + failure.what());
        }
    }

    void Play(std::function<void()> finished) override {
        if (!playbin_) throw EMCIDeviceError("Cannot play " + shownName_ + ": no file is open");
        StopPolling();
        try {
            playbin_->Start();
        } catch (const Failure& failure) {
            throw EMCIDeviceError("Cannot play " + shownName_ + ": " + failure.what());
        }
        failed_ = false;
        finished_ = std::move(finished);
        poll_ = CurrentWidgetset().StartTimer(kPollIntervalMs, [this] { Poll(); });
    }

    void Close() override {
        StopPolling();
        playbin_.reset();
    }

    bool PlaybackFailed() const override { return failed_; }

    void SetVolume(double volume) override {
        volume_ = volume;
        if (playbin_) playbin_->SetVolume(volume);
    }

  private:
    void Poll() {
        const Playbin::Outcome outcome = playbin_->TakeOutcome();
        if (outcome == Playbin::Outcome::Playing) return;
        failed_ = outcome == Playbin::Outcome::Failed;
        auto finished = std::move(finished_);
        StopPolling();
        // The handler may close, reopen or free this device: nothing of it is touched afterwards.
        if (finished) finished();
    }

    void StopPolling() {
        if (poll_) CurrentWidgetset().StopTimer(*poll_);
        poll_.reset();
        finished_ = nullptr;
    }

    std::string shownName_;
    std::unique_ptr<Playbin> playbin_;
    std::function<void()> finished_;
    std::optional<widgetset::TimerId> poll_;
    bool failed_ = false;
    double volume_ = 1.0;
};

}  // namespace
}  // namespace gstreamer

std::unique_ptr<MediaDevice> CreateGStreamerMediaDevice() { return std::make_unique<gstreamer::Device>(); }
