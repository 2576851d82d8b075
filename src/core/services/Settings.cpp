#include "core/services/Settings.h"

#include <charconv>
#include <cmath>

#include "core/services/Messages.h"

namespace tessary {

namespace {

template <class Number>
bool ParseWhole(const std::string& text, Number& out) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, out);
    return result.ec == std::errc() && result.ptr == last;
}

}  // namespace

std::string SingleText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ReadText(const SettingsStore& store, const std::string& section, const std::string& key,
                     const std::string& fallback) {
    return store.Read(section, key).value_or(fallback);
}

float ReadSingle(const SettingsStore& store, const std::string& section, const std::string& key, float fallback) {
    const auto text = store.Read(section, key);
    if (!text) return fallback;
    float value = 0;
    return ParseWhole(*text, value) && std::isfinite(value) ? value : fallback;
}

long ReadInteger(const SettingsStore& store, const std::string& section, const std::string& key, long fallback) {
    const auto text = store.Read(section, key);
    if (!text) return fallback;
    long value = 0;
    return ParseWhole(*text, value) ? value : fallback;
}

bool ReadBoolean(const SettingsStore& store, const std::string& section, const std::string& key, bool fallback) {
    const auto text = store.Read(section, key);
    if (text == "True") return true;
    if (text == "False") return false;
    return fallback;
}

void WriteSingle(SettingsStore& store, const std::string& section, const std::string& key, float value) {
    store.Write(section, key, SingleText(value));
}

void WriteInteger(SettingsStore& store, const std::string& section, const std::string& key, long value) {
    store.Write(section, key, std::to_string(value));
}

void WriteBoolean(SettingsStore& store, const std::string& section, const std::string& key, bool value) {
    store.Write(section, key, value ? "True" : "False");
}

bool SaveSettings(SettingsStore& store, Messages& messages) {
    if (store.Flush()) return true;
    messages.MsgSettingsNotSaved(store.Location());
    return false;
}

}  // namespace tessary
