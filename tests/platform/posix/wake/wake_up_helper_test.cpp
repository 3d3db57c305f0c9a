// The program's side of the wake-up on Linux: the lines its helper receives and how the helper's refusal
// reaches the program. Shell scripts stand in for the helper (tests/tools/wake tests the real one).
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/wake/wake_protocol.h"
#include "platform/posix/wake/wake_up_helper.h"
#include "tests/support/temporary_prefix.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What the helper's refusals said, as they arrive on the waiting thread.
class Refusals {
  public:
    posix::WakeUpHelper::RefusalHandler Handler() {
        return [said = said_](const std::string& why) {
            const std::lock_guard lock(said->mutex);
            said->texts.push_back(why);
        };
    }
    // Waits until one has come.
    std::vector<std::string> Awaited() const {
        for (int i = 0; i < 1000 && Texts().empty(); ++i) std::this_thread::sleep_for(10ms);
        return Texts();
    }
    std::vector<std::string> Texts() const {
        const std::lock_guard lock(said_->mutex);
        return said_->texts;
    }

  private:
    struct Said {
        std::mutex mutex;
        std::vector<std::string> texts;
    };
    std::shared_ptr<Said> said_ = std::make_shared<Said>();
};

class WakeUpHelperTest : public ::testing::Test {
  protected:
    fs::path Script(const std::string& name, const std::string& body) {
        const fs::path path = directory.path() / name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    // The lines a helper wrote to `file` once its input ended (written under another name, then renamed).
    static std::vector<std::string> LinesOnceWritten(const fs::path& file) {
        for (int i = 0; i < 1000 && !fs::exists(file); ++i) std::this_thread::sleep_for(10ms);
        std::ifstream in(file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    static std::chrono::sys_seconds Utc(int year, unsigned month, unsigned day, int hour, int minute) {
        using namespace std::chrono;
        return sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute};
    }
    static std::string UtcSeconds(int year, unsigned month, unsigned day, int hour, int minute) {
        std::tm utc{};
        utc.tm_year = year - 1900;
        utc.tm_mon = static_cast<int>(month) - 1;
        utc.tm_mday = static_cast<int>(day);
        utc.tm_hour = hour;
        utc.tm_min = minute;
        return std::to_string(timegm(&utc));
    }

    TemporaryDirectory directory;
    Refusals refusals;
};

// Started at the first moment, not for a release before it; a release is "0".
TEST_F(WakeUpHelperTest, HelperReceivesEachChangeAsTheMomentsSecondsSinceTheEpoch) {
    const fs::path helper = Script("helper", "cat > \"$0.part\" && mv \"$0.part\" \"$0.lines\"\n");
    {
        posix::WakeUpHelper wakeUp(helper.string(), refusals.Handler());
        wakeUp.Hold(std::nullopt);
        wakeUp.Hold(Utc(2030, 7, 1, 5, 30));
        wakeUp.Hold(Utc(2030, 12, 24, 6, 30));
        wakeUp.Hold(std::nullopt);
    }
    EXPECT_EQ(LinesOnceWritten(helper.string() + ".lines"),
              (std::vector<std::string>{UtcSeconds(2030, 7, 1, 5, 30), UtcSeconds(2030, 12, 24, 6, 30), "0"}));
    EXPECT_TRUE(refusals.Texts().empty());
}

// What the helper last said on its standard error, in the program's words without the helper's name;
// without a word, how it ended; a helper that is not there, at once.
TEST_F(WakeUpHelperTest, RefusalSaysWhyOnce) {
    struct Case {
        std::string script;
        std::string why;
    };
    const std::string name(wake_protocol::kHelperName);
    const std::vector<Case> cases = {
        {"echo '" + name + ": first' >&2; echo '" + name + ": may not' >&2; exit 1\n", "may not"},
        {"exit 3\n", (directory.path() / "case1").string() + " ended with status 3"},
        {"kill -9 $$\n", (directory.path() / "case2").string() +
                             " was ended by signal 9; it is started again at the alarm's next change"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Refusals said;
        const fs::path helper = Script("case" + std::to_string(i), cases[i].script);
        posix::WakeUpHelper wakeUp(helper.string(), said.Handler());
        wakeUp.Hold(Utc(2030, 7, 1, 7, 30));
        EXPECT_EQ(said.Awaited(), std::vector<std::string>{cases[i].why}) << cases[i].script;
        wakeUp.Hold(Utc(2030, 7, 2, 7, 30));
        wakeUp.Hold(std::nullopt);
    }
    const std::string missing = (directory.path() / "missing").string();
    posix::WakeUpHelper wakeUp(missing, refusals.Handler());
    wakeUp.Hold(Utc(2030, 7, 1, 7, 30));
    wakeUp.Hold(Utc(2030, 7, 2, 7, 30));
    EXPECT_EQ(refusals.Texts(),
              std::vector<std::string>{"cannot start " + missing + ": No such file or directory"});
}

// A helper ended by a signal holds nothing: the next change, and not a repeat of the moment, starts it again;
// the end is said once.
TEST_F(WakeUpHelperTest, HelperEndedByASignalIsStartedAgainAtTheNextChange) {
    const fs::path helper =
        Script("helper",
               "if [ -e \"$0.ran\" ]; then cat > \"$0.part\" && mv \"$0.part\" \"$0.lines\"; exit; fi\n"
               "touch \"$0.ran\"; kill -9 $$\n");
    {
        posix::WakeUpHelper wakeUp(helper.string(), refusals.Handler());
        wakeUp.Hold(Utc(2030, 7, 1, 7, 30));
        EXPECT_EQ(
            refusals.Awaited(),
            std::vector<std::string>{helper.string() +
                                     " was ended by signal 9; it is started again at the alarm's next change"});
        wakeUp.Hold(Utc(2030, 7, 1, 7, 30));
        wakeUp.Hold(Utc(2030, 7, 2, 7, 30));
        wakeUp.Hold(Utc(2030, 7, 2, 7, 30));
    }
    EXPECT_EQ(LinesOnceWritten(helper.string() + ".lines"),
              std::vector<std::string>{UtcSeconds(2030, 7, 2, 7, 30)});
    EXPECT_EQ(refusals.Texts().size(), 1u);
}

TEST(WakeProtocolTest, MomentLinesAndWhatIsNoMoment) {
    EXPECT_EQ(wake_protocol::MomentLine(1'900'000'000), "1900000000\n");
    EXPECT_EQ(wake_protocol::MomentLine(std::nullopt), "0\n");
    EXPECT_EQ(wake_protocol::ParseMomentLine("1900000000"), std::optional<std::time_t>(1'900'000'000));
    EXPECT_EQ(wake_protocol::ParseMomentLine("0"), std::nullopt);
    EXPECT_EQ(wake_protocol::ParseMomentLine(""), std::nullopt);
    EXPECT_EQ(wake_protocol::ParseMomentLine("9223372036"), std::optional<std::time_t>(9'223'372'036));
    for (const char* line : {"-5", "+5", " 5", "5 ", "5x", "tomorrow", "99999999999999999999999", "9223372037"})
        EXPECT_THROW(wake_protocol::ParseMomentLine(line), std::invalid_argument) << line;
    const auto refusal = [](std::string_view line) {
        try {
            wake_protocol::ParseMomentLine(line);
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    // What is refused is shown as it is, a carriage return or an escape included.
    EXPECT_EQ(refusal("1900000000\r"),
              "not a moment: \"1900000000\\r\" (seconds since the epoch, or 0 or nothing for none)");
    EXPECT_EQ(refusal("\x1B[2J"),
              "not a moment: \"\\x1B[2J\" (seconds since the epoch, or 0 or nothing for none)");
    // A long line is shown cut between characters, the cut marked.
    std::string accents;
    for (int i = 0; i < 30; ++i) accents += "\xC3\xA9";
    EXPECT_EQ(refusal(accents), "not a moment: \"" + accents.substr(0, 40) +
                                    "\xE2\x80\xA6\" (seconds since the epoch, or 0 or nothing for none)");
    EXPECT_EQ(refusal("10000000000"),
              "the moment 10000000000 is past the latest a timer can hold, 9223372036 "
              "(2262-04-11 23:47:16 UTC)");
    // Of a line of a megabyte without a line feed, no more than a moment's length is kept.
    std::istringstream input(std::string(1 << 20, '7') + "\n42\n" + std::string(100, '8'));
    std::string line;
    ASSERT_TRUE(wake_protocol::ReadMomentLine(input, line));
    EXPECT_EQ(line, std::string(wake_protocol::kLongestLine + 1, '7'));
    EXPECT_THROW(wake_protocol::ParseMomentLine(line), std::invalid_argument);
    ASSERT_TRUE(wake_protocol::ReadMomentLine(input, line));
    EXPECT_EQ(line, "42");
    ASSERT_TRUE(wake_protocol::ReadMomentLine(input, line));
    EXPECT_EQ(line.size(), wake_protocol::kLongestLine + 1);
    EXPECT_FALSE(wake_protocol::ReadMomentLine(input, line));
}

}  // namespace
