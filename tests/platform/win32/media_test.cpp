// The media device over MCI, with sound going to ALSA's null device.
#include "framework/exceptions.h"
#include "tests/platform/win32/wave_file.h"
#include "tests/platform/win32/win32_test.h"

namespace {

using MediaTest = Win32Test;

TEST_F(MediaTest, APlaybackEndsWithItsNotification) {
    auto device = CurrentWidgetset().CreateMediaDevice();
    device->Open(WriteWave("alarmclock-short.wav", 300));
    int finished = 0;
    device->Play([&] { ++finished; });
    ASSERT_TRUE(WaitUntil([&] { return finished == 1; }, "the end of the playback"));
    // Played again from the start, it ends again.
    device->Play([&] { ++finished; });
    EXPECT_TRUE(WaitUntil([&] { return finished == 2; }, "the end of the second playback"));
}

TEST_F(MediaTest, AClosedPlaybackNeverReportsItsEnd) {
    auto device = CurrentWidgetset().CreateMediaDevice();
    device->Open(WriteWave("alarmclock-long.wav", 3000));
    bool finished = false;
    device->Play([&] { finished = true; });
    device->Close();
    // The 'aborted' notice of the close arrives after it; a later playback's end must still come through.
    auto other = CurrentWidgetset().CreateMediaDevice();
    other->Open(WriteWave("alarmclock-short2.wav", 300));
    bool otherFinished = false;
    other->Play([&] { otherFinished = true; });
    ASSERT_TRUE(WaitUntil([&] { return otherFinished; }, "the other playback's end"));
    EXPECT_FALSE(finished);
}

TEST_F(MediaTest, AMissingFileIsAClearError) {
    auto device = CurrentWidgetset().CreateMediaDevice();
    try {
        device->Open("C:\\no such folder\\alarm.wav");
        FAIL() << "opened a missing file";
    } catch (const EMCIDeviceError& error) {
        EXPECT_NE(std::string(error.what()).find("alarm.wav"), std::string::npos) << error.what();
    }
    EXPECT_THROW(device->Play([] {}), EMCIDeviceError);
}

}  // namespace
