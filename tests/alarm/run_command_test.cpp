#include <gtest/gtest.h>

#include "alarm/run_command.h"

namespace {
RunCommand Split(const std::string& text) { return SplitRunCommand(text); }
}  // namespace

TEST(RunCommandTest, TheFirstSpaceSeparatesFileAndParameters) {
    EXPECT_EQ(Split("notepad todo.txt"), (RunCommand{"notepad", "todo.txt"}));  // program and argument
    EXPECT_EQ(Split("/usr/bin/mpv"), (RunCommand{"/usr/bin/mpv", ""}));         // a picked path
    EXPECT_EQ(Split(""), (RunCommand{"", ""}));                                 // nothing at all
    EXPECT_EQ(Split(" --now"), (RunCommand{"", "--now"}));                      // leading space
    EXPECT_EQ(Split("/opt/My Player/play x"),
              (RunCommand{"/opt/My", "Player/play x"}));  // cut at the path's space
    EXPECT_EQ(Split("\"/opt/My Player\" x"), (RunCommand{"\"/opt/My", "Player\" x"}));  // quotes mean nothing
    EXPECT_EQ(Split("player "), (RunCommand{"player", ""}));                            // trailing space
    EXPECT_EQ(Split("a\tb c"), (RunCommand{"a\tb", "c"}));  // a tab does not separate
    EXPECT_EQ(Split("a  b"), (RunCommand{"a", " b"}));      // nothing is trimmed
}

TEST(RunCommandTest, ParametersKeepAtMost255Characters) {
    const std::string long_parameters(300, 'p');
    EXPECT_EQ(Split("app " + long_parameters).parameters, std::string(255, 'p'));
    EXPECT_EQ(Split("app " + std::string(255, 'q')).parameters, std::string(255, 'q'));
    // Characters, not bytes: a two-byte letter at the limit is kept whole.
    const std::string accents = std::string(254, 'x') + "éé";
    EXPECT_EQ(Split("app " + accents).parameters, std::string(254, 'x') + "é");
}
