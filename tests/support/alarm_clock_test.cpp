#include "tests/support/alarm_clock_test.h"

#include <filesystem>

#include "framework/param_str.h"
#include "settings/startup_entry.h"
#include "tests/support/raw_registry.h"

AlarmClockTest::AlarmClockTest() {
    desktop.Clock().SetLocalTime(2026, 7, 5, 7, 0, 0);
    AlarmDate = {0, 0, 0};
    TrayIdCounter = 0;
}

// The form goes before the hook list that its tray component uses.
AlarmClockTest::~AlarmClockTest() {
    if (Form1 != nullptr) Form1->Free();
}

void AlarmClockTest::Start() {
    application->SetTitle("Zelvo's Alarm Clock");
    application->SetShowMainForm(false);
    application->CreateForm(Form1);
}

void AlarmClockTest::Restart() {
    Form1->Free();
    AlarmDate = {0, 0, 0};
    TrayIdCounter = 0;
    Start();
}

void AlarmClockTest::ExpectWelcome() {
    script.OnMessageBox([this](const headless::MessageBoxCall& box) {
        EXPECT_TRUE(box.text.starts_with("Welcome to Zelvo's Alarm Clock.\r\r")) << box.text;
        EXPECT_EQ(box.caption, "Zelvo's Alarm Clock");
        EXPECT_EQ(Stored("intro"), "done");  // stored before the box shows
        return IDOK;
    });
}

void AlarmClockTest::ExpectMessage(const std::string& text) {
    script.OnMessageBox([text](const headless::MessageBoxCall& box) {
        EXPECT_EQ(box.text, text);
        return IDOK;
    });
}

bool AlarmClockTest::EndsWithAnExistingReadme(const std::string& text) {
    constexpr std::string_view lead = "\rMore about it in ";
    const std::size_t at = text.rfind(lead);
    if (at == std::string::npos) return false;
    const std::filesystem::path readme = text.substr(at + lead.size());
    return readme.filename() == "README.md" && std::filesystem::is_regular_file(readme);
}

std::optional<std::string> AlarmClockTest::Stored(const char* name) const {
    auto value = ReadRawValue(HKEY_CURRENT_USER, SettingsKey, name);
    if (!value) return std::nullopt;
    return std::string(value->bytes.c_str());
}

std::optional<std::string> AlarmClockTest::StartupEntry() const {
    auto value = ReadRawValue(HKEY_CURRENT_USER, kStartupKey, kStartupEntryName);
    if (!value) return std::nullopt;
    return std::string(value->bytes.c_str());
}

std::string OwnStartupCommand() { return '"' + ParamStr(0) + '"'; }

void AlarmClockTest::AdvanceTo(unsigned hour, unsigned minute, unsigned second) {
    const auto now = desktop.Clock().Now();
    const auto target = std::chrono::floor<std::chrono::days>(now) + std::chrono::hours{hour} +
                        std::chrono::minutes{minute} + std::chrono::seconds{second};
    ASSERT_GE(target, now) << "virtual time only goes forward";
    desktop.Advance(std::chrono::duration_cast<std::chrono::milliseconds>(target - now));
}

LRESULT AlarmClockTest::TrayClick(LPARAM mouse) {
    return SendMessageA(Form1->Handle(), TrayCallbackMessage, Form1->qzTray1->TrayId(), mouse);
}

HICON AlarmClockTest::ShownIcon() const {
    const auto& calls = desktop.Shell().notifyIconCalls;
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->message != NIM_DELETE) return it->data.hIcon;
    }
    return nullptr;
}
