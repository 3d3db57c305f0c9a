#include <string>
#include <vector>

#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "tests/support/headless_test.h"

namespace {

// A form with handlers that log what ran and what they saw.
class TRuleForm : public TForm {
  public:
    using TForm::TForm;
    std::vector<std::string> log;
    void BoxClick(TObject* sender) {
        log.push_back("click " + static_cast<TCheckBox*>(sender)->Name() + "=" +
                      (static_cast<TCheckBox*>(sender)->Checked() ? "on" : "off"));
    }
    void EditChange(TObject* sender) { log.push_back("change " + static_cast<TEdit*>(sender)->Text()); }
    void DateChange(TObject*) { log.push_back("date"); }
    void KeepText(TObject* sender) { static_cast<TEdit*>(sender)->SetText("kept"); }
    void FreeSender(TObject* sender) { static_cast<TComponent*>(sender)->Free(); }
};

class EventRuleTest : public HeadlessTest {
  protected:
    EventRuleTest() {
        box->SetName("Box");
        box->SetParent(form.get());
        box->SetOnClick(MakeNotifyEvent<&TRuleForm::BoxClick>(form.get()));
        edit->SetParent(form.get());
        edit->SetOnChange(MakeNotifyEvent<&TRuleForm::EditChange>(form.get()));
        picker->SetOnChange(MakeNotifyEvent<&TRuleForm::DateChange>(form.get()));
    }
    ComponentPtr<TRuleForm> form = MakeComponent<TRuleForm>(nullptr);
    TCheckBox* box = new TCheckBox(form.get());
    TEdit* edit = new TEdit(form.get());
    TDateTimePicker* picker = new TDateTimePicker(form.get());
};

}  // namespace

TEST_F(EventRuleTest, ACheckBoxRunsItsHandlerOncePerChangeOfState) {
    box->SetChecked(true);   // a change: the handler runs, seeing the new state
    box->SetChecked(true);   // no change: nothing runs
    box->SetChecked(false);  // a change back
    EXPECT_EQ(form->log, (std::vector<std::string>{"click Box=on", "click Box=off"}));
}

TEST_F(EventRuleTest, TheUsersClickTakesTheSamePathAsCode) {
    box->Peer();
    box->UserClick();  // toggles through the setter, so the handler sees the new state
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(desktop.PeerUpdates(*box, widgetset::Aspect::Checked), 1);
    box->SetEnabled(false);
    box->UserClick();  // a disabled box ignores the user, and the peer shows the state held again
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(desktop.PeerUpdates(*box, widgetset::Aspect::Checked), 2);
    box->SetChecked(false);  // code still may change it
    EXPECT_EQ(form->log, (std::vector<std::string>{"click Box=on", "click Box=off"}));
}

TEST_F(EventRuleTest, AnEditRunsItsHandlerWhenTheTextChanges) {
    edit->SetText("7");
    edit->SetText("7");  // same text: nothing
    edit->UserEditText("07");
    edit->SetText("");
    EXPECT_EQ(form->log, (std::vector<std::string>{"change 7", "change 07", "change "}));
}

TEST_F(EventRuleTest, MaxLengthRefusesTypingButNotCode) {
    edit->SetMaxLength(2);
    edit->Peer();
    edit->UserEditText("123");  // a third character is refused, and the kept text shown again
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(desktop.PeerUpdates(*edit, widgetset::Aspect::Caption), 1);
    edit->UserEditText("ää");  // two characters, four bytes of UTF-8
    EXPECT_EQ(edit->Text(), "ää");
    EXPECT_EQ(desktop.PeerUpdates(*edit, widgetset::Aspect::Caption), 2);
    edit->SetText("12345");  // code keeps the whole text
    EXPECT_EQ(edit->Text(), "12345");
    EXPECT_EQ(form->log, (std::vector<std::string>{"change ää", "change 12345"}));
}

