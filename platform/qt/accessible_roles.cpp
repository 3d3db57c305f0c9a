#include "platform/qt/accessible_roles.h"

#include <QAccessibleWidget>

namespace qtbackend {

namespace {

constexpr char kRoleProperty[] = "alarmclockAccessibleRole";

QAccessibleInterface* WithAssignedRole(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), role.value<QAccessible::Role>());
}

}  // namespace

void InstallAccessibleRoles() { QAccessible::installFactory(WithAssignedRole); }

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
    widget.setProperty(kRoleProperty, QVariant::fromValue(role));
}

}  // namespace qtbackend
