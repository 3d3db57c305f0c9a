#include "framework/open_dialog.h"

#include "framework/published.h"

namespace {

const PropertyInfo kProperties[] = {
    StringProperty<&TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt>("DefaultExt"),
    StringProperty<&TOpenDialog::FileName, &TOpenDialog::SetFileName>("FileName"),
    StringProperty<&TOpenDialog::Filter, &TOpenDialog::SetFilter>("Filter"),
    StringProperty<&TOpenDialog::Title, &TOpenDialog::SetTitle>("Title"),
};

}  // namespace

const ClassInfo TOpenDialog::Class = CreatableClass<TOpenDialog, TComponent>("TOpenDialog", kProperties);

bool TOpenDialog::Execute() {
    auto chosen = CurrentWidgetset().ExecuteOpenDialog({title_, filter_, defaultExt_, fileName_, kind_});
    if (!chosen) return false;
    fileName_ = *chosen;
    return true;
}
