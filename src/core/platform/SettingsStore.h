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
    // Puts every write so far into lasting storage; false when that failed
    // (the values written stay readable until the program ends).
    virtual bool Flush() = 0;
    // Where the store keeps its values, for a message about them.
    virtual std::string Location() const = 0;
};

}  // namespace tessary
