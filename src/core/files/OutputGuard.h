#pragma once

#include <string>

namespace tessary {

class Messages;

// False, after saying so, when writing output would replace the pattern
// file it is made from: compared as files, so links and other spellings of
// the same path are caught too.
bool MayWriteOutput(const std::string& output, const std::string& patternPath, Messages& messages);

}  // namespace tessary
