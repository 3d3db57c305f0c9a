// The uninstaller's custom action that removes the start-up entries that "Keep Running" wrote for the
// installed program: the program's own under the user's Run key, and an earlier version's under the machine's
// RunOnce key. The user's RunOnce and the machine's Run keys are searched too: the search only ever deletes
// an entry that starts the installed program, which none may keep once it is gone. An entry that starts
// another copy of the program stays, and so does the settings key: the user's alarm and defaults outlive
// the program.
#include <cwchar>
#include <optional>
#include <string>

#include "packaging/windows/action_support.h"
#include "settings/startup_entry.h"

namespace {

// The names are ASCII, so each character widens as it is.
std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

const std::wstring kEntryName = Wide(kStartupEntryName);

// What an entry runs: its command without the quotes around the program and without arguments.
std::wstring ProgramOf(std::wstring command) {
    if (!command.empty() && command.front() == L'"') {
        const auto closing = command.find(L'"', 1);
        return command.substr(1, closing == std::wstring::npos ? std::wstring::npos : closing - 1);
    }
    return command;
}

// The entry's command, or nothing when there is no entry (or one of a type that no command has).
std::optional<std::wstring> ReadEntry(HKEY root, const wchar_t* key) {
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD size = 0;
    if (RegGetValueW(root, key, kEntryName.c_str(), flags, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(root, key, kEntryName.c_str(), flags, nullptr, text.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

}  // namespace

// Each failure is left as it is: without administrator rights the machine's keys may refuse, and an
// uninstall must not stop over a start-up entry.
extern "C" __declspec(dllexport) UINT __stdcall RemoveStartupEntries(MSIHANDLE install) {
    // The installed program's path.
    const std::wstring program = PropertyText(install, L"CustomActionData");
    if (program.empty()) return ERROR_SUCCESS;
    const HKEY roots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    const std::wstring keys[] = {Wide(kStartupKey), Wide(kMachineRunOnceKey)};
    for (HKEY root : roots) {
        for (const std::wstring& key : keys) {
            const auto command = ReadEntry(root, key.c_str());
            // An earlier version cleared its entry by writing the empty text in its place.
            if (command && (command->empty() || SamePath(ProgramOf(*command), program))) {
                RegDeleteKeyValueW(root, key.c_str(), kEntryName.c_str());
            }
        }
    }
    return ERROR_SUCCESS;
}
