#include "framework/object.h"

const ClassInfo TObject::Class{.name = "TObject"};

void TObject::Dispatch(TMessage& message) {
    if (const MessageHandlerInfo* entry = ClassType().FindMessageHandler(message.Msg)) {
        entry->handler(*this, message);
    } else {
        DefaultHandler(message);
    }
}

void TObject::DefaultHandler(TMessage&) {}