TEST_F(EventRuleTest, ADatePickerRunsItsHandlerWhenTheDateChanges) {
    picker->SetDate(EncodeDate(2026, 7, 5));
    picker->SetDate(EncodeDate(2026, 7, 5));
    picker->UserSetDate(EncodeDate(2026, 7, 6));
    EXPECT_EQ(form->log, (std::vector<std::string>{"date", "date"}));
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 7, 6));
}

// The peer shows the user's change already: told again only where the control holds something else and
// nothing told it so, and never once a handler freed the control.
TEST_F(EventRuleTest, AUsersChangeThatAHandlerUndoesIsShownOnceAndOneThatFreesTheControlEndsThere) {
    using widgetset::Aspect;
    edit->SetText("kept");
    edit->SetOnChange(MakeNotifyEvent<&TRuleForm::KeepText>(form.get()));
    edit->Peer();
    edit->UserEditText("typed");
    EXPECT_EQ(edit->Text(), "kept");
    EXPECT_EQ(desktop.PeerUpdates(*edit, Aspect::Caption), 2);  // the typed text, then the kept one

    picker->Peer();
    picker->UserSetDate(picker->Date());  // the date shown already: nothing runs, nothing is shown
    EXPECT_EQ(desktop.PeerUpdates(*picker, Aspect::Date), 0);
    picker->SetOnChange(MakeNotifyEvent<&TRuleForm::FreeSender>(form.get()));
    const int components = form->ComponentCount();
    picker->UserSetDate(EncodeDate(2026, 7, 6));
    EXPECT_EQ(form->ComponentCount(), components - 1);
}

TEST_F(EventRuleTest, ChangesArePushedToThePeerOnlyWhenTheValueChanges) {
    using widgetset::Aspect;
    box->Peer();  // the peer exists from here on
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetCaption("Alarm Enabled");
    box->SetCaption("Alarm Enabled");
    EXPECT_EQ(desktop.PeerUpdates(*box, Aspect::Checked), 1);
    EXPECT_EQ(desktop.PeerUpdates(*box, Aspect::Caption), 1);
}

TEST_F(EventRuleTest, TheFontIsPushedOnlyWhenItChanges) {
    using widgetset::Aspect;
    box->Peer();
    TFont font = box->Font();
    font.Name = "Tahoma";
    box->SetFont(font);  // ends ParentFont and changes the face: one push
    box->SetFont(font);
    box->SetFontName("Tahoma");  // a part set to what it is already
    EXPECT_EQ(desktop.PeerUpdates(*box, Aspect::Font), 1);
    EXPECT_FALSE(box->ParentFont());

    box->SetParentFont(true);  // the form's font again; the own one is kept
    box->SetFont(font);        // back to the own font, unchanged: still one push for the switch
    EXPECT_EQ(desktop.PeerUpdates(*box, Aspect::Font), 3);
    EXPECT_EQ(box->Font().Name, "Tahoma");
}

TEST_F(EventRuleTest, AHandlersErrorEndsTheCascadeAndIsReportedAtTheUsersAction) {
    // A handler that fails after changing state: the state stays, the rest of the handler does not run.
    struct TFailingForm : TRuleForm {
        using TRuleForm::TRuleForm;
        void Fail(TObject*) {
            log.push_back("before");
            throw Exception("disk full");
        }
    };
    auto failing = MakeComponent<TFailingForm>(nullptr);
    auto* check = new TCheckBox(failing.get());
    check->SetOnClick(MakeNotifyEvent<&TFailingForm::Fail>(failing.get()));

    EXPECT_THROW(check->SetChecked(true), Exception);  // code sees the error: handlers catch nothing
    EXPECT_TRUE(check->Checked());

    script.AnswerMessageBox(IDOK);
    check->UserClick();  // the user's action is a dispatch point: reported, and the program goes on
    ASSERT_EQ(script.MessageBoxesShown().size(), 1u);
    EXPECT_EQ(script.MessageBoxesShown()[0].text, "disk full");
    EXPECT_EQ(script.MessageBoxesShown()[0].caption, "Test");
    EXPECT_EQ(script.MessageBoxesShown()[0].type, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(failing->log, (std::vector<std::string>{"before", "before"}));
}
