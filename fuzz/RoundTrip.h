#pragma once

#include <cstddef>
#include <cstdint>

namespace tessary::fuzz {

// Reads bytes as a pattern file. When the reader accepts them, the pattern
// is saved and reopened in a fresh session; anything that comes back
// different, or a save or reopen that fails, aborts with a description.
// Returns whether the reader accepted the bytes.
bool RoundTrip(const std::uint8_t* data, std::size_t size);

}  // namespace tessary::fuzz
