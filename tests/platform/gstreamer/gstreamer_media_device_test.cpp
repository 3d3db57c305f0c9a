// The GStreamer media device with real pipelines: the sound is recorded through ALARMCLOCK_AUDIO_SINK.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "framework/exceptions.h"
#include "framework/rules/wave_tone.h"
#include "platform/gstreamer/alarm_tone_player.h"
#include "platform/gstreamer/gstreamer_media_device.h"
#include "tests/platform/gstreamer/timer_widgetset.h"
#include "tests/support/temporary_prefix.h"
#include "tests/support/wave_file.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Generous: a loaded machine may be slow to start a pipeline, and nothing here waits unless it fails.
constexpr auto kTimeout = 20s;
constexpr unsigned kSampleRate = 8000;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    return value;
}

// The size that the header of the "data" chunk gives, when that many bytes follow it.
std::optional<std::uint32_t> DataSize(const std::string& wave) {
    for (std::size_t at = 12; at + 8 <= wave.size(); at += 8 + LittleEndian32(wave, at + 4)) {
        const std::uint32_t size = LittleEndian32(wave, at + 4);
        if (wave.compare(at, 4, "data") == 0 && size <= wave.size() - at - 8) return size;
    }
    return std::nullopt;
}

class GStreamerMediaDeviceTest : public ::testing::Test {
  protected:
    // Sends the sound to the given sink description, with {out} standing for the recording's path.
    void RecordWith(const std::string& sink) {
        std::string description = sink;
        description.replace(description.find("{out}"), 5, '"' + output_.string() + '"');
        sink_.emplace("ALARMCLOCK_AUDIO_SINK", description);
    }

    fs::path Tone(std::chrono::milliseconds duration) {
        fs::path path = directory_.path() / "tone.wav";
        WriteTone(path, duration, kSampleRate);
        return path;
    }

    // A device with the file open in it.
    static std::unique_ptr<MediaDevice> Opened(const fs::path& file) {
        auto device = CreateGStreamerMediaDevice();
        device->Open(file.string());
        return device;
    }

    std::string OpenError(const fs::path& path) {
        auto device = CreateGStreamerMediaDevice();
        try {
            device->Open(path.string());
        } catch (const EMCIDeviceError& error) {
            return error.what();
        }
        ADD_FAILURE() << "opening " << path << " succeeded";
        return {};
    }

    bool RunUntil(const std::function<bool()>& done) { return TestWidgetset().RunUntil(done, kTimeout); }
    // Lets the loop run, ticking timers, for a while in which nothing is expected to happen.
    void RunFor(std::chrono::milliseconds duration) {
        TestWidgetset().RunUntil([] { return false; }, duration);
    }

    TemporaryDirectory directory_;
    fs::path output_ = directory_.path() / "out";
    std::optional<ScopedEnvironment> sink_;
};

TEST_F(GStreamerMediaDeviceTest, PlaysToTheEndAndReportsItOnceOnTheInterfaceThread) {
    RecordWith("wavenc ! filesink location={out}");
    auto device = Opened(Tone(300ms));
    int finished = 0;
    std::thread::id finishedOn;
    device->Play([&] {
        ++finished;
        finishedOn = std::this_thread::get_id();
    });
    ASSERT_TRUE(RunUntil([&] { return finished > 0; }));
    RunFor(300ms);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(finishedOn, std::this_thread::get_id());
    EXPECT_EQ(TestWidgetset().ActiveTimers(), 0u) << "still polling after the end";

    device->Close();
    const std::string recording = Contents(output_);
    ASSERT_GE(recording.size(), 12u);
    EXPECT_EQ(recording.substr(0, 4), "RIFF");
    EXPECT_EQ(recording.substr(8, 4), "WAVE");
    // The header is completed at the end: before, the data's size is a placeholder.
    const auto dataSize = DataSize(recording);
    ASSERT_TRUE(dataSize.has_value()) << "no complete data chunk";
    const std::uint32_t toneBytes = kSampleRate * 2 * 3 / 10;
    EXPECT_EQ(*dataSize, toneBytes) << "not all of the tone went through";
}

TEST_F(GStreamerMediaDeviceTest, FilesThatCannotPlayFailInOpenNamingTheFile) {
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "fakesink");
    const fs::path missing = directory_.path() / "missing.wav";
    const fs::path text = directory_.path() / "notes.wav";
    std::ofstream(text) << "These are not the sounds you are looking for.\n" << std::string(4096, 'x');
    for (const fs::path& path : {missing, text, directory_.path()}) {
        EXPECT_NE(OpenError(path).find(path.string()), std::string::npos) << OpenError(path);
    }
    const fs::path empty = directory_.path() / "empty.wav";
    std::ofstream(empty).flush();
    EXPECT_NE(OpenError(empty).find(empty.string() + ": the file is empty"), std::string::npos)
        << OpenError(empty);

    auto device = CreateGStreamerMediaDevice();
    EXPECT_THROW(device->Play([] {}), EMCIDeviceError) << "nothing was opened";
    EXPECT_THROW(device->Open(missing.string()), EMCIDeviceError);
    EXPECT_THROW(device->Play([] {}), EMCIDeviceError) << "the failed open left the device playable";
    EXPECT_EQ(TestWidgetset().ActiveTimers(), 0u);
}

