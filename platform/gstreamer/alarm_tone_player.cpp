#include "platform/gstreamer/alarm_tone_player.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "framework/rules/wave_tone.h"
#include "platform/gstreamer/gstreamer_media_device.h"

namespace gstreamer {

namespace {

// Well under the tone's own length (framework/wave_tone.h).
constexpr std::chrono::milliseconds kShortestPlayback{1000};

int ToneFile() {
    const int file = memfd_create("alarmclock-tone.wav", MFD_CLOEXEC);
    if (file < 0) throw std::runtime_error(std::string("no memory file: ") + std::strerror(errno));
    const std::vector<std::uint8_t>& wave = AlarmToneWave();
    std::size_t written = 0;
    while (written < wave.size()) {
        const ssize_t count = write(file, wave.data() + written, wave.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            const int error = errno;
            close(file);
            throw std::runtime_error(std::string("cannot write the tone: ") + std::strerror(error));
        }
        written += static_cast<std::size_t>(count);
    }
    return file;
}

}  // namespace

AlarmTonePlayer::AlarmTonePlayer() = default;

AlarmTonePlayer::~AlarmTonePlayer() {
    device_.reset();
    if (file_ >= 0) close(file_);
}

void AlarmTonePlayer::Sound(bool sounding) {
    if (!sounding) {
        device_.reset();
        return;
    }
    if (device_) return;
    device_ = CreateGStreamerMediaDevice();
    device_->SetVolume(volume_);
    Play();
}

void AlarmTonePlayer::SetVolume(double volume) {
    volume_ = volume;
    if (device_) device_->SetVolume(volume);
}

void AlarmTonePlayer::Play() {
    try {
        if (file_ < 0) file_ = ToneFile();
        device_->Close();
        device_->Open("/proc/self/fd/" + std::to_string(file_));
        started_ = std::chrono::steady_clock::now();
        device_->Play([this] { PlayAgain(); });
    } catch (const std::exception& error) {
        GiveUp(error.what());
    }
}

void AlarmTonePlayer::PlayAgain() {
    // A playback that ends long before the tone does failed (no sound output, say): trying again at once
    // would keep the machine busy for nothing.
    if (std::chrono::steady_clock::now() - started_ < kShortestPlayback) {
        GiveUp("the sound output ends it at once");
        return;
    }
    Play();
}

void AlarmTonePlayer::GiveUp(const std::string& why) {
    device_.reset();
    if (!std::exchange(complained_, true)) std::fprintf(stderr, "alarmclock: no alarm tone: %s\n", why.c_str());
}

}  // namespace gstreamer
