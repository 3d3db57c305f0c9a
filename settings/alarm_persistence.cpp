// Loading the stored alarm (or the defaults) at start, saving or clearing it when "Alarm Enabled" changes,
// and storing the defaults. The controls hold the alarm while the program runs; the settings key holds it
// between runs.
#include <algorithm>
#include <charconv>
#include <functional>
#include <span>
#include <vector>

#include "alarm/alarm_date.h"
#include "alarm/alarm_moment.h"
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/error_reporting.h"
#include "platform/readme_location.h"
#include "settings/alarm_values.h"
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
    "More about it in ";

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

// The text stored for a value: its edit's text, the media file, or "true" for a ticked box.
std::string StoredText(const TForm1& form, const AlarmValue& value) {
    switch (value.holder) {
        case Holder::Text:
        case Holder::Message:
            return (form.*value.edit)->Text();
        case Holder::MediaFile:
            return form.MediaPlayer1->FileName();
        case Holder::Flag:
            break;
    }
    return setting::kTrue;
}

// Marks the form as being loaded for the saves the load runs, also when a failure ends it early.
class Restoring {
  public:
    explicit Restoring(bool& restoring) : restoring_(restoring) { restoring_ = true; }
    ~Restoring() { restoring_ = false; }
    Restoring(const Restoring&) = delete;
    Restoring& operator=(const Restoring&) = delete;

  private:
    bool& restoring_;
};

// What goes wrong while loading, told in one box once the load is over, each cause once.
class LoadProblems {
  public:
    // Runs a step of the load; a failure is noted and the load goes on with the next.
    void Try(const std::function<void()>& step) {
        try {
            step();
        } catch (const std::exception& error) {
            Add(error.what());
        }
    }
    void Add(const std::string& text) {
        if (std::find(texts_.begin(), texts_.end(), text) == texts_.end()) texts_.push_back(text);
    }
    bool None() const { return texts_.empty(); }
    void Report() const {
        if (None() || Application == nullptr) return;
        std::string text = texts_.front();
        for (std::size_t i = 1; i < texts_.size(); ++i) text += "\r\r" + texts_[i];
        Application->ShowException(text);
    }

  private:
    std::vector<std::string> texts_;
};

