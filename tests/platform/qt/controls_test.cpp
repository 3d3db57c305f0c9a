// Peers with real widgets, real clicks and real typing: the event rule, the layout's fonts, hints,
// names and tab order.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "tests/platform/qt/desktop_user.h"
#include "tests/platform/qt/qt_test.h"

namespace {

// The settings group of the program's form, trimmed: rows of a namer and its fields.
constexpr std::string_view kLayout = R"(object Form1: TTestForm
  Caption = 'Controls'
  ClientHeight = 214
  ClientWidth = 376
  ShowHint = True
  object Title: TLabel
    Left = 16
    Top = 8
    Width = 200
    Height = 32
    Caption = 'Big title'
    Font.Height = -27
    Font.Name = 'Arial'
  end
  object Image1: TImage
    Left = 336
    Top = 8
    Width = 33
    Height = 33
    Picture = 'MAINICON'
    OnClick = Clicked
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 40
    Width = 361
    Height = 137
    Caption = ' Settings '
    ParentShowHint = False
    object CheckBox1: TCheckBox
      Left = 16
      Top = 22
      Width = 121
      Height = 17
      Caption = 'Alarm Enabled'
      TabOrder = 4
      OnClick = Clicked
    end
    object CheckBox2: TCheckBox
      Left = 168
      Top = 24
      Width = 73
      Height = 15
      Hint = 'Show a message'
      Caption = '&Message:'
      ParentShowHint = False
      ShowHint = True
      TabOrder = 3
    end
    object message: TEdit
      Left = 240
      Top = 20
      Width = 113
      Height = 21
      Hint = 'not shown: the group hides hints'
      TabOrder = 2
      Text = 'Alarm Executed!'
      OnChange = Changed
    end
    object Label4: TLabel
      Left = 16
      Top = 56
      Width = 53
      Height = 13
      Caption = '&Alert me at:'
    end
    object hour: TEdit
      Left = 73
      Top = 52
      Width = 22
      Height = 21
      MaxLength = 2
      TabOrder = 0
      OnChange = Changed
    end
    object Label3: TLabel
      Left = 97
      Top = 56
      Width = 3
      Height = 13
      Caption = ':'
    end
    object min: TEdit
      Left = 105
      Top = 52
      Width = 22
      Height = 21
      MaxLength = 2
      TabOrder = 1
    end
    object datepick: TDateTimePicker
      Left = 48
      Top = 78
      Width = 101
      Height = 21
      Hint = 'Alarm date'
      Date = '1999-02-19'
      TabOrder = 5
      OnChange = Changed
    end
    object CheckBox5: TCheckBox
      Left = 8
      Top = 112
      Width = 105
      Height = 17
      Caption = '&Run Application:'
    end
    object runapp: TEdit
      Left = 120
      Top = 110
      Width = 193
      Height = 21
    end
  end
  object Button1: TButton
    Left = 192
    Top = 184
    Width = 81
    Height = 25
    Caption = '&Done'
    OnClick = Clicked
  end
end
)";

class ControlsTest : public QtTest {
  protected:
    ControlsTest() { ShowForm(kLayout); }
};

TEST_F(ControlsTest, ARealClickOnACheckBoxRunsItsHandlerOnceAndCodeIsNotEchoed) {
    auto& box = Find<TCheckBox>("CheckBox1");
    auto& widget = static_cast<QCheckBox&>(WidgetOf(box));

    desktop_user::Click(ScreenCentre(box));
    ASSERT_TRUE(WaitUntil([&] { return box.Checked(); }, "the click to check the box"));
    QCoreApplication::processEvents();
    EXPECT_EQ(form->clicks["CheckBox1"], 1);
    EXPECT_TRUE(widget.isChecked());

    // From code: the framework runs the handler for the change; the peer reports nothing back.
    box.SetChecked(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->clicks["CheckBox1"], 2);
    EXPECT_FALSE(widget.isChecked());
}

TEST_F(ControlsTest, TypingStopsAtMaxLengthWhileTextFromCodeIsKeptWhole) {
    auto& hour = Find<TEdit>("hour");
    auto& widget = static_cast<QLineEdit&>(WidgetOf(hour));
    desktop_user::Click(ScreenCentre(hour));
    ASSERT_TRUE(WaitUntil([&] { return widget.hasFocus(); }, "the field to take the focus"));
    desktop_user::Type("123");
    ASSERT_TRUE(WaitUntil([&] { return hour.Text() == "12"; }, "the typed text"));
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.text(), "12");
    EXPECT_EQ(form->changes["hour"], 2);  // one per accepted keystroke

    hour.SetText("12345");
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.text(), "12345");
    EXPECT_EQ(form->changes["hour"], 3);  // the framework's own run, no echo from the peer
}

