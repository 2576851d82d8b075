#include "core/files/BmpFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/platform/RasterSurface.h"

namespace tessary {

namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40;
// 96 dots per inch, the screen's, which the print's bitmap mode assumes.
constexpr std::int32_t kPixelsPerMetre = 3780;

void Put16(std::uint8_t* at, std::uint16_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool WriteBmp(int fd, const RasterSurface& surface) {
    const int width = surface.Width();
    const int height = surface.Height();
    if (width < 1 || height < 1) return false;
    // Every row is padded to a multiple of 4 bytes.
    const std::uint64_t rowBytes = (std::uint64_t{3} * static_cast<std::uint64_t>(width) + 3) & ~std::uint64_t{3};
    const std::uint64_t fileBytes = kHeaderBytes + rowBytes * static_cast<std::uint64_t>(height);
    if (fileBytes > std::numeric_limits<std::uint32_t>::max()) return false;

    std::uint8_t header[kHeaderBytes] = {};
    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, static_cast<std::uint32_t>(fileBytes));
    Put32(header + 10, kHeaderBytes);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<std::uint32_t>(width));
    Put32(header + 22, static_cast<std::uint32_t>(height));  // positive: bottom row first
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 34, static_cast<std::uint32_t>(rowBytes * static_cast<std::uint64_t>(height)));
    Put32(header + 38, kPixelsPerMetre);
    Put32(header + 42, kPixelsPerMetre);
    if (!WriteAll(fd, header, sizeof header)) return false;

    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        const std::uint32_t* pixels = surface.Row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[x];
            row[3 * x] = static_cast<std::uint8_t>(p);            // blue
            row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);   // green
            row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);  // red
        }
        if (!WriteAll(fd, row.data(), row.size())) return false;
    }
    return true;
}

}  // namespace tessary
