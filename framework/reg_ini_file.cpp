#include "framework/reg_ini_file.h"

TRegIniFile::TRegIniFile(const std::string& fileName) : fileName_(fileName) { OpenKey(fileName, true); }

bool TRegIniFile::InSection(const std::string& section, bool canCreate, const std::function<void()>& action) {
    if (section.empty()) {
        action();
        return true;
    }
    HKEY key = nullptr;
    std::string path;
    const LSTATUS status = TryOpenRelative(section, canCreate, key, path);
    if (!canCreate && status == ERROR_FILE_NOT_FOUND) return false;
    if (status != ERROR_SUCCESS) FailToOpen(path, canCreate, status);

    // The section is the open key while the action runs, and the previous one again afterwards, also
    // when the action fails.
    struct Restore {
        TRegIniFile& self;
        HKEY& key;
        std::string& path;
        ~Restore() {
            self.SwapCurrentKey(key, path);
            RegCloseKey(key);
        }
    };
    SwapCurrentKey(key, path);
    Restore restore{*this, key, path};
    action();
    return true;
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& name,
                                    const std::string& defaultValue) {
    std::string result = defaultValue;
    InSection(section, false, [&] { result = FindString(name).value_or(defaultValue); });
    return result;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    InSection(section, true, [&] { WriteString(name, value); });
}
