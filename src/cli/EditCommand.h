#pragma once

#include "core/shell/EditScript.h"

namespace tessary {
class Session;
}

namespace tessary::cli {

struct Arguments;

struct EditJob {
    EditScript script;
    float twipsPerPixel = 15;  // a 96-dpi screen
};

// What can be judged before the pattern is read: kOk with the job filled,
// else kUsage (a malformed line or option) or kFailed (no script to read)
// after saying why.
int ReadEditJob(const Arguments& args, EditJob& job);
// Runs the script over the pattern read from args.files[0], as the work
// window at normal size would, and saves the result to args.files[1].
int Edit(Session& session, const Arguments& args, const EditJob& job);

}  // namespace tessary::cli
