// Runs the fuzzer's round trip over files without libFuzzer, so that any
// compiler's build checks the seed corpus: every seed must be accepted and
// come back unchanged.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "fuzz/RoundTrip.h"
#include "tests/core/FakePlatform.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::set<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& entry : fs::directory_iterator(argv[i])) files.insert(entry.path());
        } else {
            files.insert(argv[i]);
        }
    }
    int refused = 0;
    for (const fs::path& file : files) {
        const std::string bytes = tessary::test::ReadFileBytes(file);
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        if (!tessary::fuzz::RoundTrip(data, bytes.size())) {
            std::fprintf(stderr, "%s: refused by the reader\n", file.c_str());
            ++refused;
        }
    }
    std::printf("%zu files, %d refused\n", files.size(), refused);
    return files.empty() || refused > 0 ? 1 : 0;
}
