// Run-time class information: one table per class with its name, its parent, how the form reader creates
// it, its published properties and handlers, and its message handlers. Dispatch, class tests, the form
// reader and the form writer all read these tables; nothing else describes a class twice.
#pragma once

#include <span>
#include <string_view>

#include "framework/message.h"
#include "framework/notify_event.h"
#include "platform/api.h"

class TObject;
class TComponent;
struct PropertyInfo;

struct MessageHandlerInfo {
    UINT message;
    void (*handler)(TObject& self, TMessage& message);
};

// A handler that the form file may bind to an event by its name.
struct MethodInfo {
    std::string_view name;
    TNotifyEvent::Thunk code;
};

struct ClassInfo {
    std::string_view name;
    const ClassInfo* parent = nullptr;
    // Creates an instance for the form reader; null for classes that a form file cannot name.
    TComponent* (*create)(TComponent* owner) = nullptr;
    std::span<const PropertyInfo> properties{};
    std::span<const MethodInfo> methods{};
    std::span<const MessageHandlerInfo> messages{};

    bool InheritsFrom(const ClassInfo& ancestor) const;
    // Searches this class, then its ancestors; names compare without regard to case, as in form files.
    const PropertyInfo* FindProperty(std::string_view propertyName) const;
    const MethodInfo* FindMethod(std::string_view methodName) const;
    const MethodInfo* FindMethod(TNotifyEvent::Thunk code) const;
    const MessageHandlerInfo* FindMessageHandler(UINT message) const;
};

// The thunk that calls Class::Method with a message record.
template <class Class, void (Class::*Method)(TMessage&)>
void CallMessageMethod(TObject& self, TMessage& message) {
    (static_cast<Class&>(self).*Method)(message);
}

#define PUBLISHED_METHOD(Class, Method) \
    MethodInfo { #Method, &CallMethod < Class, &Class::Method> }

#define MESSAGE_HANDLER(Class, Number, Method) \
    MessageHandlerInfo { Number, &CallMessageMethod<Class, &Class::Method> }

// Creation function for the form reader's class table.
template <class Class>
TComponent* CreateComponent(TComponent* owner) {
    return new Class(owner);
}

// The table of a class that form files may name; constant-initialised, so no table waits on another.
template <class Class, class Parent>
constexpr ClassInfo CreatableClass(std::string_view name, std::span<const PropertyInfo> properties) {
    return {
        .name = name, .parent = &Parent::Class, .create = &CreateComponent<Class>, .properties = properties};
}

// Every class with its own table declares it with this: the table and the virtual that returns it.
#define DECLARE_CLASS_INFO        \
  public:                         \
    static const ClassInfo Class; \
    const ClassInfo& ClassType() const override { return Class; }
