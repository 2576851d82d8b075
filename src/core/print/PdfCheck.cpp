#include "core/print/PdfCheck.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace tessary {

namespace {

struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, Closer>;

// The bytes of the file from offset on, at most size of them.
std::string Read(std::FILE* f, long offset, std::size_t size) {
    std::string bytes(size, '\0');
    if (std::fseek(f, offset, SEEK_SET) != 0) return {};
    bytes.resize(std::fread(bytes.data(), 1, size, f));
    return bytes;
}

// The box's numbers as written, and the exact ones padded to their length;
// empty when the box is no rounding of the exact size.
std::string ExactBox(const std::string& written, double width, double height) {
    double w = 0, h = 0;
    int used = 0;
    if (std::sscanf(written.c_str(), "%lf %lf]%n", &w, &h, &used) != 2 || used == 0) return {};
    if (std::abs(w - width) > 1 || std::abs(h - height) > 1) return {};
    char exact[64];
    const int length = std::snprintf(exact, sizeof exact, "%.6f %.6f]", width, height);
    if (length <= 0 || length > used) return {};
    std::string box(exact, static_cast<std::size_t>(length));
    box.insert(box.size() - 1, static_cast<std::size_t>(used - length), ' ');
    return box;
}

}  // namespace

bool WriteExactPageSize(const std::string& path, double width, double height) {
    const File f(std::fopen(path.c_str(), "r+b"));
    if (!f) return false;
    static const std::string kBox = "/MediaBox [0 0 ";
    constexpr std::size_t kChunk = 1 << 20;
    constexpr std::size_t kNumbers = 48;  // room for the two numbers and the bracket
    long offset = 0;
    for (;;) {
        // Chunks overlap by a box, so none is missed where two meet.
        const std::string bytes = Read(f.get(), offset, kChunk + kBox.size() + kNumbers);
        if (bytes.empty()) break;
        for (auto at = bytes.find(kBox); at != std::string::npos && at < kChunk; at = bytes.find(kBox, at + 1)) {
            const std::size_t numbers = at + kBox.size();
            const std::string box = ExactBox(bytes.substr(numbers, kNumbers), width, height);
            if (box.empty()) continue;
            if (std::fseek(f.get(), offset + static_cast<long>(numbers), SEEK_SET) != 0 ||
                std::fwrite(box.data(), 1, box.size(), f.get()) != box.size()) {
                return false;
            }
        }
        if (bytes.size() <= kChunk) break;
        offset += static_cast<long>(kChunk);
    }
    return std::fflush(f.get()) == 0 && !std::ferror(f.get());
}

bool PdfWrittenWhole(const std::string& path) {
    const File f(std::fopen(path.c_str(), "rb"));
    if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(f.get());
    if (size < 32 || Read(f.get(), 0, 5) != "%PDF-") return false;

    // The file ends "startxref", the table's offset, "%%EOF".
    const long tailStart = size > 64 ? size - 64 : 0;
    std::string tail = Read(f.get(), tailStart, static_cast<std::size_t>(size - tailStart));
    while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r')) tail.pop_back();
    const std::string eof = "%%EOF";
    if (tail.size() < eof.size() || tail.compare(tail.size() - eof.size(), eof.size(), eof) != 0) return false;
    const auto start = tail.rfind("startxref");
    if (start == std::string::npos) return false;
    char* end = nullptr;
    const char* number = tail.c_str() + start + 9;
    const long long table = std::strtoll(number, &end, 10);
    if (end == number || table <= 0 || table >= tailStart + static_cast<long long>(start)) return false;

    // The table: "xref", "0 count", then count entries of 20 bytes each,
    // then the trailer.
    const std::string head = Read(f.get(), static_cast<long>(table), 32);
    unsigned first = 0, count = 0;
    int used = 0;
    if (std::sscanf(head.c_str(), "xref\n%u %u\n%n", &first, &count, &used) != 2 || used == 0) return false;
    const long long trailer = table + used + 20LL * count;
    return trailer < size && Read(f.get(), static_cast<long>(trailer), 7) == "trailer";
}

}  // namespace tessary
