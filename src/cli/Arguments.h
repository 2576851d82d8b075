#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessary::cli {

// Exit statuses: done, a file that could not be read or written, wrong usage.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// A command line taken apart: the files named, the options with their
// values, the flags given.
struct Arguments {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;
};

// What every command reads its options with: an option's value (empty when
// it is not given), the whole text as a number from low to high, or as a
// whole number from first to last (-1 when it is none).
std::string Option(const Arguments& args, const std::string& name);
std::optional<float> Number(const std::string& text, float low, float high);
int WholeNumber(const std::string& text, int first, int last);
// Says what is wrong on standard error; gives status back.
int Problem(const std::string& text, int status = kUsage);

}  // namespace tessary::cli
