#include "framework/class_registry.h"

#include <algorithm>
#include <vector>

#include "framework/standard_classes.h"
#include "framework/text.h"

namespace {

// Created on first use with the framework's own classes, so no static initialisation order matters.
std::vector<const ClassInfo*>& Registry() {
    static std::vector<const ClassInfo*> registry(StandardClasses().begin(), StandardClasses().end());
    return registry;
}

}  // namespace

void RegisterClass(const ClassInfo& info) {
    if (FindClass(info.name) == nullptr) Registry().push_back(&info);
}

const ClassInfo* FindClass(std::string_view name) {
    auto it =
        std::ranges::find_if(Registry(), [&](const ClassInfo* info) { return SameText(info->name, name); });
    return it == Registry().end() ? nullptr : *it;
}
