#include "framework/rules/start_folder.h"

#include <filesystem>

std::string StartFolder(const std::string& chosenBefore, const std::vector<std::string>& places) {
    std::vector<std::string> candidates{std::filesystem::path(chosenBefore).parent_path().string()};
    candidates.insert(candidates.end(), places.begin(), places.end());
    for (const std::string& folder : candidates) {
        std::error_code unreadable;  // a folder that cannot be looked at is passed over like a missing one
        if (!folder.empty() && std::filesystem::is_directory(folder, unreadable)) return folder;
    }
    return {};
}
