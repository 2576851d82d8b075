#pragma once

#include "core/engine/AutoTrace.h"

namespace tessary {
class Session;
}

namespace tessary::cli {

struct Arguments;

struct TraceJob {
    AutoTraceOptions options;
    float widthInches = 0;
};

// What can be judged before the picture is read: kOk with the job filled,
// else kUsage after saying what is wrong.
int ReadTraceJob(const Arguments& args, TraceJob& job);
// A new pattern from the picture args.files[0] at the width asked for (its
// height from the picture's aspect), traced, and saved with the picture to
// args.files[1]; prints the lines and pieces added.
int Trace(Session& session, const Arguments& args, const TraceJob& job);

}  // namespace tessary::cli
