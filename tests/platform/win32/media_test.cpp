// The media device over MCI, with sound going to ALSA's null device.
#include <cstdint>
#include <fstream>

#include "framework/exceptions.h"
#include "tests/platform/win32/win32_test.h"

namespace {

// A silent PCM wave file of the given length.
std::string WriteWave(const std::string& name, unsigned milliseconds) {
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + name;
    const std::uint32_t rate = 8000;
    const std::uint32_t dataSize = rate * milliseconds / 1000;
    std::ofstream file(path, std::ios::binary);
    const auto put32 = [&](std::uint32_t value) { file.write(reinterpret_cast<const char*>(&value), 4); };
    const auto put16 = [&](std::uint16_t value) { file.write(reinterpret_cast<const char*>(&value), 2); };
    file.write("RIFF", 4);
    put32(36 + dataSize);
    file.write("WAVEfmt ", 8);
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(rate);
    put32(rate);  // bytes per second at 8 bits
    put16(1);
    put16(8);
    file.write("data", 4);
    put32(dataSize);
    for (std::uint32_t i = 0; i < dataSize; ++i) file.put(static_cast<char>(128));
    return path;
}

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
