#include "core/files/OutputGuard.h"

#include "core/files/FileReplacement.h"
#include "core/services/Messages.h"

namespace tessary {

bool MayWriteOutput(const std::string& output, const std::string& patternPath, Messages& messages) {
    if (patternPath.empty() || !IsSameFile(output, patternPath)) return true;
    messages.MsgOutputIsPattern(output);
    return false;
}

}  // namespace tessary
