#pragma once

#include <string>

namespace tessary {

// Text in pattern files is one Windows-1252 byte per character. Characters
// that code page lacks are written as "?"; bytes it leaves undefined read as
// U+FFFD.
std::string Utf8ToCp1252(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& bytes);

}  // namespace tessary
