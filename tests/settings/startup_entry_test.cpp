#include <filesystem>
#include <fstream>
#include <string>

#include "framework/check_box.h"
#include "framework/form.h"
#include "framework/param_str.h"
#include "settings/startup_entry.h"
#include "tests/support/alarm_clock_test.h"
#include "tests/support/denied_registry_key.h"
#include "tests/support/headless_test.h"
#include "tests/support/raw_registry.h"

using namespace std::string_literals;

namespace {

std::optional<RawValue> Entry() { return ReadRawValue(HKEY_CURRENT_USER, kStartupKey, "alarmclock"); }
std::optional<RawValue> MachineWideEntry() {
    return ReadRawValue(HKEY_LOCAL_MACHINE, kMachineRunOnceKey, "alarmclock");
}
// An entry as an earlier version wrote it: the program's path under the machine's RunOnce key.
void LeaveMachineWideEntry(const std::string& command) {
    WriteRawString(HKEY_LOCAL_MACHINE, kMachineRunOnceKey, "alarmclock", command);
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

TEST_F(StartupEntryTest, TheEntryLivesUnderTheUsersRunKey) {
    SetStartupEntry("C:\\Program Files\\Alarm\\alarm.exe");
    // The command as given, with spaces, no quotes, and nothing appended.
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, "C:\\Program Files\\Alarm\\alarm.exe\0"s}));
    EXPECT_FALSE(ReadRawValue(HKEY_LOCAL_MACHINE, kStartupKey, "alarmclock"));  // never the machine's root
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMachineRunOnceKey));            // nor RunOnce

    ClearStartupEntry();  // a Run value is a command at every logon: an empty one would stay a broken entry
    EXPECT_FALSE(Entry());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kStartupKey));  // the key stays for other programs
    ClearStartupEntry();                                     // nothing to clear is no failure
    EXPECT_FALSE(Entry());
}

TEST_F(StartupEntryTest, AnEntryAnEarlierVersionLeftUnderTheMachinesRunOnceKeyGoes) {
    for (const bool keepRunning : {true, false}) {
        LeaveMachineWideEntry("/opt/alarm/alarmclock");
        ApplyKeepRunning(keepRunning);
        EXPECT_FALSE(MachineWideEntry()) << keepRunning;
        EXPECT_EQ(Entry().has_value(), keepRunning);
    }
}

// A standard user may not change the machine's keys: the old entry stays, and the user's entry is written
// and cleared all the same, without a word about the machine's key.
TEST_F(StartupEntryTest, ADeniedMachineWideKeyCostsNothing) {
    LeaveMachineWideEntry("/opt/alarm/alarmclock");
    DenyValueChanges(HKEY_LOCAL_MACHINE, kMachineRunOnceKey);
    auto form = MakeComponent<TKeepRunningForm>(nullptr);

    form->CheckBox4->UserClick();
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, OwnStartupCommand() + '\0'}));
    form->CheckBox4->UserClick();
    EXPECT_FALSE(Entry());
    EXPECT_EQ(MachineWideEntry(), (RawValue{REG_SZ, "/opt/alarm/alarmclock\0"s}));  // the denial held
    EXPECT_TRUE(script.MessageBoxesShown().empty());
}

TEST_F(StartupEntryTest, KeepRunningWritesTheProgramsOwnPathAndClearsItWhenUnticked) {
    auto form = MakeComponent<TKeepRunningForm>(nullptr);
    const std::string path = ParamStr(0);
    ASSERT_TRUE(std::filesystem::path(path).is_absolute());
    EXPECT_TRUE(std::filesystem::exists(path));
    // An earlier version's entry, the bare path, is the program's own: replaced, then cleared.
    WriteRawString(HKEY_CURRENT_USER, kStartupKey, "alarmclock", path);

    form->CheckBox4->UserClick();
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, OwnStartupCommand() + '\0'}));
    form->CheckBox4->UserClick();  // unticked: the entry goes
    EXPECT_FALSE(Entry());
    form->CheckBox4->SetChecked(true);  // ticked from code: the same command
    EXPECT_EQ(Entry(), (RawValue{REG_SZ, OwnStartupCommand() + '\0'}));

    EXPECT_EQ(StartupCommand("C:\\Users\\Ann\\Programs\\Alarm Clock\\alarmclock.exe"),
              "\"C:\\Users\\Ann\\Programs\\Alarm Clock\\alarmclock.exe\"");
    // No quoting holds a quote in a program's name; outside Windows the bare path starts the program.
    EXPECT_EQ(StartupCommand("/opt/\"alarm\"/alarmclock"), "/opt/\"alarm\"/alarmclock");
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
