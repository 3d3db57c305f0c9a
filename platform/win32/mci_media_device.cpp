#include "platform/win32/mci_media_device.h"

#include <cmath>
#include <set>

#include "framework/exceptions.h"
#include "platform/win32/hidden_window.h"
// After windows.h, which it needs.
#include <mmsystem.h>

namespace win32backend {

namespace {

std::string MciErrorText(MCIERROR error) {
    char text[256] = "";
    if (!mciGetErrorStringA(error, text, sizeof text)) return "MCI error " + std::to_string(error);
    return text;
}

// Wine unloads an MCI driver when its last device closes, even while the driver's own thread, having told
// the end of a play, has yet to leave it; that thread then runs into unmapped code and the program dies. An
// idle device of each type the program plays, opened without a file and kept for the process's life, keeps
// each driver loaded. On Windows it is one idle device more.
void KeepDriverLoaded(const std::string& alias) {
    static std::set<std::string> kept;
    char type[64] = "";
    if (mciSendStringA(("capability " + alias + " device type").c_str(), type, sizeof type, nullptr) != 0)
        return;
    if (!kept.insert(type).second) return;
    mciSendStringA(("open " + std::string(type) + " alias alarmclock_kept_" + type).c_str(), nullptr, 0,
                   nullptr);
}

class MciMediaDevice : public MediaDevice {
  public:
    MciMediaDevice()
        : window_([this](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
              if (message != MM_MCINOTIFY) return std::nullopt;
              Notified(wParam, static_cast<MCIDEVICEID>(lParam));
              return 0;
          }) {
        static unsigned counter = 0;
        alias_ = "alarmclock_media" + std::to_string(++counter);
    }
    ~MciMediaDevice() override { Close(); }

    void Open(const std::string& fileName) override {
        Close();
        const MCIERROR error = Send("open \"" + fileName + "\" alias " + alias_);
        if (error != 0) throw EMCIDeviceError("Cannot open " + fileName + ": " + MciErrorText(error));
        fileName_ = fileName;
        device_ = mciGetDeviceIDA(alias_.c_str());
        KeepDriverLoaded(alias_);
        SendVolume();
    }

    void Play(std::function<void()> finished) override {
        if (device_ == 0) throw EMCIDeviceError("Cannot play " + fileName_ + ": no file is open");
        const MCIERROR error = Send("play " + alias_ + " from 0 notify");
        if (error != 0) throw EMCIDeviceError("Cannot play " + fileName_ + ": " + MciErrorText(error));
        failed_ = false;
        finished_ = std::move(finished);
    }

    void Close() override {
        finished_ = nullptr;
        if (device_ == 0) return;
        device_ = 0;
        Send("close " + alias_);
    }

    bool PlaybackFailed() const override { return failed_; }

    void SetVolume(double volume) override {
        volume_ = volume;
        if (device_ != 0) SendVolume();
    }

  private:
    MCIERROR Send(const std::string& command) {
        return mciSendStringA(command.c_str(), nullptr, 0, window_.Handle());
    }

    // In thousandths of the file's own amplitude. The digital video device (compressed sound, video) takes
    // it; the wave and MIDI devices have no volume and refuse it, and play at the file's own.
    void SendVolume() {
        Send("setaudio " + alias_ + " volume to " + std::to_string(std::lround(volume_ * 1000)));
    }

    void Notified(WPARAM flags, MCIDEVICEID device) {
        if (device != device_ || (flags & (MCI_NOTIFY_SUCCESSFUL | MCI_NOTIFY_FAILURE)) == 0) return;
        failed_ = (flags & MCI_NOTIFY_FAILURE) != 0;
        auto finished = std::move(finished_);
        finished_ = nullptr;
        // The handler may close, reopen or free this device: nothing of it is touched afterwards.
        if (finished) finished();
    }

    HiddenWindow window_;
    std::string alias_;
    std::string fileName_;
    MCIDEVICEID device_ = 0;
    std::function<void()> finished_;
    bool failed_ = false;
    double volume_ = 1.0;
};

}  // namespace

std::unique_ptr<MediaDevice> CreateMciMediaDevice() { return std::make_unique<MciMediaDevice>(); }

}  // namespace win32backend
