#include "framework/media_player.h"

#include "framework/error_reporting.h"
#include "framework/exceptions.h"
#include "framework/published.h"
#include "framework/widgetset/widgetset.h"

namespace {

constexpr std::string_view kDeviceTypes[] = {
    "dtAutoSelect", "dtAVIVideo", "dtCDAudio",   "dtDAT", "dtDigitalVideo", "dtMMMovie",  "dtOther",
    "dtOverlay",    "dtScanner",  "dtSequencer", "dtVCR", "dtVideodisc",    "dtWaveAudio"};

const PropertyInfo kProperties[] = {
    StringProperty<&TMediaPlayer::FileName, &TMediaPlayer::SetFileName>("FileName"),
    EnumProperty<&TMediaPlayer::DeviceType, &TMediaPlayer::SetDeviceType>("DeviceType", kDeviceTypes,
                                                                          dtAutoSelect),
    BooleanProperty<&TMediaPlayer::Notify, &TMediaPlayer::SetNotify>("Notify", false),
    EventProperty<&TMediaPlayer::OnNotify, &TMediaPlayer::SetOnNotify>("OnNotify"),
};

}  // namespace

const ClassInfo TMediaPlayer::Class = CreatableClass<TMediaPlayer, TWinControl>("TMediaPlayer", kProperties);

TMediaPlayer::~TMediaPlayer() { Close(); }

void TMediaPlayer::Open() {
    Close();
    auto device = CurrentWidgetset().CreateMediaDevice();
    device->SetVolume(volume_);
    device->Open(fileName_);
    device_ = std::move(device);
}

void TMediaPlayer::SetVolume(double volume) {
    volume_ = volume;
    if (device_) device_->SetVolume(volume);
}

void TMediaPlayer::Play() {
    if (!device_) throw EMCIDeviceError("Cannot play " + fileName_ + ": the media player is not open");
    device_->Play([this] { PlaybackFinished(); });
}

void TMediaPlayer::Close() {
    if (!device_) return;
    auto device = std::move(device_);
    device->Close();
}

void TMediaPlayer::PlaybackFinished() {
    if (notify_ && onNotify_) ReportErrors([this] { onNotify_(this); });
}
