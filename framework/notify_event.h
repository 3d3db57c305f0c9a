// A method reference: the object and the function that calls one of its methods with a sender. It compares
// by identity, so a form writer can find the handler's published name again.
#pragma once

class TObject;

struct TNotifyEvent {
    using Thunk = void (*)(TObject* self, TObject* sender);

    TObject* Data = nullptr;
    Thunk Code = nullptr;

    explicit operator bool() const { return Code != nullptr; }
    void operator()(TObject* sender) const {
        if (Code != nullptr) Code(Data, sender);
    }
    bool operator==(const TNotifyEvent&) const = default;
};

// The thunk that calls Class::Method, so that an event can be bound without std::function's allocation.
template <class Class, void (Class::*Method)(TObject*)>
void CallMethod(TObject* self, TObject* sender) {
    (static_cast<Class*>(self)->*Method)(sender);
}

template <auto Method, class Class>
TNotifyEvent MakeNotifyEvent(Class* object) {
    return TNotifyEvent{object, &CallMethod<Class, Method>};
}
