// Peers with real widgets, real clicks and real typing: the event rule, the layout's fonts, hints,
// names and tab chain.
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

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

class QtControlsTest : public QtTest {
  protected:
    // One locale, so that the date's parts are where the keyboard tests expect them: day, month, year.
    QtControlsTest() {
        QLocale::setDefault(QLocale::c());
        ShowForm(kLayout);
    }
};

TEST_F(QtControlsTest, ARealClickOnACheckBoxRunsItsHandlerOnceAndCodeIsNotEchoed) {
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

TEST_F(QtControlsTest, TypingStopsAtMaxLengthWhileTextFromCodeIsKeptWhole) {
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

// A stored message may be longer than a line edit takes by default (32,767 characters); typing in it must
// not shorten it.
TEST_F(QtControlsTest, ALongTextFromCodeIsKeptWholeWhenTheUserTypesInIt) {
    auto& message = Find<TEdit>("message");
    auto& widget = static_cast<QLineEdit&>(WidgetOf(message));
    const std::string stored(40000, 'a');
    message.SetText(stored);
    EXPECT_EQ(widget.text().size(), 40000);

    desktop_user::Click(ScreenCentre(message));
    ASSERT_TRUE(WaitUntil([&] { return widget.hasFocus(); }, "the field to take the focus"));
    desktop_user::Key("End");
    desktop_user::Type("b");
    ASSERT_TRUE(WaitUntil([&] { return message.Text().size() == 40001; }, "the typed letter"));
    EXPECT_EQ(message.Text(), stored + "b");
}

TEST_F(QtControlsTest, ADateFromCodeIsShownUnclampedAndNotEchoedWhileTheUsersChangeIsReported) {
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

TEST_F(QtControlsTest, ClicksOnAButtonAndOnAnImageReachTheirHandlers) {
    desktop_user::Click(ScreenCentre(Find<TButton>("Button1")));
    ASSERT_TRUE(WaitUntil([&] { return form->clicks["Button1"] == 1; }, "the button's click"));
    desktop_user::Click(ScreenCentre(Find<TImage>("Image1")));
    ASSERT_TRUE(WaitUntil([&] { return form->clicks["Image1"] == 1; }, "the image's click"));
    EXPECT_FALSE(static_cast<QLabel&>(WidgetOf(Find<TImage>("Image1"))).pixmap().isNull());
}

TEST_F(QtControlsTest, FieldsAreNamedByTheLabelOrCheckBoxBeforeThemOnTheirRow) {
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

TEST_F(QtControlsTest, TabFollowsTabOrderWithinTheGroupNotCreationOrder) {
    desktop_user::Click(ScreenCentre(Find<TEdit>("hour")));
    for (const char* name : {"min", "message", "CheckBox2", "CheckBox1", "datepick", "CheckBox5"}) {
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

// One tab stop: the date's parts are reached with the arrows and typed over; the calendar drops down from
// the keyboard.
TEST_F(QtControlsTest, TheDatePickerIsOneControlForTheKeyboard) {
    auto& picker = Find<TDateTimePicker>("datepick");
    QWidget& widget = WidgetOf(picker);
    const auto focused = [](QWidget& expected) {
        return [&expected] { return QApplication::focusWidget() == &expected; };
    };
    const auto calendarShown = [&widget] {
        const auto* calendar = widget.findChild<QCalendarWidget*>();
        return calendar != nullptr && calendar->isVisible();
    };
    desktop_user::Click(ScreenCentre(Find<TCheckBox>("CheckBox1")));
    ASSERT_TRUE(WaitUntil(focused(WidgetOf(Find<TCheckBox>("CheckBox1"))), "the focus on the box"));
    desktop_user::Key("Tab");
    ASSERT_TRUE(WaitUntil(focused(widget), "the focus on the picker"));
    desktop_user::Key("Tab");
    ASSERT_TRUE(WaitUntil(focused(WidgetOf(Find<TCheckBox>("CheckBox5"))), "one Tab to leave the picker"));
    desktop_user::Key("shift+Tab");
    ASSERT_TRUE(WaitUntil(focused(widget), "Shift+Tab back to the picker"));

    // Entered backwards, the year is selected: typed digits replace it, Home and Up change the day.
    desktop_user::Type("2001");
    ASSERT_TRUE(WaitUntil([&] { return picker.Date() == TDate{2001, 2, 19}; }, "the typed year"));
    desktop_user::Key("Home");
    desktop_user::Key("Up");
    ASSERT_TRUE(WaitUntil([&] { return picker.Date() == TDate{2001, 2, 20}; }, "the next day"));

    for (const char* keys : {"alt+Down", "F4"}) {
        desktop_user::Key(keys);
        EXPECT_TRUE(WaitUntil(calendarShown, std::string("the calendar after ") + keys));
        desktop_user::Key("Escape");
        EXPECT_TRUE(WaitUntil([&] { return !calendarShown(); }, "the calendar to close"));
    }
    EXPECT_EQ(picker.Date(), (TDate{2001, 2, 20}));

    // In the calendar each day the arrows reach is picked; Escape brings back the date it opened with, and
    // the control hears of that once.
    desktop_user::Key("F4");
    ASSERT_TRUE(WaitUntil(calendarShown, "the calendar"));
    desktop_user::Key("Right Right");
    ASSERT_TRUE(WaitUntil([&] { return picker.Date() == TDate{2001, 2, 22}; }, "the day two to the right"));
    const int changes = form->changes["datepick"];
    desktop_user::Key("Escape");
    ASSERT_TRUE(WaitUntil([&] { return !calendarShown(); }, "the calendar to close on Escape"));
    EXPECT_EQ(picker.Date(), (TDate{2001, 2, 20}));
    EXPECT_EQ(form->changes["datepick"], changes + 1);
}

TEST_F(QtControlsTest, EnterPressesTheFocusedButton) {
    QWidget& button = WidgetOf(Find<TButton>("Button1"));
    button.activateWindow();
    button.setFocus();
    ASSERT_TRUE(WaitUntil([&] { return button.hasFocus(); }, "the focus on the button"));
    desktop_user::Key("Return");
    EXPECT_TRUE(WaitUntil([&] { return form->clicks["Button1"] == 1; }, "Enter to press it"));
    desktop_user::Key("KP_Enter");
    EXPECT_TRUE(WaitUntil([&] { return form->clicks["Button1"] == 2; }, "the keypad's Enter to press it"));
}

TEST_F(QtControlsTest, TextSetFromCodeShowsItsBeginning) {
    auto& runapp = Find<TEdit>("runapp");
    auto& widget = static_cast<QLineEdit&>(WidgetOf(runapp));
    const std::string command = "/usr/bin/notify-send " + std::string(120, 'x');
    runapp.SetText(command);
    EXPECT_EQ(widget.text().toStdString(), command);
    EXPECT_EQ(widget.cursorPosition(), 0);
}

// On the screen: the frame's top line runs through the caption's middle, above the first row of fields.
TEST_F(QtControlsTest, TheGroupsCaptionSitsOnItsFrameLineAboveTheFields) {
    auto& group = static_cast<QGroupBox&>(WidgetOf(Find<TGroupBox>("GroupBox1")));
    const QRgb background = group.palette().color(QPalette::Window).rgb();
    const int captionEnd = 8 + group.fontMetrics().horizontalAdvance(group.title());
    const int fieldsTop = WidgetOf(Find<TEdit>("message")).y();
    int captionTop = -1, captionBottom = -1, lineRow = -1, lineRows = 0;
    // Until the window is painted, no single line runs across.
    const auto measure = [&] {
        const QImage shot = desktop_user::Screenshot(QRect(group.mapToGlobal(QPoint(0, 0)), group.size()));
        captionTop = captionBottom = lineRow = -1;
        lineRows = 0;
        for (int y = 0; y < fieldsTop + 4 && y < shot.height(); ++y) {
            int inked = 0, framed = 0;
            for (int x = 8; x < captionEnd; ++x) inked += shot.pixel(x, y) != background ? 1 : 0;
            for (int x = captionEnd + 8; x < shot.width() - 8; ++x)
                framed += shot.pixel(x, y) != background ? 1 : 0;
            if (inked > 0 && captionTop < 0) captionTop = y;
            if (inked > 0) captionBottom = y;
            if (framed > (shot.width() - captionEnd - 16) * 9 / 10) {
                lineRow = y;
                ++lineRows;
            }
        }
        return lineRows >= 1 && lineRows <= 2 && captionTop <= lineRow && lineRow <= captionBottom;
    };
    EXPECT_TRUE(WaitUntil(measure, "the frame line through the caption"))
        << "caption rows " << captionTop << ".." << captionBottom << ", frame line at " << lineRow << " ("
        << lineRows << " rows)";
    EXPECT_LT(lineRow, fieldsTop);
}

TEST_F(QtControlsTest, FontsAndHintsComeFromTheControlOrItsParent) {
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
