#include <string>
#include <vector>

#include "framework/class_registry.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/form_reader.h"
#include "framework/form_writer.h"
#include "framework/menu_item.h"
#include "tests/support/headless_test.h"
#include "tray/qz_tray.h"

namespace {

// A form whose handlers log the tray's events.
class TTrayForm : public TForm {
    DECLARE_CLASS_INFO
  public:
    using TForm::TForm;
    void Load(std::string_view text) { LoadLayout(text); }
    void OnShowMenu(TObject*) {
        log.push_back("menu");
        if (hideFirstItem) menu->Items(0)->SetVisible(false);
    }
    void OnOneClick(TObject*) { log.push_back("one"); }
    void OnDblClick(TObject*) { log.push_back("double"); }

    std::vector<std::string> log;
    bool hideFirstItem = false;
    TPopupMenu* menu = nullptr;
};

const MethodInfo kTrayFormMethods[] = {PUBLISHED_METHOD(TTrayForm, OnShowMenu),
                                       PUBLISHED_METHOD(TTrayForm, OnOneClick),
                                       PUBLISHED_METHOD(TTrayForm, OnDblClick)};

class TrayTest : public HeadlessTest {
  protected:
    TrayTest() {
        TrayIdCounter = 0;
        RegisterClass(TqzTray::Class);
    }

    // A tray on the form with the program's two icons and its events bound, added as the layout adds it.
    TqzTray* MakeTray(const std::string& name = "qzTray1") {
        auto* tray = new TqzTray(form.get());
        tray->SetName(name);
        tray->SetIconResources(TStringList({"MAINICON", "FILLEDICON"}));
        tray->SetSimpleFunction(MakeNotifyEvent<&TTrayForm::OnOneClick>(form.get()));
        tray->SetDefaultFunction(MakeNotifyEvent<&TTrayForm::OnDblClick>(form.get()));
        tray->SetShowMenu(MakeNotifyEvent<&TTrayForm::OnShowMenu>(form.get()));
        tray->Loaded();
        return tray;
    }
    const std::vector<headless::NotifyIconCall>& Calls() const { return desktop.Shell().notifyIconCalls; }
    const NOTIFYICONDATAA& LastRecord() const { return Calls().back().data; }
    static HICON Icon(const char* name) { return LoadIconA(GetModuleHandleA(nullptr), name); }
    LRESULT Click(TqzTray* tray, LPARAM mouse) {
        return SendMessageA(form->Handle(), TrayCallbackMessage, tray->TrayId(), mouse);
    }

    qzMsgCmpUnit unit;
    ComponentPtr<TTrayForm> form = MakeComponent<TTrayForm>(nullptr);
};

}  // namespace

const ClassInfo TTrayForm::Class{.name = "TTrayForm", .parent = &TForm::Class, .methods = kTrayFormMethods};

