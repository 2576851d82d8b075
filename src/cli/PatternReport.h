#pragma once

#include <string>

namespace tessary {

class Session;

// A short human summary of the pattern just read from path.
std::string PatternSummary(const Session& session, const std::string& path);
// The pattern just read as one JSON object.
std::string PatternJson(const Session& session);

}  // namespace tessary
