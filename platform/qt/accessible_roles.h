// Roles for screen readers where a widget's class says the wrong thing: a form's window is a plain QWidget,
// which Qt offers as a filler, and a panel is drawn by a QLabel, which Qt offers as a label even when it
// holds controls and no text. A widget given a role here is offered with that role and its accessible name.
#pragma once

#include <QAccessible>
#include <QWidget>

namespace qtbackend {

// Once per application, before any window is shown.
void InstallAccessibleRoles();
void SetAccessibleRole(QWidget& widget, QAccessible::Role role);

}  // namespace qtbackend
