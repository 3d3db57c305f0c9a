#include "framework/widgetset/screen_peer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/check_box.h"
#include "framework/form.h"
#include "tests/support/headless_test.h"

namespace {

using widgetset::Aspect;

// A peer that writes down which part of its control it was told to show, in order.
class RecordingPeer : public widgetset::ScreenPeer {
  public:
    explicit RecordingPeer(TControl& control, bool everShown = true) : ScreenPeer(control, everShown) {}
    HWND Handle() override { return nullptr; }

    std::vector<std::string> shown;

  protected:
    void ShowAspect(Aspect aspect) override { shown.push_back("aspect " + std::to_string(int(aspect))); }
    void ShowBounds() override { shown.push_back("bounds"); }
    void ShowVisible() override { shown.push_back(Shown() ? "visible" : "hidden"); }
    void ShowEnabled() override { shown.push_back("enabled"); }
    void ShowHint(const std::string& hint) override { shown.push_back("hint '" + hint + "'"); }
    void ShowFont() override { shown.push_back("font"); }
};

class ScreenPeerTest : public HeadlessTest {
  protected:
    ScreenPeerTest() { box->SetParent(form.get()); }

    ComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
    TCheckBox* box = new TCheckBox(form.get());
};

TEST_F(ScreenPeerTest, EveryAspectIsShownFontFirstAndTheKindsOwnGoToTheKind) {
    RecordingPeer peer(*box);
    peer.ShowAll();
    const std::vector<std::string> expected{"font",
                                            "bounds",  // once, after the font that texts are fitted to
                                            "enabled",
                                            "aspect " + std::to_string(int(Aspect::Caption)),
                                            "hint ''",
                                            "aspect " + std::to_string(int(Aspect::Checked)),
                                            "aspect " + std::to_string(int(Aspect::MaxLength)),
                                            "aspect " + std::to_string(int(Aspect::Date)),
                                            "aspect " + std::to_string(int(Aspect::Picture)),
                                            "visible"};
    EXPECT_EQ(peer.shown, expected);
}

TEST_F(ScreenPeerTest, AHintIsShownOnlyWhereTheControlOrTheParentItFollowsShowsHints) {
    box->SetHint("Tick to play");
    RecordingPeer peer(*box);

    peer.Changed(Aspect::Hint);  // follows the form, which shows none
    form->SetShowHint(true);
    peer.Changed(Aspect::Hint);
    box->SetParentShowHint(false);  // its own, off
    peer.Changed(Aspect::Hint);
    box->SetShowHint(true);
    peer.Changed(Aspect::Hint);

    EXPECT_EQ(peer.shown,
              (std::vector<std::string>{"hint ''", "hint 'Tick to play'", "hint ''", "hint 'Tick to play'"}));
}

TEST_F(ScreenPeerTest, InheritedAspectsAreShownAgainOnTheChildrenThatHavePeers) {
    box->Peer();
    RecordingPeer formPeer(*form);
    formPeer.Changed(Aspect::Font);
    formPeer.Changed(Aspect::Hint);
    formPeer.Changed(Aspect::Enabled);  // not inherited

    EXPECT_EQ(desktop.PeerUpdates(*box, Aspect::Font), 1);
    EXPECT_EQ(desktop.PeerUpdates(*box, Aspect::Hint), 1);
    EXPECT_EQ(desktop.PeerUpdates(*box, Aspect::Enabled), 0);
}

TEST_F(ScreenPeerTest, AControlThatWorksUnseenIsNeverShown) {
    RecordingPeer unseen(*box, false);
    RecordingPeer seen(*box);
    unseen.Changed(Aspect::Visible);
    seen.Changed(Aspect::Visible);
    box->SetVisible(false);
    seen.Changed(Aspect::Visible);

    EXPECT_EQ(unseen.shown, std::vector<std::string>{"hidden"});
    EXPECT_EQ(seen.shown, (std::vector<std::string>{"visible", "hidden"}));
}

}  // namespace
