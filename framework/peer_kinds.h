// Which peer a control gets, by the most derived kind it is: one order for every back end. A back end names
// its peer classes in a struct (Base, Form, GroupBox, Panel, Label, Image, Button, CheckBox, Edit,
// DatePicker, and Plain for the rest, which takes whether the control's window is ever shown).
#pragma once

#include <memory>

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/image.h"
#include "framework/media_player.h"

namespace peer_kinds {

template <class Control>
Control* As(TControl& control) {
    return control.InheritsFrom(Control::Class) ? &static_cast<Control&>(control) : nullptr;
}

// A media player's window is never shown: it plays through the back end's media device.
template <class Peers>
std::unique_ptr<typename Peers::Base> NewPeer(TControl& control) {
    if (auto* form = As<TForm>(control)) return std::make_unique<typename Peers::Form>(*form);
    if (auto* groupBox = As<TGroupBox>(control)) return std::make_unique<typename Peers::GroupBox>(*groupBox);
    if (auto* panel = As<TPanel>(control)) return std::make_unique<typename Peers::Panel>(*panel);
    if (auto* label = As<TLabel>(control)) return std::make_unique<typename Peers::Label>(*label);
    if (auto* image = As<TImage>(control)) return std::make_unique<typename Peers::Image>(*image);
    if (auto* button = As<TButton>(control)) return std::make_unique<typename Peers::Button>(*button);
    if (auto* checkBox = As<TCheckBox>(control)) return std::make_unique<typename Peers::CheckBox>(*checkBox);
    if (auto* edit = As<TEdit>(control)) return std::make_unique<typename Peers::Edit>(*edit);
    if (auto* picker = As<TDateTimePicker>(control))
        return std::make_unique<typename Peers::DatePicker>(*picker);
    return std::make_unique<typename Peers::Plain>(control, !control.InheritsFrom(TMediaPlayer::Class));
}

}  // namespace peer_kinds
