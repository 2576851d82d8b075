#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessary {
class Session;
}

namespace tessary::cli {

inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

struct Arguments {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;
};

// The print options that can be judged before the pattern is read: kUsage
// (after saying why) when one is malformed, else kOk.
int CheckPrintArguments(const Arguments& args);
// Prints the pattern just read with the wizard's choices: those given on
// the command line, the wizard's stored ones for the rest.
int Print(Session& session, const Arguments& args);

}  // namespace tessary::cli
