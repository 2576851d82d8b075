#pragma once

#include <optional>
#include <string>

namespace tessary {

// The per-user store of text values, addressed by section and key under the
// application title. Every read names its own default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Read(const std::string& section, const std::string& key) const = 0;
    virtual void Write(const std::string& section, const std::string& key, const std::string& value) = 0;
};

}  // namespace tessary
