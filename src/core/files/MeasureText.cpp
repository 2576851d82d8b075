#include "core/files/MeasureText.h"

#include <charconv>
#include <cmath>

namespace tessary {

namespace {

constexpr const char* kMeasureChars = "0123456789 ./";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a digit string; empty is 0. Digits beyond what a double holds
// only lose precision, they never overflow to an error.
double DigitValue(const std::string& digits) {
    double v = 0;
    for (char c : digits) v = v * 10 + (c - '0');
    return v;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// Keeps a result within what a single holds: an empty or zero denominator
// and absurdly long digit strings give 0 rather than an infinity.
float ToSingle(double v) {
    const auto f = static_cast<float>(v);
    return std::isfinite(f) ? f : 0.0f;
}

}  // namespace

std::string FormatMeasure(float value) {
    const auto r = static_cast<float>(std::floor(static_cast<double>(value) * 100.0 + 0.5) / 100.0);
    // Seven significant digits, as single-precision text is shown; trailing
    // zeros and a bare point dropped.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, r, std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

std::string SanitizeMeasure(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (std::string_view(kMeasureChars).find(c) == std::string_view::npos) c = ' ';
    }
    return Trim(out);
}

std::string DigitsOnly(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (IsDigit(c)) out += c;
    }
    return out;
}

float ParseFraction(const std::string& t) {
    const auto sl = t.find('/');
    const auto sp = t.find(' ');
    std::string whole;
    std::size_t numeratorStart = 0;
    if (sp != std::string::npos && sp < sl) {
        whole = DigitsOnly(t.substr(0, sp));
        numeratorStart = sp + 1;
    }
    const std::string numerator =
        DigitsOnly(t.substr(numeratorStart, sl == std::string::npos ? std::string::npos : sl - numeratorStart));
    const std::string denominator = sl == std::string::npos ? std::string() : DigitsOnly(t.substr(sl + 1));
    const double d = DigitValue(denominator);
    const double fraction = d == 0 ? 0.0 : DigitValue(numerator) / d;
    return ToSingle(fraction + DigitValue(whole));
}

float ParseDecimal(const std::string& t) {
    const auto dp = t.find('.');
    const std::string whole = DigitsOnly(t.substr(0, dp));
    const std::string frac = dp == std::string::npos ? std::string() : DigitsOnly(t.substr(dp + 1));
    return ToSingle(DigitValue(frac) / std::pow(10.0, static_cast<double>(frac.size())) + DigitValue(whole));
}

float ParseMeasure(const std::string& text) {
    const std::string t = SanitizeMeasure(text);
    if (t.empty()) return 0;
    if (t.find('/') != std::string::npos) return ParseFraction(t);
    if (t.find('.') != std::string::npos) return ParseDecimal(t);
    return ToSingle(DigitValue(DigitsOnly(t)));
}

int FilterMeasureKey(int key, const std::string& boxText) {
    if (key == '.') return boxText.find('.') == std::string::npos ? key : 0;
    return FilterPixelKey(key);
}

int FilterPixelKey(int key) {
    if ((key >= '0' && key <= '9') || key == KeyBackspace || key == KeyEnter || key == KeyPlus) return key;
    return 0;
}

bool IsCommitKey(int key) { return key == KeyEnter || key == KeyPlus; }

}  // namespace tessary
