#pragma once

#include <string>

#include "core/platform/KeyCodes.h"

namespace tessary {

// Lengths as the user reads and types them: two decimals at most when shown,
// and whole numbers, decimals or fractions ("1/64", "1 1/2") when typed.
std::string FormatMeasure(float value);
float ParseMeasure(const std::string& text);
std::string SanitizeMeasure(const std::string& text);
float ParseFraction(const std::string& sanitized);
float ParseDecimal(const std::string& sanitized);
std::string DigitsOnly(const std::string& text);

// Key filters of the entry boxes: the key code to accept, or 0 to swallow it.
int FilterMeasureKey(int key, const std::string& boxText);
int FilterPixelKey(int key);
bool IsCommitKey(int key);

}  // namespace tessary
