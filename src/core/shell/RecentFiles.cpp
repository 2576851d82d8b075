#include "core/shell/RecentFiles.h"

#include <algorithm>
#include <filesystem>

#include "core/platform/SettingsStore.h"

namespace tessary {

namespace {

const char* const kSection = "Recent";

std::string Key(std::size_t i) { return "File" + std::to_string(i + 1); }

}  // namespace

RecentFiles::RecentFiles(SettingsStore& store) : store_(store) {
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        const auto path = store_.Read(kSection, Key(i));
        if (path && !path->empty() && std::find(files_.begin(), files_.end(), *path) == files_.end()) {
            files_.push_back(*path);
        }
    }
}

void RecentFiles::Add(const std::string& given) {
    if (given.empty()) return;
    // Found again from wherever the program starts next.
    std::error_code ec;
    const std::filesystem::path whole = std::filesystem::absolute(given, ec);
    const std::string path = ec ? given : whole.lexically_normal().string();
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    files_.insert(files_.begin(), path);
    if (files_.size() > kRecentFiles) files_.resize(kRecentFiles);
    Store();
}

void RecentFiles::Remove(const std::string& path) {
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    Store();
}

void RecentFiles::Clear() {
    files_.clear();
    Store();
}

void RecentFiles::Store() {
    for (std::size_t i = 0; i < kRecentFiles; ++i) store_.Write(kSection, Key(i), i < files_.size() ? files_[i] : "");
}

}  // namespace tessary
