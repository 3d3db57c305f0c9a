// Rules that both desktop back ends apply, each its own way: a form's frame, the open dialog's filter, and
// which items of a pop-up menu show.
#include <string>
#include <vector>

#include "framework/menu_item.h"
#include "framework/rules/file_filter.h"
#include "framework/rules/form_frame.h"
#include "framework/rules/menu_entries.h"
#include "tests/support/headless_test.h"

namespace {

using DesktopRulesTest = HeadlessTest;

FormFrame Frame(TFormBorderStyle style, unsigned icons = biSystemMenu | biMinimize | biMaximize) {
    auto form = MakeComponent<TForm>(nullptr);
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    return FrameOf(*form);
}

}  // namespace

TEST_F(DesktopRulesTest, TheBorderStyleDecidesTheFrameAndTheIconsOnlyWhereItHasRoomForThem) {
    const FormFrame single = Frame(bsSingle);
    EXPECT_TRUE(single.titled && single.closeBox && single.minimizeBox);
    EXPECT_FALSE(single.resizable || single.maximizeBox || single.dialog || single.tool);
    const FormFrame sizeable = Frame(bsSizeable, biMaximize);
    EXPECT_TRUE(sizeable.resizable && sizeable.maximizeBox);
    EXPECT_FALSE(sizeable.closeBox || sizeable.minimizeBox);
    const FormFrame dialog = Frame(bsDialog);
    EXPECT_TRUE(dialog.dialog && dialog.closeBox);
    EXPECT_FALSE(dialog.minimizeBox || dialog.maximizeBox || dialog.resizable);
    const FormFrame none = Frame(bsNone);
    EXPECT_FALSE(none.titled || none.closeBox || none.minimizeBox || none.maximizeBox || none.resizable);
    const FormFrame tool = Frame(bsSizeToolWin);
    EXPECT_TRUE(tool.tool && tool.resizable && tool.maximizeBox);
    EXPECT_TRUE(Frame(bsToolWindow).tool);
    EXPECT_FALSE(Frame(bsToolWindow).resizable);
}

TEST_F(DesktopRulesTest, TheClientSizeIsTheLayoutsAndThePositionSaysWhereTheWindowFirstShows) {
    auto form = MakeComponent<TForm>(nullptr);
    form->SetWidth(392);
    form->SetHeight(253);
    EXPECT_EQ(FrameOf(*form).clientWidth, 392);  // no client size: the outer one
    form->SetClientWidth(376);
    form->SetClientHeight(214);
    EXPECT_EQ(FrameOf(*form).clientWidth, 376);
    EXPECT_EQ(FrameOf(*form).clientHeight, 214);
    for (const auto& [position, place] :
         {std::pair{poDesigned, FormPlace::Designed}, std::pair{poDefaultSizeOnly, FormPlace::Designed},
          std::pair{poScreenCenter, FormPlace::Centred}, std::pair{poDesktopCenter, FormPlace::Centred},
          std::pair{poDefault, FormPlace::WindowSystems},
          std::pair{poDefaultPosOnly, FormPlace::WindowSystems}}) {
        form->SetPosition(position);
        EXPECT_EQ(FrameOf(*form).place, place) << position;
    }
}

TEST(FilterSplitTest, PairsOfADescriptionAndItsPatternsWithoutADescriptionAlone) {
    EXPECT_EQ(SplitFilter("Sound Files|*.wav| Media | *.mid ; *.avi;|All Files|*.*"),
              (std::vector<FileFilter>{
                  {"Sound Files", {"*.wav"}}, {"Media", {"*.mid", "*.avi"}}, {"All Files", {"*.*"}}}));
    EXPECT_EQ(SplitFilter("Dangling|*.a|Description only"), (std::vector<FileFilter>{{"Dangling", {"*.a"}}}));
    EXPECT_EQ(SplitFilter("No patterns||Programs|*.exe"), (std::vector<FileFilter>{{"Programs", {"*.exe"}}}));
    EXPECT_EQ(SplitFilter(""), std::vector<FileFilter>{});
}

TEST_F(DesktopRulesTest, AMenuShowsItsVisibleItemsWithASeparatorOnlyBetweenTwoOfThem) {
    auto menu = MakeComponent<TPopupMenu>(nullptr);
    for (const char* caption : {"-", "Show", "-", "Hide", "-", "-", "Exit", "-", "-"}) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(caption);
        menu->Add(item);
    }
    menu->Items(3)->SetVisible(false);  // Hide: the separators around it fold into one
    menu->Items(5)->SetVisible(false);  // a hidden separator
    using enum MenuEntry;
    EXPECT_EQ(MenuEntries(*menu),
              (std::vector<MenuEntry>{Hidden, Item, Separator, Hidden, Hidden, Hidden, Item, Hidden, Hidden}));
    menu->Items(6)->SetVisible(false);  // nothing after the separator: it goes too
    EXPECT_EQ(MenuEntries(*menu),
              (std::vector<MenuEntry>{Hidden, Item, Hidden, Hidden, Hidden, Hidden, Hidden, Hidden, Hidden}));
}
