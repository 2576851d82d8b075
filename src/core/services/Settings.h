#pragma once

#include <string>

#include "core/platform/SettingsStore.h"

namespace tessary {

class Messages;

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

// Makes the writes so far last; says so when the store could not be
// written. False then.
bool SaveSettings(SettingsStore& store, Messages& messages);

// The shortest decimal text that reads back to the same single-precision
// value (no exponent for everyday magnitudes): numbers as settings keep them.
std::string SingleText(float value);

}  // namespace tessary
