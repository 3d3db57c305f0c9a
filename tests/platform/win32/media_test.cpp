// The media device over MCI, with sound going to ALSA's null device.
#include "framework/exceptions.h"
#include "tests/platform/win32/win32_test.h"
#include "tests/support/wave_file.h"

namespace {

using Win32MediaTest = Win32Test;

TEST_F(Win32MediaTest, APlaybackEndsWithItsNotification) {
    auto device = CurrentWidgetset().CreateMediaDevice();
    device->Open(WriteTemporaryTone("alarmclock-short.wav", std::chrono::milliseconds(300)));
    int finished = 0;
    device->Play([&] { ++finished; });
    ASSERT_TRUE(WaitUntil([&] { return finished == 1; }, "the end of the playback"));
    // Played again from the start, it ends again.
    device->Play([&] { ++finished; });
    EXPECT_TRUE(WaitUntil([&] { return finished == 2; }, "the end of the second playback"));
    // Closed just after an end, it leaves the wave driver loaded: the driver's thread that told the end may
    // not have left it yet (Wine names the driver .drv, Windows .dll).
    device->Close();
    EXPECT_TRUE(GetModuleHandleA("mciwave.drv") != nullptr || GetModuleHandleA("mciwave.dll") != nullptr);
}

TEST_F(Win32MediaTest, AClosedPlaybackNeverReportsItsEnd) {
    auto device = CurrentWidgetset().CreateMediaDevice();
    device->Open(WriteTemporaryTone("alarmclock-long.wav", std::chrono::milliseconds(3000)));
    int closedEnds = 0;
    device->Play([&] { ++closedEnds; });
    device->Close();
    // The close's 'aborted' notice arrives after it, when the device may already play again under the same
    // alias and id: it must not be taken for the end of the new playback.
    device->Open(WriteTemporaryTone("alarmclock-long2.wav", std::chrono::milliseconds(3000)));
    int ends = 0;
    device->Play([&] { ++ends; });
    // A short playback elsewhere, whose end comes long after that notice and long before the new one's end.
    auto other = CurrentWidgetset().CreateMediaDevice();
    other->Open(WriteTemporaryTone("alarmclock-short2.wav", std::chrono::milliseconds(300)));
    bool otherFinished = false;
    other->Play([&] { otherFinished = true; });
    ASSERT_TRUE(WaitUntil([&] { return otherFinished; }, "the short playback's end"));
    EXPECT_EQ(ends, 0) << "the new playback ended with the old one's notice";
    ASSERT_TRUE(WaitUntil([&] { return ends > 0; }, "the new playback's end"));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(closedEnds, 0);
}

TEST_F(Win32MediaTest, AMissingFileIsAClearError) {
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