std::string ImpossibleTimeText(const std::string& hourText, const std::string& minuteText) {
    return "The alarm stored for \"" + hourText + ":" + minuteText +
           "\" could never go off: that is no time of day. It is not set; set a new one in the settings "
           "window.";
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
// for a file. One that cannot be opened leaves the box unticked; the load reports it.
void TForm1::RestoreMediaFile(const std::string& fileName) {
    MediaPlayer1->SetFileName(fileName);
    MediaPlayer1->SetDeviceType(dtAutoSelect);
    MediaPlayer1->Open();
    CheckBox3->SetClicksDisabled(true);
    CheckBox3->SetChecked(true);
    CheckBox3->SetClicksDisabled(false);
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
    // Sets a value's control from the value stored under its own name or its default's (nameOf picks which).
    const auto load = [this](const AlarmValue& value, const char* AlarmValue::*nameOf) {
        const std::string text = Read(value.*nameOf);
        switch (value.holder) {
            case Holder::Text:
                (this->*value.edit)->SetText(text);
                break;
            case Holder::Message:
                ApplyStoredMessage(text);
                break;
            case Holder::Flag:
                if (IsSet(text)) (this->*value.box)->SetChecked(true);
                break;
            case Holder::MediaFile:
                if (!text.empty()) RestoreMediaFile(text);
                break;
        }
    };

    // No box opens until the load is over: the loop of a box would run the alarm check on a half-loaded
    // alarm, and the load would then go on over what the firing changed.
    LoadProblems problems;
    bool armed = false;
    {
        const Restoring duringLoad(restoring_);
        problems.Try([this] { RestoreAlarmDate(); });
        for (const AlarmValue* value : kLoadedTexts) problems.Try([&] { load(*value, &AlarmValue::name); });
        for (const AlarmValue* value : kLoadedBoxes) problems.Try([&] { load(*value, &AlarmValue::name); });
        problems.Try([&] { armed = IsSet(Read(setting::kEnabled)); });
        if (armed && !AlarmTimeOfDay(hour->Text(), min->Text())) {
            // An alarm that could never fire is not armed; it is told once, as it is no longer stored armed.
            armed = false;
            problems.Add(ImpossibleTimeText(hour->Text(), min->Text()));
            problems.Try([] { DeleteSetting(SettingsKey, setting::kEnabled); });
        }
        if (armed) {
            problems.Try([this] { CheckBox1->SetChecked(true); });
            Hide();
        } else {
            for (const AlarmValue* value : kLoadedTexts) {
                problems.Try([&] { load(*value, &AlarmValue::defaultName); });
            }
            Show();
            for (const AlarmValue* value : kLoadedBoxes) {
                problems.Try([&] { load(*value, &AlarmValue::defaultName); });
            }
            const TDate today = Today();
            datepick->SetDate(today);
            AlarmDate = {today.Year, today.Month, today.Day};
        }
        LastAlarmDay = 0;
    }
    // The defaults' time armed the alarm before their boxes were restored; the stored alarm is what the
    // window now shows, or the next start would fire it without them. Not after a failed read: the window
    // then shows less than the store holds, and the save would delete the rest.
    if (!armed && CheckBox1->Checked() && problems.None()) problems.Try([this] { SaveAlarm(); });
    problems.Report();
    if (!armed && Read(setting::kIntro, "false") == "false") {
        Write(setting::kIntro, "done");
        ShowMessage(kWelcomeText + ReadmeLocation());
    }
}

void TForm1::OnAlarmClick(TObject*) {
    if (!CheckBox1->Checked()) {
        ClearSettings();
        qzTray1->SetTip(kPlainTip);
    } else {
        SaveAlarm();
    }
    HoldAlarmWakeUp();
}

// Stores each value that is always stored or whose box is ticked, under its own name or its default's
// (nameOf picks which). The value of an unticked box is deleted, or the next load would tick the box again
// from it (and report a media file since deleted at every start); only the load's own saves keep it.
void TForm1::Store(std::span<const AlarmValue* const> values, const char* AlarmValue::*nameOf) {
    for (const AlarmValue* value : values) {
        if (value->box == nullptr || (this->*value->box)->Checked()) {
            Write(value->*nameOf, StoredText(*this, *value));
        } else if (!restoring_) {
            DeleteSetting(SettingsKey, value->*nameOf);
        }
    }
}

// The stored alarm is wholly the old one or wholly the new one after any interruption: one unit, and where
// writes stand alone (Windows) disarmed first and armed last, so that a half-done save is no alarm at all.
void TForm1::SaveAlarm() {
    {
        SettingsUnit unit;
        DeleteSetting(SettingsKey, setting::kEnabled);
        Store(kStoredTime, &AlarmValue::name);
        Write(setting::kYear, std::to_string(AlarmDate.Year));
        Write(setting::kMonth, std::to_string(AlarmDate.Month));
        Write(setting::kDay, std::to_string(AlarmDate.Day));
        Store(kStoredByBox, &AlarmValue::name);
        Write(setting::kEnabled, setting::kTrue);
        unit.Keep();
    }
    // The firing cleared the entry and left the box ticked: a new alarm needs it written again.
    if (CheckBox4->Checked()) ApplyKeepRunning(true);
    qzTray1->SetTip(kEnabledTip);
}

void TForm1::Button3Click(TObject*) {
    SettingsUnit unit;
    Store(kStoredTime, &AlarmValue::defaultName);
    Store(kStoredByBox, &AlarmValue::defaultName);
    unit.Keep();
    ShowMessage("Default settings saved.");
}

void TForm1::CheckBox4Click(TObject*) { ApplyKeepRunning(CheckBox4->Checked()); }
