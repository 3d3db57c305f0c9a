// The program's own layout in the locales its users have: every caption fits its control and every date
// of a year fits the date picker, with the layout's positions and sizes as they are.
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyleOptionButton>
#include <clocale>

#include "framework/date_time_picker.h"
#include "platform/qt/captions.h"
#include "tests/platform/qt/qt_test.h"

namespace {

// A line edit keeps this much room on either side of its text (a constant inside Qt).
constexpr int kLineEditMargin = 2;

struct LocaleCase {
    const char* qtName;
    const char* systemName;
};

void PrintTo(const LocaleCase& locale, std::ostream* out) { *out << locale.systemName; }

class QtLayoutFitTest : public QtTest, public ::testing::WithParamInterface<LocaleCase> {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, GetParam().systemName), nullptr)
            << GetParam().systemName << " is not generated here (./build.sh test generates it)";
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam().qtName)));
        ShowForm(ProgramLayoutForTest());
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, "C");
    }

    std::vector<TControl*> Controls() {
        std::vector<TControl*> controls;
        for (int i = 0; i < form->ComponentCount(); ++i) {
            if (auto* control = dynamic_cast<TControl*>(form->Components(i)); control && control->HasPeer()) {
                controls.push_back(control);
            }
        }
        return controls;
    }

    // The nearest left edge of a visible sibling to the right of the widget, on its row; or the parent's
    // right edge.
    static int RoomEnd(const QWidget& widget) {
        int end = widget.parentWidget()->width();
        for (QObject* object : widget.parentWidget()->children()) {
            auto* sibling = qobject_cast<QWidget*>(object);
            if (sibling == nullptr || sibling == &widget || !sibling->isVisible()) continue;
            const bool sameRow =
                sibling->y() < widget.y() + widget.height() && widget.y() < sibling->y() + sibling->height();
            if (sameRow && sibling->x() > widget.x()) end = std::min(end, sibling->x());
        }
        return end;
    }
};

TEST_P(QtLayoutFitTest, EveryCaptionFitsItsControl) {
    int measured = 0;
    for (TControl* control : Controls()) {
        QWidget& widget = WidgetOf(*control);
        const std::string name = control->Name();
        const auto width = [&widget](const QString& caption) {
            return widget.fontMetrics().horizontalAdvance(
                qtbackend::WithoutAccessKey(qtbackend::ToStdString(caption)));
        };
        if (auto* box = qobject_cast<QCheckBox*>(&widget)) {
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            EXPECT_LE(contents.left() + width(box->text()), box->width()) << name;
        } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect contents =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            EXPECT_LE(width(button->text()), contents.width()) << name;
        } else if (auto* label = qobject_cast<QLabel*>(&widget); label && !label->text().isEmpty()) {
            // A label grows to its text; the text must not reach into the control after it.
            EXPECT_LE(label->x() + width(label->text()), RoomEnd(*label)) << name;
        } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
            EXPECT_LE(8 + width(group->title()), group->width()) << name;  // from where the caption starts
        } else {
            continue;
        }
        ++measured;
    }
    EXPECT_EQ(measured, 16);  // seven check boxes, five buttons, three labels and the group
}

TEST_P(QtLayoutFitTest, EveryDateOfAYearFitsThePicker) {
    auto& picker = Find<TDateTimePicker>("datepick");
    auto* edit = WidgetOf(picker).findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(WidgetOf(picker).rect().contains(edit->geometry()));
    // A leap year, so that 29 February is shown too.
    for (QDate date(2024, 1, 1); date.year() == 2024; date = date.addDays(1)) {
        picker.SetDate({2024, static_cast<WORD>(date.month()), static_cast<WORD>(date.day())});
        const QString shown = edit->text();
        EXPECT_EQ(QLocale().toDate(shown, static_cast<QDateEdit&>(WidgetOf(picker)).displayFormat()), date);
        EXPECT_LE(edit->fontMetrics().horizontalAdvance(shown) + 2 * kLineEditMargin, edit->width())
            << shown.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, QtLayoutFitTest,
                         ::testing::Values(LocaleCase{"C", "C"}, LocaleCase{"en_US", "en_US.UTF-8"},
                                           LocaleCase{"de_DE", "de_DE.UTF-8"}),
                         [](const auto& info) { return std::string(info.param.qtName); });

}  // namespace
