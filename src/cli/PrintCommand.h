#pragma once

#include "cli/Arguments.h"

namespace tessary {
class Session;
}

namespace tessary::cli {

// The print options that can be judged before the pattern is read: kUsage
// (after saying why) when one is malformed, else kOk.
int CheckPrintArguments(const Arguments& args);
// Prints the pattern just read with the wizard's choices: those given on
// the command line, the wizard's stored ones for the rest.
int Print(Session& session, const Arguments& args);

}  // namespace tessary::cli