// The pre-roll waits with the interface kept alive: a tick due as it begins runs inside Open. A wait
// whose time runs out fails as the pre-roll did when it waited on its own.
TEST_F(GStreamerMediaDeviceTest, ThePrerollLetsTheLoopRunAndAWaitThatRunsOutIsAFailureOfOpen) {
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "fakesink");
    const fs::path tone = Tone(300ms);
    int ticks = 0;
    const auto timer = TestWidgetset().StartTimer(1, [&] { ++ticks; });
    std::this_thread::sleep_for(2ms);
    EXPECT_NO_THROW(Opened(tone));
    TestWidgetset().StopTimer(timer);
    EXPECT_GE(ticks, 1);

    TestWidgetset().CutWaitsShort(true);
    const std::string error = OpenError(tone);
    TestWidgetset().CutWaitsShort(false);
    EXPECT_NE(error.find(tone.string() + ": the file did not become ready to play within 3 seconds"),
              std::string::npos)
        << error;
}

// A named pipe's open blocks until a writer comes: should Open hang on it, the test writes once to release
// it and fails, rather than hanging in turn.
std::string OpenErrorReleasingAPipe(const fs::path& path, const fs::path& pipe) {
    auto opening = std::async(std::launch::async, [&] {
        try {
            CreateGStreamerMediaDevice()->Open(path.string());
        } catch (const EMCIDeviceError& error) {
            return std::string(error.what());
        }
        return std::string("opened");
    });
    if (opening.wait_for(kTimeout) != std::future_status::ready) {
        ADD_FAILURE() << "Open of " << path << " blocked";
        const int writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
    }
    return opening.get();
}

TEST_F(GStreamerMediaDeviceTest, WhatIsNotARegularFileIsRefusedWithoutOpeningIt) {
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "fakesink");
    const fs::path pipe = directory_.path() / "pipe.wav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const fs::path linkToPipe = directory_.path() / "link.wav";
    fs::create_symlink(pipe, linkToPipe);
    const fs::path socketPath = directory_.path() / "socket.wav";
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    const struct {
        fs::path path;
        const char* kind;
    } cases[] = {{pipe, "a named pipe"},
                 {linkToPipe, "a named pipe"},
                 {socketPath, "a socket"},
                 {"/dev/zero", "a device"},
                 {directory_.path(), "a folder"}};
    for (const auto& [path, kind] : cases) {
        const std::string error = OpenErrorReleasingAPipe(path, pipe);
        EXPECT_NE(error.find(path.string()), std::string::npos) << error;
        EXPECT_NE(error.find(kind), std::string::npos) << error;
    }
    close(listener);
}

TEST_F(GStreamerMediaDeviceTest, ANameLongerThanTheSystemAllowsIsRefusedNamingItsBeginning) {
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "fakesink");
    const std::string beginning = (directory_.path() / "tone").string();
    for (const std::size_t length : {std::size_t{PATH_MAX}, std::size_t{1} << 20}) {
        SCOPED_TRACE(length);
        const fs::path path = beginning + std::string(length - beginning.size(), 'x');
        const std::string error = OpenError(path);
        EXPECT_NE(error.find(beginning), std::string::npos) << error;
        EXPECT_NE(error.find(std::to_string(length) + " bytes"), std::string::npos) << error;
        EXPECT_LT(error.size(), 1000u) << "the whole name again";
    }
    // One that fits is looked for as it is.
    const fs::path longest = beginning + std::string(PATH_MAX - 1 - beginning.size(), 'x');
    EXPECT_NE(OpenError(longest).find(longest.string()), std::string::npos);
}

TEST_F(GStreamerMediaDeviceTest, AnInvalidAudioOutputFailsInOpen) {
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "no-such-element-anywhere");
    const fs::path tone = Tone(300ms);
    const std::string error = OpenError(tone);
    EXPECT_NE(error.find(tone.string()), std::string::npos) << error;
    EXPECT_NE(error.find("no-such-element-anywhere"), std::string::npos) << error;
}

TEST_F(GStreamerMediaDeviceTest, NothingIsReportedAfterCloseOrDestruction) {
    RecordWith("wavenc ! filesink location={out}");
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destroyed" : "closed");
        auto device = Opened(Tone(300ms));
        int finished = 0;
        device->Play([&] { ++finished; });
        // Without running the loop, so that the end is most likely waiting on the bus when it goes.
        std::this_thread::sleep_for(300ms);
        if (destroy) {
            device.reset();
        } else {
            device->Close();
        }
        RunFor(500ms);
        EXPECT_EQ(finished, 0);
        EXPECT_EQ(TestWidgetset().ActiveTimers(), 0u);
    }
}

