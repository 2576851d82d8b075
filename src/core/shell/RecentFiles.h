#pragma once

#include <string>
#include <vector>

namespace tessary {

class SettingsStore;

inline constexpr std::size_t kRecentFiles = 10;

// The patterns opened or saved last, newest first, each once, kept in the
// settings store (section "Recent", keys "File1" to "File10").
class RecentFiles {
public:
    explicit RecentFiles(SettingsStore& store);

    const std::vector<std::string>& Files() const { return files_; }
    void Add(const std::string& given);
    // A file that can no longer be opened leaves the list.
    void Remove(const std::string& path);
    void Clear();

private:
    void Store();

    SettingsStore& store_;
    std::vector<std::string> files_;
};

}  // namespace tessary