TEST_F(TrayTest, AddingFillsTheRecordAndHandsOutIdsInOrderOfFirstAdd) {
    TqzTray* first = MakeTray("first");
    TqzTray* second = MakeTray("second");
    ASSERT_EQ(Calls().size(), 2u);
    const NOTIFYICONDATAA& added = Calls()[0].data;
    EXPECT_EQ(Calls()[0].message, NIM_ADD);
    EXPECT_EQ(added.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(added.hWnd, form->Handle());
    EXPECT_EQ(added.uID, 1u);
    EXPECT_EQ(added.uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);  // the name serves as tip
    EXPECT_EQ(added.uCallbackMessage, TrayCallbackMessage);
    EXPECT_EQ(added.hIcon, Icon("MAINICON"));
    EXPECT_STREQ(added.szTip, "first");
    EXPECT_EQ(second->TrayId(), 2u);
    EXPECT_EQ(first->WindowHandle(), form->Handle());  // attached to the owner form's window

    // Hidden and shown again, a component keeps its id.
    first->SetActive(false);
    EXPECT_EQ(Calls().back().message, NIM_DELETE);
    EXPECT_EQ(LastRecord().uFlags, 0u);
    EXPECT_FALSE(first->Active());
    first->SetActive(false);  // already false: nothing sent
    EXPECT_EQ(Calls().size(), 3u);
    first->SetActive(true);
    EXPECT_EQ(Calls().back().message, NIM_ADD);
    EXPECT_EQ(LastRecord().uID, 1u);
    EXPECT_TRUE(first->Active());
}

// The shell's notification area started anew: it holds no icon, so every active one is added again as
// it shows now; one the program hid stays away.
TEST_F(TrayTest, WhenTheNotificationAreaStartsAgainActiveIconsAreAddedAgain) {
    TqzTray* shown = MakeTray("shown");
    TqzTray* hidden = MakeTray("hidden");
    hidden->SetActive(false);
    shown->SetTip("Alarm ENABLED");
    shown->NextIcon();
    const std::size_t before = Calls().size();

    SendMessageA(form->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(Calls().size(), before + 1);
    EXPECT_EQ(Calls().back().message, NIM_ADD);
    EXPECT_EQ(LastRecord().uID, shown->TrayId());
    EXPECT_EQ(LastRecord().hWnd, form->Handle());
    EXPECT_EQ(LastRecord().hIcon, Icon("FILLEDICON"));
    EXPECT_EQ(LastRecord().uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    EXPECT_STREQ(LastRecord().szTip, "Alarm ENABLED");
    EXPECT_TRUE(shown->Active());
    EXPECT_FALSE(hidden->Active());

    SendMessageA(form->Handle(), RegisterWindowMessageA("SomeOtherBroadcast"), 0, 0);
    SendMessageA(form->Handle(), WM_NULL, 0, 0);
    EXPECT_EQ(Calls().size(), before + 1);  // nothing else adds it
}

TEST_F(TrayTest, ActiveReadsFalseUntilAnIconHandleWasWritten) {
    auto* tray = new TqzTray(form.get());
    EXPECT_FALSE(tray->Active());  // constructed: the flag is set, but nothing was added
    tray->SetIconResources(TStringList({"NOSUCHICON"}));
    tray->Loaded();
    EXPECT_TRUE(Calls().empty());  // no icon to show: no call
    EXPECT_FALSE(tray->Active());
    tray->SetIconResources(TStringList({"MAINICON"}));  // a later change does not add it
    EXPECT_TRUE(Calls().empty());
    tray->SetActive(true);  // setting Active does
    EXPECT_EQ(Calls().back().message, NIM_ADD);
    // A modification that resolves to no icon still goes out, and Active reads false from then on.
    tray->SetIconIndex(5);
    EXPECT_EQ(Calls().back().message, NIM_MODIFY);
    EXPECT_EQ(LastRecord().hIcon, nullptr);
    EXPECT_FALSE(tray->Active());
    tray->SetTip("ignored");
    EXPECT_EQ(Calls().size(), 2u);
    tray->SetIconIndex(-1);  // a negative index fails the list lookup
    EXPECT_EQ(tray->IconIndex(), -1);
    EXPECT_THROW(tray->CurrentIconHandle(), EListError);
}

TEST_F(TrayTest, CallbacksForThisIconRaiseTheEventsByMouseCode) {
    TqzTray* tray = MakeTray();
    TqzTray* other = MakeTray("other");
    EXPECT_EQ(Click(tray, WM_LBUTTONDOWN), 0);  // the form's own procedure answers the system
    Click(tray, WM_LBUTTONUP);
    Click(tray, WM_LBUTTONDBLCLK);
    Click(tray, WM_LBUTTONUP);
    EXPECT_EQ(form->log, (std::vector<std::string>{"one", "double"}));

    // The component's own Result: 1 when it acted, 0 otherwise.
    for (LPARAM ignored : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_RBUTTONDBLCLK}) {
        TMessage record{TrayCallbackMessage, tray->TrayId(), ignored, 99};
        tray->Dispatch(record);
        EXPECT_EQ(record.Result, 0) << ignored;
    }
    TMessage foreign{TrayCallbackMessage, other->TrayId(), WM_LBUTTONDOWN, 99};
    tray->Dispatch(foreign);
    EXPECT_EQ(foreign.Result, 0);
    TMessage press{TrayCallbackMessage, tray->TrayId(), WM_LBUTTONDOWN, 0};
    tray->Dispatch(press);
    EXPECT_EQ(press.Result, 1);
    // The other icon's events went to the other component only.
    form->log.clear();
    Click(other, WM_LBUTTONDOWN);
    EXPECT_EQ(form->log, (std::vector<std::string>{"one"}));
}

TEST_F(TrayTest, ARightPressRunsShowMenuThenPopsTheMenuUpAtTheCursor) {
    TqzTray* tray = MakeTray();
    form->menu = new TPopupMenu(form.get());
    for (const char* caption : {"Show Settings", "Hide Settings"}) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        form->menu->Add(item);
    }
    tray->SetPopupMenu(form->menu);
    form->hideFirstItem = true;
    desktop.Shell().cursor = {640, 480};
    script.OnPopupMenu([&](const headless::PopupMenuCall& call) -> TMenuItem* {
        EXPECT_EQ(form->log, std::vector<std::string>{"menu"});  // ShowMenu ran first
        EXPECT_EQ(call.shownItems.size(), 1u);                   // and its change shows in this pop-up
        EXPECT_EQ(call.x, 640);
        EXPECT_EQ(call.y, 480);
        EXPECT_EQ(form->menu->PopupComponent(), tray);
        return nullptr;
    });
    Click(tray, WM_RBUTTONDOWN);
    EXPECT_EQ(desktop.Shell().foregroundWindows, std::vector<HWND>{form->Handle()});

    // Without AutoPopup, or without a menu, ShowMenu still runs and no menu opens.
    form->hideFirstItem = false;
    form->menu->SetAutoPopup(false);
    Click(tray, WM_RBUTTONDOWN);
    form->menu->Free();  // the tray hears of it and forgets the menu
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    Click(tray, WM_RBUTTONDOWN);
    EXPECT_EQ(form->log, (std::vector<std::string>{"menu", "menu", "menu"}));
}

TEST_F(TrayTest, TheTipIsCutTo63CharactersAndDrivesNifTip) {
    TqzTray* tray = MakeTray();
    tray->SetTip(std::string(70, 'x'));
    EXPECT_EQ(Calls().back().message, NIM_MODIFY);
    EXPECT_EQ(std::string(LastRecord().szTip), std::string(63, 'x'));
    EXPECT_EQ(tray->Tip(), std::string(63, 'x'));
    tray->SetTip(std::string("before\0after", 12));  // a NUL inside ends the copy
    EXPECT_EQ(tray->Tip(), "before");
    tray->SetTip("");
    EXPECT_EQ(LastRecord().uFlags, NIF_MESSAGE | NIF_ICON);
    tray->SetTip("Zelvo's Alarm Clock ENABLED");
    EXPECT_EQ(LastRecord().uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

TEST_F(TrayTest, RenamingChangesTheTipOnlyUntilOneIsSet) {
    TqzTray* tray = MakeTray();
    tray->SetName("renamed");
    EXPECT_EQ(tray->Tip(), "renamed");
    EXPECT_FALSE(tray->TipSet());
    tray->SetName(std::string(70, 'n'));  // a long name gives its first 63 characters
    EXPECT_EQ(tray->Tip(), std::string(63, 'n'));
    tray->SetTip("Zelvo's Alarm Clock");
    tray->SetName("again");
    EXPECT_EQ(tray->Tip(), "Zelvo's Alarm Clock");
    EXPECT_TRUE(tray->TipSet());
}

TEST_F(TrayTest, NextAndPreviousIconWrapRound) {
    TqzTray* tray = MakeTray();
    tray->NextIcon();
    EXPECT_EQ(tray->IconIndex(), 1);
    EXPECT_EQ(LastRecord().hIcon, Icon("FILLEDICON"));
    tray->NextIcon();
    EXPECT_EQ(tray->IconIndex(), 0);
    EXPECT_EQ(LastRecord().hIcon, Icon("MAINICON"));
    tray->PreviousIcon();
    EXPECT_EQ(tray->IconIndex(), 1);
    tray->PreviousIcon();
    EXPECT_EQ(tray->IconIndex(), 0);

    const std::size_t sent = Calls().size();
    tray->SetIconResources(TStringList());
    tray->PreviousIcon();  // an empty list: nothing
    EXPECT_EQ(tray->IconIndex(), 0);
    tray->NextIcon();  // sets 0, which it is already
    EXPECT_EQ(tray->IconIndex(), 0);
    EXPECT_EQ(Calls().size(), sent + 1);  // only the list's replacement was sent
}

TEST_F(TrayTest, AnExplicitImageTakesPrecedenceOverTheIndex) {
    TqzTray* tray = MakeTray();
    TIcon filled;
    filled.LoadFromResourceName("FILLEDICON");
    tray->SetIcon(filled);
    EXPECT_EQ(LastRecord().hIcon, Icon("FILLEDICON"));
    const std::size_t sent = Calls().size();
    tray->SetIconIndex(1);  // ignored while the image is set: nothing is sent
    EXPECT_EQ(Calls().size(), sent);
    tray->SetIcon(TIcon());                             // emptied: the index counts again
    EXPECT_EQ(LastRecord().hIcon, Icon("FILLEDICON"));  // index 1 is FILLEDICON too
    tray->SetIconIndex(0);
    EXPECT_EQ(LastRecord().hIcon, Icon("MAINICON"));
}

TEST_F(TrayTest, ReplacingANameNotifiesTheTrayButAddingDoesNot) {
    TqzTray* tray = MakeTray();
    const std::size_t sent = Calls().size();
    tray->IconResources().Add("OTHER");          // no notification
    tray->IconResources().Put(1, "FILLEDICON");  // index 1 is not shown: the handle is unchanged
    EXPECT_EQ(Calls().size(), sent);
    tray->IconResources().Put(0, "FILLEDICON");  // the shown name changes its handle
    EXPECT_EQ(Calls().size(), sent + 1);
    EXPECT_EQ(LastRecord().hIcon, Icon("FILLEDICON"));
    tray->IconResources().Put(0, "FILLEDICON");  // the same handle again: nothing
    EXPECT_EQ(Calls().size(), sent + 1);
}

TEST_F(TrayTest, InDesignModeNoShellCallIsMadeAndActiveIsAPlainFlag) {
    auto* tray = new TqzTray(form.get());
    tray->SetDesigning(true);
    tray->Loaded();
    EXPECT_TRUE(tray->Active());
    tray->SetActive(false);
    EXPECT_FALSE(tray->Active());
    tray->SetActive(true);
    tray->SetTip("tip");
    tray->NextIcon();
    desktop.Shell().cursor = {1, 1};
    Click(tray, WM_RBUTTONDOWN);
    tray->Free();
    EXPECT_TRUE(Calls().empty());
}

TEST_F(TrayTest, DestroyingDeletesTheIconEvenIfItWasNeverShown) {
    TqzTray* shown = MakeTray();
    shown->Free();
    EXPECT_EQ(Calls().back().message, NIM_DELETE);
    EXPECT_EQ(LastRecord().uID, 1u);
    auto* never = new TqzTray(form.get());
    never->Free();
    EXPECT_EQ(Calls().back().message, NIM_DELETE);
    EXPECT_EQ(LastRecord().uID, 0u);
}

TEST_F(TrayTest, LoadedFromAFormFileTheNameIsTheTipUntilTheStoredTipArrivesThenTheIconIsAdded) {
    form->Load(R"(object Form1: TTrayForm
  object qzTray1: TqzTray
    IconResources = ( 'MAINICON' 'FILLEDICON' )
    IconIndex = 0
    Tip = 'Zelvo''s Alarm Clock'
    SimpleFunction = OnOneClick
  end
end
)");
    ASSERT_EQ(Calls().size(), 1u);  // nothing went out while loading; Loaded added the icon
    EXPECT_EQ(Calls()[0].message, NIM_ADD);
    EXPECT_STREQ(Calls()[0].data.szTip, "Zelvo's Alarm Clock");
    auto* tray = static_cast<TqzTray*>(form->FindComponent("qzTray1"));
    EXPECT_TRUE(tray->TipSet());
    EXPECT_EQ(tray->IconResources().Items(), (std::vector<std::string>{"MAINICON", "FILLEDICON"}));
    Click(tray, WM_LBUTTONDOWN);
    EXPECT_EQ(form->log, std::vector<std::string>{"one"});

    // Written back, the stored layout holds IconIndex even at 0, and leaves Active out while true.
    const std::string written = WriteComponentText(*form);
    EXPECT_NE(written.find("IconIndex = 0"), std::string::npos) << written;
    EXPECT_EQ(written.find("Active"), std::string::npos) << written;
}
