#include "framework/icon.h"

void TIcon::LoadFromResourceName(const std::string& name) {
    resourceName_ = name;
    handle_ = name.empty() ? nullptr : LoadIconA(GetModuleHandleA(nullptr), name.c_str());
}

void TIcon::Assign(const TIcon& source) {
    handle_ = source.handle_;
    resourceName_ = source.resourceName_;
}
