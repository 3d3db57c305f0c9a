// The alarm's values that the window's controls hold: each value once, with its default and its control,
// and the orders in which loading and storing go through them.
#pragma once

#include <array>

#include "app/main_form.h"
#include "settings/setting_names.h"

// How the window holds a value, and so how it is loaded and what is stored for it.
enum class Holder {
    Text,       // an edit's text
    Message,    // the message's text, which also ticks "Message" when it is not empty
    Flag,       // its box: stored as "true" while ticked
    MediaFile,  // the player's file: loading opens it and ticks "Play Media"
};

struct AlarmValue {
    const char* name;         // the stored alarm's value
    const char* defaultName;  // the value "Set Defaults" stores and a start without an alarm loads
    Holder holder;
    TEdit* TForm1::*edit;     // the edit of a Text or Message, else null
    TCheckBox* TForm1::*box;  // stored while this box is ticked, deleted while unticked; null: always stored
};

inline constexpr AlarmValue kHourValue{setting::kHour, setting::kDefaultHour, Holder::Text, &TForm1::hour,
                                       nullptr};
inline constexpr AlarmValue kMinuteValue{setting::kMinute, setting::kDefaultMinute, Holder::Text, &TForm1::min,
                                         nullptr};
inline constexpr AlarmValue kMessageValue{setting::kMessage, setting::kDefaultMessage, Holder::Message,
                                          &TForm1::message, &TForm1::CheckBox2};
inline constexpr AlarmValue kSoundValue{setting::kSound, setting::kDefaultSound, Holder::MediaFile, nullptr,
                                        &TForm1::CheckBox3};
inline constexpr AlarmValue kKeepRunningValue{setting::kKeepRunning, setting::kDefaultKeepRunning, Holder::Flag,
                                              nullptr, &TForm1::CheckBox4};
inline constexpr AlarmValue kRunAppValue{setting::kRunApp, setting::kDefaultRunApp, Holder::Text,
                                         &TForm1::runapp, &TForm1::CheckBox5};
inline constexpr AlarmValue kCloseAfterValue{setting::kCloseAfter, setting::kDefaultCloseAfter, Holder::Flag,
                                             nullptr, &TForm1::CheckBox6};
inline constexpr AlarmValue kDailyValue{setting::kDaily, setting::kDefaultDaily, Holder::Flag, nullptr,
                                        &TForm1::CheckBox8};

// Loading sets the controls in this order, and the order is behaviour: setting a control runs its handler
// (the hour and then the minute arm the alarm and save it, with whatever the boxes hold by then). The texts
// come first; a start without a stored alarm shows the window between the texts and the boxes.
inline constexpr std::array kLoadedTexts = {&kHourValue, &kMinuteValue, &kMessageValue, &kRunAppValue};
inline constexpr std::array kLoadedBoxes = {&kKeepRunningValue, &kDailyValue, &kSoundValue, &kCloseAfterValue};

// Done and "Set Defaults" store the time first, then the values that their boxes decide, in this order.
inline constexpr std::array kStoredTime = {&kHourValue, &kMinuteValue};
inline constexpr std::array kStoredByBox = {&kMessageValue, &kSoundValue,      &kKeepRunningValue,
                                            &kRunAppValue,  &kCloseAfterValue, &kDailyValue};
