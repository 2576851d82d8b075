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

// Typed reads and writes in the store's text forms: numbers as decimal text
// that reads back to the same value, booleans as the words True and False.
// A value of the wrong form reads as the default.
std::string ReadText(const SettingsStore& store, const std::string& section, const std::string& key,
                     const std::string& fallback);
float ReadSingle(const SettingsStore& store, const std::string& section, const std::string& key, float fallback);
long ReadInteger(const SettingsStore& store, const std::string& section, const std::string& key, long fallback);
bool ReadBoolean(const SettingsStore& store, const std::string& section, const std::string& key, bool fallback);

void WriteSingle(SettingsStore& store, const std::string& section, const std::string& key, float value);
void WriteInteger(SettingsStore& store, const std::string& section, const std::string& key, long value);
void WriteBoolean(SettingsStore& store, const std::string& section, const std::string& key, bool value);

}  // namespace tessary
