// The fixture of the program's scenario tests: the real main form on the headless desktop, its registry
// in a fresh prefix, virtual time starting at 07:00:00 on Sunday 5 July 2026.
#pragma once

#include <string>

#include "alarm/alarm_date.h"
#include "app/main_form.h"
#include "settings/settings_store.h"
#include "tests/support/headless_test.h"

// The start-up entry "Keep Running" writes: this program's path in quotes.
std::string OwnStartupCommand();

class AlarmClockTest : public HeadlessTest {
  protected:
    AlarmClockTest();
    ~AlarmClockTest() override;

    // Starts the program as its entry does, up to its message loop: the title, the main form from its
    // layout and its creation handler.
    void Start();
    // Ends this run as a new process would begin: the form gone, the process-wide values back at zero.
    void Restart();
    // The first start greets the user once; this answers that box.
    void ExpectWelcome();
    // Answers the next box with OK after checking its text.
    void ExpectMessage(const std::string& text);
    // Whether a text's last line sends the user to a README that is there.
    static bool EndsWithAnExistingReadme(const std::string& text);

    std::optional<std::string> Stored(const char* name) const;
    void Store(const char* name, const std::string& text) { WriteSetting(SettingsKey, name, text); }
    std::optional<std::string> StartupEntry() const;

    // Advances virtual time to that time of today.
    void AdvanceTo(unsigned hour, unsigned minute, unsigned second = 0);

    // The user's actions.
    void Type(TEdit* field, const std::string& text) { field->UserEditText(text); }
    LRESULT TrayClick(LPARAM mouse);
    // The icon the shell shows now, after the last add or modification.
    HICON ShownIcon() const;
    static HICON Icon(const char* name) { return LoadIconA(GetModuleHandleA(nullptr), name); }

    qzMsgCmpUnit hooks;  // before the form, gone after it
    TForm1*& form = Form1;
};
