// The ringing's sound: the media file, or the program's own tone when the file cannot play, over and over
// until the alarm is answered or kRingingSound has passed, rising from silence over its first kSoundFadeIn.
#include <algorithm>
#include <chrono>

#include "app/main_form.h"
#include "framework/application.h"

namespace {

// The ear hears loudness as the amplitude's logarithm: a cubic rise sounds even, where a straight one would
// be loud within a few seconds.
double FadeInVolume(std::chrono::milliseconds elapsed) {
    const double part = std::min(1.0, std::chrono::duration<double>(elapsed) / kSoundFadeIn);
    return part * part * part;
}

}  // namespace

void TForm1::StartAlarmSound(Problems& problems) {
    SoundTimer->SetEnabled(false);
    SoundTimer->SetEnabled(true);
    if (!CheckBox3->Checked()) return;
    fadeSteps_ = 0;
    SetAlarmVolume(FadeInVolume(std::chrono::milliseconds{0}));
    FadeTimer->SetEnabled(false);
    FadeTimer->SetEnabled(true);
    problems.Try([this] { PlayAlarmMedia(); });
}

void TForm1::PlayAlarmMedia() {
    try {
        MediaPlayer1->SetNotify(true);
        // Closed when its last opening failed (the file gone, say, or not there yet at the start): tried
        // again, so that the file plays if it is back, or the report says what is wrong now.
        if (!MediaPlayer1->IsOpen()) MediaPlayer1->Open();
        MediaPlayer1->Play();
    } catch (...) {
        // The user asked to be woken by a sound: the program's own, until the alarm is acknowledged.
        MediaPlayer1->SetNotify(false);
        Application->SoundAlarmTone(true);
        throw;
    }
}

// The file is made ready for the next alarm, from its start, reopened so that a lasting cause of a failure is
// reported by the opening. While the ringing's sound lasts, it plays again; one that failed while playing
// gives way to the program's own tone.
void TForm1::OnMciNotify(TObject*) {
    const bool failed = MediaPlayer1->PlaybackFailed();
    MediaPlayer1->SetNotify(false);
    MediaPlayer1->Close();
    if (SoundTimer->Enabled() && !failed) return PlayAlarmMedia();
    if (SoundTimer->Enabled()) Application->SoundAlarmTone(true);
    MediaPlayer1->Open();
}

void TForm1::FadeTimerTimer(TObject*) {
    const double volume = FadeInVolume(++fadeSteps_ * kSoundFadeStep);
    SetAlarmVolume(volume);
    if (volume >= 1.0) FadeTimer->SetEnabled(false);
}

void TForm1::SetAlarmVolume(double volume) {
    MediaPlayer1->SetVolume(volume);
    Application->SetAlarmToneVolume(volume);
}

// The icon goes on flashing, and the message stays, until someone answers.
void TForm1::SoundTimerTimer(TObject*) {
    SoundTimer->SetEnabled(false);
    StopAlarmSounds();
}
