#include "framework/field_namer.h"

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "tests/support/headless_test.h"

namespace {

class FieldNamerTest : public HeadlessTest {
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
    EXPECT_TRUE(HasAccessKey("&Message:"));
    EXPECT_TRUE(HasAccessKey("Rock && &Roll"));
    EXPECT_FALSE(HasAccessKey("Rock && Roll"));
    EXPECT_FALSE(HasAccessKey("Trailing&"));
    EXPECT_FALSE(HasAccessKey(""));
}

TEST_F(FieldNamerTest, TheNearestLabelWithAnAccessKeyToTheLeftOnTheRowNamesTheField) {
    Label("&Far:", 0, 10);
    TLabel* near = Label("&Near:", 70, 12);
    Label("No key:", 140, 10);  // nearer, but without an access key
    Label("&Other row:", 150, 60);
    Label("&Right:", 300, 10);  // to the right of the field
    auto* edit = Place<TEdit>(220, 10);
    EXPECT_EQ(FindNamer(*edit), near);
}

TEST_F(FieldNamerTest, ACheckBoxNamesTheFieldsBesideItAndOneLabelMayNameSeveral) {
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

TEST_F(FieldNamerTest, OnlyEditsAndDatePickersAreFieldsAndAFieldMayHaveNoNamer) {
    EXPECT_TRUE(IsField(*Place<TEdit>(0, 0)));
    EXPECT_TRUE(IsField(*Place<TDateTimePicker>(0, 30)));
    EXPECT_FALSE(IsField(*Place<TCheckBox>(0, 60)));
    EXPECT_FALSE(IsField(*Label("&Label", 0, 90)));
    auto* alone = Place<TEdit>(10, 200);
    EXPECT_EQ(FindNamer(*alone), nullptr);
    ComponentPtr<TEdit> orphan = MakeComponent<TEdit>(nullptr);
    EXPECT_EQ(FindNamer(*orphan), nullptr);
}
