// Loading the stored alarm (or the defaults) at start, saving or clearing it when "Alarm Enabled" changes,
// and storing the defaults. The controls hold the alarm while the program runs; the settings key holds it
// between runs.
#include <charconv>

#include "alarm/alarm_date.h"
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/error_reporting.h"
#include "settings/settings_store.h"
#include "settings/startup_entry.h"

namespace {

const std::string kPlainTip = "Zelvo's Alarm Clock";
const std::string kEnabledTip = "Zelvo's Alarm Clock ENABLED";

const std::string kWelcomeText =
    "Welcome to Zelvo's Alarm Clock.\r"
    "\r"
    "The purpose of this program is to simply\r"
    "be an simple, small, free yet usable alarmclock.\r"
    "Set it up as you want, pressing \"save defaults\"\r"
    "will save the currents settings as default.\r"
    "Most functions are self-explained, the media-file\r"
    "capability will play any type of mci-supported file\r"
    "when the alarm triggers, like wav, avi, mpg etc.\r"
    "Oh btw... this message will only appear once ;)\r"
    "\r"
    "Feel free to pass this program on to anyone who may like it.\r"
    "Comments and ideas are welcome at alarmclock@example.org";

std::string Read(const char* name, const std::string& defaultValue = "") {
    return ReadSetting(SettingsKey, name, defaultValue);
}

void Write(const char* name, const std::string& text) { WriteSetting(SettingsKey, name, text); }

// A stored date part: unsigned decimal digits only; anything else gives nothing.
std::optional<WORD> DatePart(const std::string& text) {
    unsigned value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<WORD>(value);
}

TDate Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return TDate{now.wYear, now.wMonth, now.wDay};
}

}  // namespace

// A one-time alarm stored yesterday for tomorrow must fire tomorrow: its date comes back before anything
// can save the alarm again. Absent or impossible parts give today.
void TForm1::RestoreAlarmDate() {
    const auto year = DatePart(Read(setting::kYear));
    const auto month = DatePart(Read(setting::kMonth));
    const auto day = DatePart(Read(setting::kDay));
    const TDate date =
        year && month && day && IsValidDate(*year, *month, *day) ? TDate{*year, *month, *day} : Today();
    datepick->SetDate(date);
    AlarmDate = {date.Year, date.Month, date.Day};
}

// A stored media file is in force again: the player opens it and "Play Media" is ticked without asking
// for a file. One that cannot be opened is reported once and leaves the box unticked.
void TForm1::RestoreMediaFile(const std::string& fileName) {
    MediaPlayer1->SetFileName(fileName);
    MediaPlayer1->SetDeviceType(dtAutoSelect);
    ReportErrors([this] {
        MediaPlayer1->Open();
        CheckBox3->SetClicksDisabled(true);
        CheckBox3->SetChecked(true);
        CheckBox3->SetClicksDisabled(false);
    });
}

// The same text again changes nothing, so the check box is brought in line by its handler directly.
void TForm1::ApplyStoredMessage(const std::string& text) {
    if (message->Text() == text) {
        messageChange(this);
    } else {
        message->SetText(text);
    }
}

void TForm1::OnInit(TObject*) {
    RestoreAlarmDate();
    hour->SetText(Read(setting::kHour));
    min->SetText(Read(setting::kMinute));  // both filled: arms and saves at once
    ApplyStoredMessage(Read(setting::kMessage));
    runapp->SetText(Read(setting::kRunApp));
    if (IsSet(Read(setting::kKeepRunning))) CheckBox4->SetChecked(true);
    if (IsSet(Read(setting::kDaily))) CheckBox8->SetChecked(true);
    if (const std::string sound = Read(setting::kSound); !sound.empty()) RestoreMediaFile(sound);
    if (IsSet(Read(setting::kCloseAfter))) CheckBox6->SetChecked(true);
    if (IsSet(Read(setting::kEnabled))) {
        CheckBox1->SetChecked(true);
        Hide();
        return;
    }

    hour->SetText(Read(setting::kDefaultHour));
    min->SetText(Read(setting::kDefaultMinute));
    ApplyStoredMessage(Read(setting::kDefaultMessage));
    runapp->SetText(Read(setting::kDefaultRunApp));
    Show();
    if (IsSet(Read(setting::kDefaultKeepRunning))) CheckBox4->SetChecked(true);
    if (IsSet(Read(setting::kDefaultDaily))) CheckBox8->SetChecked(true);
    if (const std::string sound = Read(setting::kDefaultSound); !sound.empty()) RestoreMediaFile(sound);
    if (IsSet(Read(setting::kDefaultCloseAfter))) CheckBox6->SetChecked(true);
    if (Read(setting::kIntro, "false") == "false") {
        Write(setting::kIntro, "done");
        ShowMessage(kWelcomeText);
    }
    const TDate today = Today();
    datepick->SetDate(today);
    AlarmDate = {today.Year, today.Month, today.Day};
    LastAlarmDay = 0;
}

void TForm1::OnAlarmClick(TObject*) {
    if (!CheckBox1->Checked()) {
        ClearSettings();
        qzTray1->SetTip(kPlainTip);
        return;
    }
    Write(setting::kEnabled, setting::kTrue);
    Write(setting::kHour, hour->Text());
    Write(setting::kMinute, min->Text());
    Write(setting::kYear, std::to_string(AlarmDate.Year));
    Write(setting::kMonth, std::to_string(AlarmDate.Month));
    Write(setting::kDay, std::to_string(AlarmDate.Day));
    if (CheckBox2->Checked()) Write(setting::kMessage, message->Text());
    if (CheckBox3->Checked()) Write(setting::kSound, MediaPlayer1->FileName());
    if (CheckBox4->Checked()) Write(setting::kKeepRunning, setting::kTrue);
    if (CheckBox5->Checked()) Write(setting::kRunApp, runapp->Text());
    if (CheckBox6->Checked()) Write(setting::kCloseAfter, setting::kTrue);
    if (CheckBox8->Checked()) Write(setting::kDaily, setting::kTrue);
    qzTray1->SetTip(kEnabledTip);
}

// Default texts stored earlier stay when their box is now unticked; the default booleans go first.
void TForm1::Button3Click(TObject*) {
    Write(setting::kDefaultHour, hour->Text());
    Write(setting::kDefaultMinute, min->Text());
    DeleteSetting(SettingsKey, setting::kDefaultKeepRunning);
    DeleteSetting(SettingsKey, setting::kDefaultCloseAfter);
    DeleteSetting(SettingsKey, setting::kDefaultDaily);
    if (CheckBox2->Checked()) Write(setting::kDefaultMessage, message->Text());
    if (CheckBox3->Checked()) Write(setting::kDefaultSound, MediaPlayer1->FileName());
    if (CheckBox4->Checked()) Write(setting::kDefaultKeepRunning, setting::kTrue);
    if (CheckBox5->Checked()) Write(setting::kDefaultRunApp, runapp->Text());
    if (CheckBox6->Checked()) Write(setting::kDefaultCloseAfter, setting::kTrue);
    if (CheckBox8->Checked()) Write(setting::kDefaultDaily, setting::kTrue);
    ShowMessage("Default settings saved.");
}

void TForm1::CheckBox4Click(TObject*) { ApplyKeepRunning(CheckBox4->Checked()); }
