#include <filesystem>
#include <fstream>
#include <string>

#include "framework/check_box.h"
#include "framework/form.h"
#include "framework/param_str.h"
#include "settings/startup_entry.h"
#include "tests/support/headless_test.h"
#include "tests/support/raw_registry.h"

using namespace std::string_literals;

namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunOnce = kRun + "Once";

std::optional<RawValue> Entry(const std::string& key = kRunOnce) {
    return ReadRawValue(HKEY_LOCAL_MACHINE, key, "alarmclock");
}

// The least of a settings window: a "Keep Running" box whose click handler applies the box's state.
class TKeepRunningForm : public TForm {
  public:
    explicit TKeepRunningForm(TComponent* owner) : TForm(owner) {
        CheckBox4->SetOnClick(MakeNotifyEvent<&TKeepRunningForm::CheckBox4Click>(this));
    }
    void CheckBox4Click(TObject*) { ApplyKeepRunning(CheckBox4->Checked()); }
    TCheckBox* CheckBox4 = new TCheckBox(this);
};

}  // namespace

using StartupEntryTest = HeadlessTest;

TEST_F(StartupEntryTest, TheEntryLivesUnderTheMachineRootsRunOnceKey) {
    SetStartupEntry("alarmclock", "C:\\Program Files\\Alarm\\alarm.exe", true);
    // The command as given, with spaces, no quotes, and nothing appended.
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, "C:\\Program Files\\Alarm\\alarm.exe\0"s}));
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kRunOnce, "alarmclock"));  // never the user's root
    EXPECT_FALSE(Entry(kRun));                                              // nor the Run key

    SetStartupEntry("alarmclock", "/usr/bin/alarmclock", false);  // without the once choice: Run
    EXPECT_EQ(Entry(kRun), (RawValue{REG_SZ, "/usr/bin/alarmclock\0"s}));
}

TEST_F(StartupEntryTest, ClearingWritesTheEmptyTextAndCreatesTheKeyWhenMissing) {
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRunOnce));
    ClearStartupEntry("alarmclock", true);
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, "\0"s}));
}

TEST_F(StartupEntryTest, KeepRunningWritesTheProgramsOwnPathAndClearsItWhenUnticked) {
    auto form = MakeComponent<TKeepRunningForm>(nullptr);
    const std::string path = ParamStr(0);
    ASSERT_TRUE(std::filesystem::path(path).is_absolute());
    EXPECT_TRUE(std::filesystem::exists(path));

    form->CheckBox4->UserClick();
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, path + '\0'}));
    form->CheckBox4->UserClick();  // unticked: the value stays, emptied
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, "\0"s}));
    form->CheckBox4->SetChecked(true);  // ticked from code: the same path
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, path + '\0'}));
}

TEST_F(StartupEntryTest, AFailedWriteIsReportedAndTheBoxStaysTicked) {
    auto form = MakeComponent<TKeepRunningForm>(nullptr);
    // A registry file that is not a database, found at the first registry call.
    const std::filesystem::path database = registryPrefix.database();
    std::filesystem::create_directories(database.parent_path());
    std::ofstream(database, std::ios::binary) << std::string(8192, 'x');

    script.AnswerMessageBox(IDOK);
    form->CheckBox4->UserClick();
    EXPECT_TRUE(form->CheckBox4->Checked());  // the box keeps its state though nothing was written
    ASSERT_EQ(script.MessageBoxesShown().size(), 1u);
    const std::string& report = script.MessageBoxesShown()[0].text;
    EXPECT_NE(report.find("Cannot create the key HKEY_"), std::string::npos) << report;
    EXPECT_NE(report.find(database.string() + ": file is not a database"), std::string::npos) << report;
    EXPECT_EQ(std::filesystem::file_size(database), 8192u);  // and the file is left as it was
}
