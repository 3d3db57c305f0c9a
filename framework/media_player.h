// A player for media files over the back end's media device. It is never shown: the program drives it.
// With Notify set, the end of a playback raises OnNotify on the interface thread.
#pragma once

#include <memory>
#include <string>

#include "framework/notify_event.h"
#include "framework/widgetset/media_device.h"
#include "framework/win_control.h"

enum TMPDeviceTypes {
    dtAutoSelect,
    dtAVIVideo,
    dtCDAudio,
    dtDAT,
    dtDigitalVideo,
    dtMMMovie,
    dtOther,
    dtOverlay,
    dtScanner,
    dtSequencer,
    dtVCR,
    dtVideodisc,
    dtWaveAudio
};

class TMediaPlayer : public TWinControl {
    DECLARE_CLASS_INFO
  public:
    using TWinControl::TWinControl;
    ~TMediaPlayer() override;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    TMPDeviceTypes DeviceType() const { return deviceType_; }
    void SetDeviceType(TMPDeviceTypes value) { deviceType_ = value; }
    bool Notify() const { return notify_; }
    void SetNotify(bool value) { notify_ = value; }
    const TNotifyEvent& OnNotify() const { return onNotify_; }
    void SetOnNotify(const TNotifyEvent& event) { onNotify_ = event; }

    // Opens FileName (closing what was open); throws EMCIDeviceError when it cannot be opened.
    void Open();
    // Plays the open file from its position; throws EMCIDeviceError when nothing is open.
    void Play();
    void Close();
    bool IsOpen() const { return device_ != nullptr; }
    // Whether the playback that raised OnNotify ended by a failure rather than at the file's end.
    bool PlaybackFailed() const { return device_ != nullptr && device_->PlaybackFailed(); }
    // The loudness, as a fraction of the file's own amplitude, now and for every file opened later.
    void SetVolume(double volume);

  private:
    void PlaybackFinished();

    std::string fileName_;
    TMPDeviceTypes deviceType_ = dtAutoSelect;
    bool notify_ = false;
    double volume_ = 1.0;
    TNotifyEvent onNotify_;
    std::unique_ptr<MediaDevice> device_;
};
