#include <cstddef>
#include <cstdint>

#include "fuzz/RoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessary::fuzz::RoundTrip(data, size);
    return 0;
}
