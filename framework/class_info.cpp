#include "framework/class_info.h"

#include <algorithm>

#include "framework/published.h"
#include "framework/text.h"

namespace {

// Walks from a class to its root, returning the first non-null result of find.
template <class Find>
auto FindInChain(const ClassInfo* info, Find find) -> decltype(find(*info)) {
    for (; info != nullptr; info = info->parent) {
        if (auto found = find(*info)) return found;
    }
    return nullptr;
}

}  // namespace

bool ClassInfo::InheritsFrom(const ClassInfo& ancestor) const {
    return FindInChain(this, [&](const ClassInfo& info) { return &info == &ancestor ? &info : nullptr; }) !=
           nullptr;
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view propertyName) const {
    return FindInChain(this, [&](const ClassInfo& info) -> const PropertyInfo* {
        auto it = std::ranges::find_if(info.properties,
                                       [&](const PropertyInfo& p) { return SameText(p.name, propertyName); });
        return it == info.properties.end() ? nullptr : &*it;
    });
}

const MethodInfo* ClassInfo::FindMethod(std::string_view methodName) const {
    return FindInChain(this, [&](const ClassInfo& info) -> const MethodInfo* {
        auto it = std::ranges::find_if(info.methods,
                                       [&](const MethodInfo& m) { return SameText(m.name, methodName); });
        return it == info.methods.end() ? nullptr : &*it;
    });
}

const MethodInfo* ClassInfo::FindMethod(TNotifyEvent::Thunk code) const {
    return FindInChain(this, [&](const ClassInfo& info) -> const MethodInfo* {
        auto it = std::ranges::find(info.methods, code, &MethodInfo::code);
        return it == info.methods.end() ? nullptr : &*it;
    });
}

const MessageHandlerInfo* ClassInfo::FindMessageHandler(UINT message) const {
    return FindInChain(this, [&](const ClassInfo& info) -> const MessageHandlerInfo* {
        auto it = std::ranges::find(info.messages, message, &MessageHandlerInfo::message);
        return it == info.messages.end() ? nullptr : &*it;
    });
}
