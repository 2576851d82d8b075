#pragma once

#include <string>

namespace tessary {
class Session;
}

namespace tessary::cli {

struct Arguments;

// The options of an export command that can be judged before the pattern
// is read: kUsage (after saying why) when one is malformed, else kOk.
int CheckExportArguments(const std::string& command, const Arguments& args);
// Exports the pattern just read from args.files[0] to args.files[1] in the
// format the command names.
int Export(Session& session, const std::string& command, const Arguments& args);

}  // namespace tessary::cli
