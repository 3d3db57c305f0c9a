#include "framework/standard_classes.h"

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "framework/media_player.h"
#include "framework/menu_item.h"
#include "framework/open_dialog.h"
#include "framework/popup_menu.h"
#include "framework/timer.h"

std::span<const ClassInfo* const> StandardClasses() {
    static const ClassInfo* const classes[] = {
        &TPanel::Class,     &TGroupBox::Class,       &TLabel::Class,       &TButton::Class, &TCheckBox::Class,
        &TEdit::Class,      &TDateTimePicker::Class, &TImage::Class,       &TTimer::Class,  &TOpenDialog::Class,
        &TPopupMenu::Class, &TMenuItem::Class,       &TMediaPlayer::Class,
    };
    return classes;
}
