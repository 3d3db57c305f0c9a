// Loading the stored alarm (or the defaults) at start, saving or clearing it when "Alarm Enabled" changes,
// and storing the defaults. The controls hold the alarm while the program runs; the settings key holds it
// between runs.
#include <algorithm>
#include <charconv>
#include <functional>
#include <span>

#include "alarm/alarm_date.h"
#include "alarm/system_clock.h"
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/date.h"
#include "framework/dialogs.h"
#include "framework/error_reporting.h"
#include "framework/problems.h"
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

// Marks the form as being loaded; the alarm is armed from the store once the load is over.
class Restoring {
  public:
    explicit Restoring(bool& restoring) : restoring_(restoring) { restoring_ = true; }
    ~Restoring() { restoring_ = false; }
    Restoring(const Restoring&) = delete;
    Restoring& operator=(const Restoring&) = delete;

  private:
    bool& restoring_;
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

// A stored media file is in force again: "Play Media" is ticked without asking for a file, and the player
// opens it. One that cannot be opened now (deleted, on a drive not yet mounted) is reported and stays
// chosen: the alarm tries it again, and sounds the tone if it still cannot play.
void TForm1::RestoreMediaFile(const std::string& fileName) {
    MediaPlayer1->SetFileName(fileName);
    MediaPlayer1->SetDeviceType(dtAutoSelect);
    CheckBox3->SetClicksDisabled(true);
    CheckBox3->SetChecked(true);
    CheckBox3->SetClicksDisabled(false);
    MediaPlayer1->Open();
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
    // alarm. Nothing is stored while the controls are set: a store that an interrupted save left mixed
    // must not be armed, nor written back, by the load.
    Problems problems;
    bool readFailed = false;
    const auto readStep = [&](const std::function<void()>& step) { readFailed |= !problems.Try(step); };
    bool armed = false;
    std::optional<std::chrono::minutes> timeOfDay;
    std::optional<SettingsKeyHold> held;  // the load and the save below, up to the first box
    held.emplace();
    {
        const Restoring duringLoad(restoring_);
        readStep([this] { RestoreAlarmDate(); });
        for (const AlarmValue* value : kLoadedTexts) readStep([&] { load(*value, &AlarmValue::name); });
        for (const AlarmValue* value : kLoadedBoxes) readStep([&] { load(*value, &AlarmValue::name); });
        readStep([&] { armed = IsSet(Read(setting::kEnabled)); });
        timeOfDay = AlarmTimeOfDay(hour->Text(), min->Text());
        if (armed && !timeOfDay) {
            // An alarm that could never ring is not armed; it is told once, as it is no longer stored armed.
            armed = false;
            problems.Add(ImpossibleTimeText(hour->Text(), min->Text()));
            readStep([] { DeleteSetting(SettingsKey, setting::kEnabled); });
        }
        if (armed) {
            alarm_ = LoadedAlarm(*timeOfDay);
            armedFrom_ = ShownAlarmTime();
            CheckBox1->SetChecked(true);
            Hide();
        } else {
            for (const AlarmValue* value : kLoadedTexts) {
                readStep([&] { load(*value, &AlarmValue::defaultName); });
            }
            Show();
            for (const AlarmValue* value : kLoadedBoxes) {
                readStep([&] { load(*value, &AlarmValue::defaultName); });
            }
            // The defaults' time comes next: today while it is still ahead, else tomorrow.
            timeOfDay = AlarmTimeOfDay(hour->Text(), min->Text());
            const LocalDay day = timeOfDay ? NextOccurrence(*timeOfDay, SystemNow(), SystemLocalReading)
                                           : DayAt(SystemNow(), SystemLocalReading);
            const SYSTEMTIME date = ToSystemTime(LocalReading{day});
            datepick->SetDate(TDate{date.wYear, date.wMonth, date.wDay});
            AlarmDate = {date.wYear, date.wMonth, date.wDay};
        }
    }
    // The defaults' alarm is stored with what the window now shows, or the next start would ring it
    // without them. Not after a failed read: the window then shows less than the store holds, and the save
    // would delete the rest; the alarm is armed all the same.
    if (!armed && CheckBox1->Checked()) {
        if (readFailed) {
            alarm_ = WindowAlarm().alarm;
            armedFrom_ = ShownAlarmTime();
        } else {
            problems.Try([this] { SaveAlarm(); });
        }
    }
    held.reset();
    ShowAlarmState();
    HoldAlarmWakeUp();
    problems.Report();
    if (!armed && Read(setting::kIntro, "false") == "false") {
        Write(setting::kIntro, "done");
        ShowMessage(kWelcomeText + ReadmeLocation());
    }
}

// A daily alarm's last day comes from the store; a store without one (an older version's) takes every
// moment already past as behind it, so a start never rings again what rang before it.
ArmedAlarm TForm1::LoadedAlarm(std::chrono::minutes timeOfDay) const {
    const Instant now = SystemNow();
    const LocalDay date = ToLocalDay(AlarmDate.Year, AlarmDate.Month, AlarmDate.Day);
    ArmedAlarm alarm = *ArmAlarm(timeOfDay, true, date, now, SystemLocalReading).alarm;
    alarm.daily = CheckBox8->Checked();
    const std::string lastDay = Read(setting::kLastDay);
    if (alarm.daily && !lastDay.empty()) {
        try {
            const TDate day = IsoToDate(lastDay);
            alarm.lastDay = ToLocalDay(day.Year, day.Month, day.Day);
        } catch (const std::exception&) {
        }
    }
    return alarm;
}

ArmResult TForm1::WindowAlarm() const {
    const Instant now = SystemNow();
    const LocalDay date = IsValidDate(AlarmDate.Year, AlarmDate.Month, AlarmDate.Day)
                              ? ToLocalDay(AlarmDate.Year, AlarmDate.Month, AlarmDate.Day)
                              : DayAt(now, SystemLocalReading);
    return ArmAlarm(AlarmTimeOfDay(hour->Text(), min->Text()), CheckBox8->Checked(), date, now,
                    SystemLocalReading);
}

TForm1::ShownTime TForm1::ShownAlarmTime() const {
    return {hour->Text(), min->Text(), CheckBox8->Checked(), AlarmDate.Year, AlarmDate.Month, AlarmDate.Day};
}

void TForm1::FollowWindow() {
    if (!CheckBox1->Checked() || armedFrom_ == ShownAlarmTime()) return;
    alarm_ = WindowAlarm().alarm;
    armedFrom_ = ShownAlarmTime();
    ShowAlarmState();
}

void TForm1::OnAlarmClick(TObject*) {
    if (restoring_) return;
    if (!CheckBox1->Checked()) {
        alarm_.reset();
        armedFrom_.reset();
        storeBehind_ = false;
        ShowAlarmState();
        HoldAlarmWakeUp();
        ClearSettings();
    } else {
        SaveAlarm();
    }
}

void TForm1::Hidden() {
    if (restoring_ || !CheckBox1->Checked()) return;
    ReportErrors([this] { SaveAlarm(); });
}

void TForm1::ShowAlarmState() { qzTray1->SetTip(alarm_ ? kEnabledTip : kPlainTip); }

void TForm1::ShowAlarmOver() {
    armedFrom_.reset();
    CheckBox1->SetClicksDisabled(true);
    CheckBox1->SetChecked(false);
    CheckBox1->SetClicksDisabled(false);
    ShowAlarmState();
}

void TForm1::StoreAfterCall(Problems* problems) {
    storeBehind_ = true;
    const auto store = [this] {
        if (!alarm_) {
            ClearSettings();
        } else if (alarm_->daily) {
            Write(setting::kLastDay, DateToIso(ToTDate(alarm_->lastDay)));
        }
    };
    try {
        store();
        storeBehind_ = false;
    } catch (const std::exception& error) {
        if (problems != nullptr) problems->Add(error.what());
    }
}

// Each value that is always stored or whose box is ticked, with its text, under its own name or its
// default's (nameOf picks which). The value of an unticked box is to be deleted (no text), or the next load
// would tick the box again from it (and report a media file since deleted at every start).
TForm1::StoredValues TForm1::ValuesToStore(std::span<const AlarmValue* const> values,
                                           const char* AlarmValue::*nameOf) const {
    StoredValues stored;
    for (const AlarmValue* value : values) {
        const bool kept = value->box == nullptr || (this->*value->box)->Checked();
        stored.emplace_back(value->*nameOf, kept ? std::optional(StoredText(*this, *value)) : std::nullopt);
    }
    return stored;
}

bool TForm1::StoreHolds(const StoredValues& values) {
    const std::string missing(1, '\0');  // no stored text holds a NUL
    return IsSet(Read(setting::kEnabled)) && std::ranges::all_of(values, [&](const auto& value) {
               return Read(value.first, missing) == value.second.value_or(missing);
           });
}

void TForm1::Store(const StoredValues& values) {
    for (const auto& [name, text] : values) {
        if (text) {
            Write(name, *text);
        } else {
            DeleteSetting(SettingsKey, name);
        }
    }
}

// The stored alarm is wholly the old one or wholly the new one after any interruption: one unit, and where
// writes stand alone (Windows) disarmed first and armed last, so that a half-done save is no alarm at all
// (the load arms only what says "enabled", and stores nothing while it sets the window). A save of what
// the store already holds writes nothing.
void TForm1::SaveAlarm() {
    const SettingsKeyHold held;
    const ArmResult armed = WindowAlarm();
    alarm_ = armed.alarm;
    armedFrom_ = ShownAlarmTime();
    storeBehind_ = false;
    ShowAlarmState();
    HoldAlarmWakeUp();
    if (!alarm_) {
        ClearSettings();
        return;
    }
    StoredValues values = ValuesToStore(kStoredTime, &AlarmValue::name);
    const TDate date =
        alarm_->daily ? TDate{AlarmDate.Year, AlarmDate.Month, AlarmDate.Day} : ToTDate(alarm_->date);
    values.emplace_back(setting::kYear, std::to_string(date.Year));
    values.emplace_back(setting::kMonth, std::to_string(date.Month));
    values.emplace_back(setting::kDay, std::to_string(date.Day));
    values.emplace_back(setting::kLastDay,
                        alarm_->daily ? std::optional(DateToIso(ToTDate(alarm_->lastDay))) : std::nullopt);
    const StoredValues byBox = ValuesToStore(kStoredByBox, &AlarmValue::name);
    values.insert(values.end(), byBox.begin(), byBox.end());
    if (!StoreHolds(values)) {
        SettingsUnit unit;
        DeleteSetting(SettingsKey, setting::kEnabled);
        Store(values);
        Write(setting::kEnabled, setting::kTrue);
        unit.Keep();
    }
    // A new alarm, and one that rang and stays armed, keep the start-up entry.
    if (CheckBox4->Checked()) ApplyKeepRunning(true);
}

void TForm1::Button3Click(TObject*) {
    SettingsUnit unit;
    Store(ValuesToStore(kStoredTime, &AlarmValue::defaultName));
    Store(ValuesToStore(kStoredByBox, &AlarmValue::defaultName));
    unit.Keep();
    ShowMessage("Default settings saved.");
}

void TForm1::CheckBox4Click(TObject*) { ApplyKeepRunning(CheckBox4->Checked()); }