TEST_F(ControlsTest, ADateFromCodeIsShownUnclampedAndNotEchoedWhileTheUsersChangeIsReported) {
    auto& picker = Find<TDateTimePicker>("datepick");
    auto& widget = static_cast<QDateEdit&>(WidgetOf(picker));
    EXPECT_EQ(widget.date(), QDate(1999, 2, 19));
    picker.SetDate({1899, 12, 30});
    EXPECT_EQ(widget.date(), QDate(1899, 12, 30));
    picker.SetDate({1999, 2, 19});
    EXPECT_EQ(form->changes["datepick"], 2);

    desktop_user::Click(ScreenCentre(picker) - QPoint(30, 0));
    ASSERT_TRUE(WaitUntil([&] { return widget.hasFocus(); }, "the picker to take the focus"));
    desktop_user::Key("Up");
    ASSERT_TRUE(WaitUntil([&] { return picker.Date() != TDate{1999, 2, 19}; }, "the user's date"));
    EXPECT_EQ(widget.date(), QDate(picker.Date().Year, picker.Date().Month, picker.Date().Day));
    EXPECT_EQ(form->changes["datepick"], 3);
}

TEST_F(ControlsTest, ClicksOnAButtonAndOnAnImageReachTheirHandlers) {
    desktop_user::Click(ScreenCentre(Find<TButton>("Button1")));
    ASSERT_TRUE(WaitUntil([&] { return form->clicks["Button1"] == 1; }, "the button's click"));
    desktop_user::Click(ScreenCentre(Find<TImage>("Image1")));
    ASSERT_TRUE(WaitUntil([&] { return form->clicks["Image1"] == 1; }, "the image's click"));
    EXPECT_FALSE(static_cast<QLabel&>(WidgetOf(Find<TImage>("Image1"))).pixmap().isNull());
}

TEST_F(ControlsTest, FieldsAreNamedByTheLabelOrCheckBoxBeforeThemOnTheirRow) {
    EXPECT_EQ(WidgetOf(Find<TEdit>("message")).accessibleName(), "Message");
    EXPECT_EQ(WidgetOf(Find<TEdit>("runapp")).accessibleName(), "Run Application");
    EXPECT_EQ(WidgetOf(Find<TEdit>("hour")).accessibleName(), "Alert me at: hour");
    EXPECT_EQ(WidgetOf(Find<TEdit>("min")).accessibleName(), "Alert me at: min");
    EXPECT_EQ(WidgetOf(Find<TDateTimePicker>("datepick")).accessibleName(), "Alarm date");
    EXPECT_EQ(WidgetOf(Find<TCheckBox>("CheckBox2")).accessibleName(), "Message:");
    EXPECT_EQ(WidgetOf(Find<TGroupBox>("GroupBox1")).accessibleName(), "Settings");
    EXPECT_EQ(WidgetOf(Find<TButton>("Button1")).accessibleName(), "Done");
    // The label's access key leads to the first field it names.
    EXPECT_EQ(static_cast<QLabel&>(WidgetOf(Find<TLabel>("Label4"))).buddy(), &WidgetOf(Find<TEdit>("hour")));
}

// The date picker comes last: inside it, Tab moves between the date's parts.
TEST_F(ControlsTest, TabFollowsTabOrderWithinTheGroupNotCreationOrder) {
    desktop_user::Click(ScreenCentre(Find<TEdit>("hour")));
    for (const char* name : {"min", "message", "CheckBox2", "CheckBox1", "datepick"}) {
        desktop_user::Key("Tab");
        QWidget& expected = WidgetOf(*static_cast<TControl*>(form->FindComponent(name)));
        EXPECT_TRUE(WaitUntil(
            [&] {
                return expected.isAncestorOf(QApplication::focusWidget()) ||
                       QApplication::focusWidget() == &expected;
            },
            std::string("the focus on ") + name));
    }
}

TEST_F(ControlsTest, FontsAndHintsComeFromTheControlOrItsParent) {
    const QFont title = WidgetOf(Find<TLabel>("Title")).font();
    EXPECT_EQ(title.pixelSize(), 27);
    EXPECT_EQ(QFontInfo(title).family(), QFontInfo(QFont("Arial")).family());
    // The form's default face is measured like Arial's, not like the much wider default sans serif.
    const QFont body = WidgetOf(Find<TEdit>("runapp")).font();
    EXPECT_EQ(body.pixelSize(), 11);
    EXPECT_EQ(QFontInfo(body).family(), QFontInfo(QFont("Arial")).family());

    form->SetFontHeight(-14);
    EXPECT_EQ(WidgetOf(Find<TEdit>("runapp")).font().pixelSize(), 14);
    EXPECT_EQ(WidgetOf(Find<TLabel>("Title")).font().pixelSize(), 27);

    EXPECT_EQ(WidgetOf(Find<TCheckBox>("CheckBox2")).toolTip(), "Show a message");
    EXPECT_EQ(WidgetOf(Find<TEdit>("message")).toolTip(), "");
    Find<TGroupBox>("GroupBox1").SetParentShowHint(true);
    EXPECT_EQ(WidgetOf(Find<TEdit>("message")).toolTip(), "not shown: the group hides hints");
}

}  // namespace
