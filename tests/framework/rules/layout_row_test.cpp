// The rules that go by the layout's rows: which label names a field, how far a caption may reach, and the
// tab chain, in which a label stands before the field it names.
#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/image.h"
#include "framework/rules/access_key.h"
#include "framework/rules/caption_room.h"
#include "framework/rules/field_name.h"
#include "framework/rules/tab_chain.h"
#include "tests/support/headless_test.h"

namespace {

class LayoutRowTest : public HeadlessTest {
  protected:
    template <class Control>
    Control* Place(int left, int top, int width = 60, int height = 20) {
        auto* control = new Control(form.get());
        control->SetParent(form.get());
        control->SetLeft(left);
        control->SetTop(top);
        control->SetWidth(width);
        control->SetHeight(height);
        return control;
    }
    TLabel* Label(const std::string& caption, int left, int top) {
        auto* label = Place<TLabel>(left, top);
        label->SetCaption(caption);
        return label;
    }

    ComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
};

}  // namespace

TEST(AccessKeyTest, AnAmpersandBeforeACharacterMarksOneADoubledOneIsText) {
    EXPECT_EQ(WithoutAccessKey("Rock && &Roll&"), "Rock & Roll");
    EXPECT_TRUE(HasAccessKey("&Message:"));
    EXPECT_TRUE(HasAccessKey("Rock && &Roll"));
    EXPECT_FALSE(HasAccessKey("Rock && Roll"));
    EXPECT_FALSE(HasAccessKey("Trailing&"));
    EXPECT_FALSE(HasAccessKey(""));
}

TEST_F(LayoutRowTest, TheNearestLabelWithAnAccessKeyToTheLeftOnTheRowNamesTheField) {
    Label("&Far:", 0, 10);
    TLabel* near = Label("&Near:", 70, 12);
    Label("No key:", 140, 10);  // nearer, but without an access key
    Label("&Other row:", 150, 60);
    Label("&Right:", 300, 10);  // to the right of the field
    auto* edit = Place<TEdit>(220, 10);
    EXPECT_EQ(FindNamer(*edit), near);
}

TEST_F(LayoutRowTest, ACheckBoxNamesTheFieldsBesideItAndOneLabelMayNameSeveral) {
    auto* box = Place<TCheckBox>(0, 0, 100);
    box->SetCaption("&Play:");
    auto* path = Place<TEdit>(110, 0);
    TLabel* at = Label("&Alert me at:", 0, 40);
    auto* hour = Place<TEdit>(80, 40);
    auto* minute = Place<TEdit>(150, 40);
    EXPECT_EQ(FindNamer(*path), box);
    EXPECT_EQ(FindNamer(*hour), at);
    EXPECT_EQ(FindNamer(*minute), at);
}

TEST_F(LayoutRowTest, OnlyEditsAndDatePickersAreFieldsAndAFieldMayHaveNoNamer) {
    EXPECT_TRUE(IsField(*Place<TEdit>(0, 0)));
    EXPECT_TRUE(IsField(*Place<TDateTimePicker>(0, 30)));
    EXPECT_FALSE(IsField(*Place<TCheckBox>(0, 60)));
    EXPECT_FALSE(IsField(*Label("&Label", 0, 90)));
    auto* alone = Place<TEdit>(10, 200);
    EXPECT_EQ(FindNamer(*alone), nullptr);
    ComponentPtr<TEdit> orphan = MakeComponent<TEdit>(nullptr);
    EXPECT_EQ(FindNamer(*orphan), nullptr);
}

TEST_F(LayoutRowTest, TheTabChainFollowsTabOrderWithALabelBeforeTheFirstFieldItNames) {
    TLabel* at = Label("&Alert me at:", 0, 10);
    auto* minute = Place<TEdit>(150, 10);
    minute->SetTabOrder(2);
    auto* hour = Place<TEdit>(80, 10);
    hour->SetTabOrder(1);
    auto* group = Place<TGroupBox>(0, 40, 300, 100);  // no TabOrder: after the controls that have one
    auto* box = new TCheckBox(form.get());
    box->SetParent(group);
    box->SetTabOrder(1);
    auto* inside = new TEdit(form.get());
    inside->SetParent(group);
    inside->SetTabOrder(0);
    auto* image = Place<TImage>(300, 0);
    auto* done = Place<TButton>(0, 150);
    done->SetTabOrder(0);
    Place<TButton>(100, 150)->SetTabOrder(3);  // without a peer: not in the chain
    for (TControl* shown : std::initializer_list<TControl*>{at, minute, hour, box, inside, image, done}) {
        shown->Peer();
    }
    EXPECT_EQ(ChildrenInTabOrder(*form), (std::vector<TControl*>{done, at, hour, minute, group, image}));
    EXPECT_EQ(TabChain(*form), (std::vector<TControl*>{done, at, hour, minute, group, inside, box, image}));
}

TEST_F(LayoutRowTest, ALabelsCaptionReachesTheNextVisibleControlOnItsRowOrTheParentsEdge) {
    form->SetClientWidth(400);
    TLabel* title = Label("Title", 16, 8);
    Place<TImage>(336, 8);
    Place<TEdit>(300, 40);                      // another row
    Place<TButton>(200, 0)->SetVisible(false);  // hidden
    Place<TEdit>(4, 8);                         // to the label's left
    EXPECT_EQ(CaptionRoom(*title), 336 - 16);
    TLabel* alone = Label("Alone", 100, 200);
    EXPECT_EQ(CaptionRoom(*alone), 400 - 100);
    form->SetClientWidth(0);  // a layout that gives the form's outer size only
    form->SetWidth(416);
    EXPECT_EQ(CaptionRoom(*alone), 416 - 100);
}

TEST_F(LayoutRowTest, AnyOtherControlsCaptionStaysInsideItAndInsideItsParent) {
    form->SetClientWidth(400);
    EXPECT_EQ(CaptionRoom(*Place<TCheckBox>(10, 0, 120)), 120);
    EXPECT_EQ(CaptionRoom(*Place<TButton>(350, 40, 120)), 50);
    auto* group = Place<TGroupBox>(0, 80, 200, 100);
    auto* inside = new TCheckBox(form.get());
    inside->SetParent(group);
    inside->SetLeft(150);
    inside->SetWidth(100);
    EXPECT_EQ(CaptionRoom(*inside), 50);
}
