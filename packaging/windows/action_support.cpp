#include "packaging/windows/action_support.h"

std::wstring PropertyText(MSIHANDLE install, const wchar_t* name) {
    DWORD length = 0;
    wchar_t empty[1] = L"";
    if (MsiGetPropertyW(install, name, empty, &length) != ERROR_MORE_DATA) return {};
    std::wstring text(length + 1, L'\0');
    length = static_cast<DWORD>(text.size());
    if (MsiGetPropertyW(install, name, text.data(), &length) != ERROR_SUCCESS) return {};
    text.resize(length);
    return text;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                                        static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
