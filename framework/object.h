// The root of every framework class: its class table, class tests, and message dispatch to the handler
// that the nearest class in the chain registers, else to the default handler.
#pragma once

#include "framework/class_info.h"
#include "framework/message.h"

class TObject {
  public:
    static const ClassInfo Class;

    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual const ClassInfo& ClassType() const { return Class; }
    std::string_view ClassName() const { return ClassType().name; }
    bool InheritsFrom(const ClassInfo& ancestor) const { return ClassType().InheritsFrom(ancestor); }

    // Calls the handler registered for message.Msg by this object's class or its nearest ancestor that has
    // one; without one, DefaultHandler.
    virtual void Dispatch(TMessage& message);
    // What a message without a handler gets: nothing, unless a class says otherwise.
    virtual void DefaultHandler(TMessage& message);
};
