// Which peer a control gets, by the most derived kind it is: one order for every back end that shows
// controls on a screen. The back end linked in defines one MakePeer a kind, beside that kind's peer.
#pragma once

#include <memory>

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/image.h"
#include "framework/media_player.h"
#include "framework/widgetset/screen_peer.h"

namespace peer_kinds {

using Peer = std::unique_ptr<widgetset::ScreenPeer>;

Peer MakePeer(TForm& form);
Peer MakePeer(TGroupBox& groupBox);
Peer MakePeer(TPanel& panel);
Peer MakePeer(TLabel& label);
Peer MakePeer(TImage& image);
Peer MakePeer(TButton& button);
Peer MakePeer(TCheckBox& checkBox);
Peer MakePeer(TEdit& edit);
Peer MakePeer(TDateTimePicker& picker);
// The rest: a plain window that holds children at their positions, shown only where everShown.
Peer MakePeer(TControl& control, bool everShown);

template <class Control>
Control* As(TControl& control) {
    return control.InheritsFrom(Control::Class) ? &static_cast<Control&>(control) : nullptr;
}

// A media player's window is never shown: it plays through the back end's media device.
inline Peer PeerOfKind(TControl& control) {
    if (auto* form = As<TForm>(control)) return MakePeer(*form);
    if (auto* groupBox = As<TGroupBox>(control)) return MakePeer(*groupBox);
    if (auto* panel = As<TPanel>(control)) return MakePeer(*panel);
    if (auto* label = As<TLabel>(control)) return MakePeer(*label);
    if (auto* image = As<TImage>(control)) return MakePeer(*image);
    if (auto* button = As<TButton>(control)) return MakePeer(*button);
    if (auto* checkBox = As<TCheckBox>(control)) return MakePeer(*checkBox);
    if (auto* edit = As<TEdit>(control)) return MakePeer(*edit);
    if (auto* picker = As<TDateTimePicker>(control)) return MakePeer(*picker);
    return MakePeer(control, !control.InheritsFrom(TMediaPlayer::Class));
}

// The peer of the control's kind, showing the control's current state.
inline Peer NewPeer(TControl& control) {
    Peer peer = PeerOfKind(control);
    peer->ShowAll();
    return peer;
}

}  // namespace peer_kinds