TEST_F(GStreamerMediaDeviceTest, PlaysAgainFromTheStartAfterTheEnd) {
    // Raw samples; the file sink starts its file again when the pipeline goes back to the start.
    RecordWith("filesink location={out}");
    auto device = Opened(Tone(300ms));
    int finished = 0;
    device->Play([&] { ++finished; });
    ASSERT_TRUE(RunUntil([&] { return finished == 1; }));
    const std::string first = Contents(output_);
    EXPECT_EQ(first.size(), kSampleRate * 2 * 3 / 10);

    device->Play([&] { ++finished; });
    ASSERT_TRUE(RunUntil([&] { return finished == 2; })) << "the second playback never ended";
    EXPECT_TRUE(Contents(output_) == first) << "the second playback did not play the same samples";
}

// The loudest sample of a recording of raw 16-bit samples.
int Peak(const std::string& samples) {
    int peak = 0;
    for (std::size_t at = 0; at + 1 < samples.size(); at += 2) {
        const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(samples[at]) |
                                                      static_cast<unsigned char>(samples[at + 1]) << 8);
        peak = std::max(peak, std::abs(int{sample}));
    }
    return peak;
}

// The volume reaches the output, set before the file is opened or while it is open, and holds for a
// playback after the end.
TEST_F(GStreamerMediaDeviceTest, PlaysAtTheVolumeSet) {
    RecordWith("filesink location={out}");
    const fs::path tone = Tone(300ms);
    int finished = 0;
    const auto playedPeak = [&](MediaDevice& device) {
        const int before = finished;
        device.Play([&] { ++finished; });
        EXPECT_TRUE(RunUntil([&] { return finished > before; }));
        return Peak(Contents(output_));
    };
    const int full = playedPeak(*Opened(tone));
    ASSERT_GT(full, 10000);

    auto device = CreateGStreamerMediaDevice();
    device->SetVolume(0.1);
    device->Open(tone.string());
    EXPECT_NEAR(playedPeak(*device), full / 10, full / 100);
    device->SetVolume(0.5);
    EXPECT_NEAR(playedPeak(*device), full / 2, full / 100);
    EXPECT_FALSE(device->PlaybackFailed());
}

TEST_F(GStreamerMediaDeviceTest, AnOutputThatRefusesToStartFailsInPlay) {
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "fakesink state-error=paused-to-playing");
    const fs::path tone = Tone(300ms);
    auto device = Opened(tone);
    int finished = 0;
    try {
        device->Play([&] { ++finished; });
        ADD_FAILURE() << "Play succeeded";
    } catch (const EMCIDeviceError& error) {
        EXPECT_NE(std::string(error.what()).find(tone.string()), std::string::npos) << error.what();
    }
    RunFor(300ms);
    EXPECT_EQ(finished, 0) << "a failure already thrown was also reported as an end";
    EXPECT_EQ(TestWidgetset().ActiveTimers(), 0u);
}

TEST_F(GStreamerMediaDeviceTest, AnErrorDuringPlaybackEndsItAndTheOwnerCanReopen) {
    // The output fails at its first write, which comes after the file was ready: while it plays.
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "filesink location=/dev/full");
    const fs::path tone = Tone(300ms);
    auto device = Opened(tone);
    int finished = 0;
    device->Play([&] { ++finished; });
    ASSERT_TRUE(RunUntil([&] { return finished > 0; }));
    RunFor(300ms);
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(device->PlaybackFailed());
    EXPECT_EQ(TestWidgetset().ActiveTimers(), 0u);

    // What the player's owner does next: close and reopen, here with a working output.
    device->Close();
    RecordWith("filesink location={out}");
    device->Open(tone.string());
    device->Play([&] { ++finished; });
    ASSERT_TRUE(RunUntil([&] { return finished == 2; }));
}

TEST_F(GStreamerMediaDeviceTest, TheAlarmToneSoundsOverAndOverUntilSilencedAndGivesUpOnceWithoutAnOutput) {
    // Raw samples, each playback's added to the file, in real time as a sound card takes them: a playback
    // that ends at once counts as failed.
    RecordWith("filesink sync=true append=true location={out}");
    const std::size_t toneSamples = AlarmToneWave().size() - 44;  // without its header
    {
        gstreamer::AlarmTonePlayer tone;
        tone.Sound(true);
        ASSERT_TRUE(RunUntil([&] { return Contents(output_).size() > toneSamples; })) << "never played again";
        tone.Sound(false);
        const std::size_t recorded = Contents(output_).size();
        RunFor(300ms);
        EXPECT_EQ(Contents(output_).size(), recorded);
        EXPECT_EQ(TestWidgetset().ActiveTimers(), 0u);
    }
    sink_.emplace("ALARMCLOCK_AUDIO_SINK", "no-such-element-anywhere");
    gstreamer::AlarmTonePlayer tone;
    testing::internal::CaptureStderr();
    for (int time = 0; time < 2; ++time) {
        tone.Sound(true);
        RunFor(200ms);
        tone.Sound(false);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(said.starts_with("alarmclock: no alarm tone: ")) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;  // once
    EXPECT_EQ(TestWidgetset().ActiveTimers(), 0u);
}

}  // namespace
