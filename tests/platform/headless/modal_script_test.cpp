#include <string>
#include <vector>

#include "framework/menu_item.h"
#include "framework/open_dialog.h"
#include "framework/popup_menu.h"
#include "tests/support/headless_test.h"

using ModalScriptTest = HeadlessTest;

TEST_F(ModalScriptTest, ScriptedAnswersAreUsedInOrderAndMayNest) {
    std::vector<std::string> seen;
    script.OnMessageBox([&](const headless::MessageBoxCall& outer) {
        seen.push_back(outer.text);
        // While the outer box waits, something opens another one.
        seen.push_back(std::to_string(MessageBoxA(nullptr, "inner", "c", MB_YESNO)));
        return IDYES;
    });
    script.AnswerMessageBox(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "outer", "c", MB_YESNO), IDYES);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer", std::to_string(IDNO)}));
    EXPECT_EQ(script.MessageBoxesShown().size(), 2u);
}

TEST_F(ModalScriptTest, AnUnexpectedBoxIsRecordedForTheFixtureToReport) {
    EXPECT_EQ(MessageBoxA(nullptr, "surprise", "c", MB_OK), 0);
    ASSERT_EQ(script.Unexpected().size(), 1u);
    EXPECT_EQ(script.Unexpected()[0], "message box \"c\": surprise");
    script.Reset();  // this test expected it; the fixture would fail otherwise
}

TEST_F(ModalScriptTest, OpenDialogsAndMenusAreAnsweredByTheScript) {
    auto form = MakeComponent<TComponent>(nullptr);
    auto* dialog = new TOpenDialog(form.get());
    dialog->SetTitle("Select an application to run:");
    dialog->SetFilter("Executable File|*.exe");
    script.OnOpenDialog([](const widgetset::OpenFileRequest& request) -> std::optional<std::string> {
        EXPECT_EQ(request.title, "Select an application to run:");
        EXPECT_EQ(request.filter, "Executable File|*.exe");
        return "/usr/bin/true";
    });
    script.OnOpenDialog([](const widgetset::OpenFileRequest&) { return std::nullopt; });  // cancelled
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "/usr/bin/true");
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "/usr/bin/true");  // a cancelled dialog keeps the last choice

    auto* menu = new TPopupMenu(form.get());
    auto* show = new TMenuItem(form.get());
    auto* hide = new TMenuItem(form.get());
    int clicks = 0;
    struct Counter : TObject {
        int* count;
        void Count(TObject*) { ++*count; }
    } counter;
    counter.count = &clicks;
    menu->Add(show);
    menu->Add(hide);
    hide->SetOnClick(MakeNotifyEvent<&Counter::Count>(&counter));
    show->SetVisible(false);
    script.OnPopupMenu([&](const headless::PopupMenuCall& call) {
        EXPECT_EQ(call.shownItems, std::vector<TMenuItem*>{hide});  // hidden items are left out
        EXPECT_EQ(call.x, 100);
        return hide;
    });
    menu->Popup(100, 200);
    EXPECT_EQ(clicks, 1);
}
