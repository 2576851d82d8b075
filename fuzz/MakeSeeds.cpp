// Writes the fuzzer's seed corpus: small pattern files of every format the
// reader accepts, built field by field from the file layout, not by the
// program's own writer. With --check it compares an existing corpus instead
// and fails on any file that differs, is missing or is not made here.
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "tests/core/FakePlatform.h"

namespace {

namespace fs = std::filesystem;
using tessary::test::Bytes;

struct Version {
    int major, minor, revision;
};

// A 2 x 2 pixel, 24-bit BMP: small enough for a seed, yet a real picture.
std::string TinyBmp() {
    Bytes b;
    b.Raw("BM").I32(70).I32(0).I32(54);                        // file header
    b.I32(40).I32(2).I32(2).I16(1).I16(24).I32(0).I32(16);     // info header
    b.I32(2835).I32(2835).I32(0).I32(0);
    b.Raw(std::string("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8));  // rows padded to 4 bytes
    b.Raw(std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8));
    return b.str();
}

std::string Filler(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    return bytes;
}

void Header(Bytes& b, const Version& v, const std::string& title = "Tessary") {
    b.Str(title).I16(v.major).I16(v.minor).I16(v.revision).Str("12/6/2026 8:10:16 AM");
}

// Older records carry fields the reader skips; they hold recognisable junk
// so that a reader that fails to skip them reads nonsense.
void OptionsBefore15(Bytes& b, int aspectFlag) {
    b.I16(aspectFlag).I16(11).I16(12).I16(13).I16(14);
    b.F32(0.25f).F32(0.75f).F32(1).F32(1.5f);
    b.F32(91).F32(92).F32(93).F32(94);
    b.F32(8).F32(10);
    b.F32(95).F32(96).F32(97).F32(98);
    b.F32(11500).F32(14410);  // twips as stored, deliberately not 8 x 1440
}

void Options15And16(Bytes& b, const Version& v, int aspectFlag) {
    b.I16(aspectFlag).I16(21).I16(22);
    b.F32(0.4f).F32(0.6f).F32(0.3f).F32(0.2f);
    b.F32(81).F32(82).F32(83).F32(84);
    b.F32(12).F32(9);
    b.F32(85).F32(86).F32(87).F32(88);
    b.F32(17280).F32(12961);
    b.F32(0.03125f).I32(0x00204080).I16(0).I16(23).Str("1/32");
    if (v.minor * 100 + v.revision >= 602) b.F32(3).F32(450).F32(600).I16(24);
}

void Options21(Bytes& b, bool metric, const std::string& penText = "1/64") {
    b.F32(0.5f).F32(0.5f).F32(1.25f).F32(0.75f);
    b.F32(metric ? 30 : 8.5f).F32(metric ? 42 : 11);
    b.F32(metric ? 0.5f : 0.015625f).I32(0x000000FF).I16(-1).Str(penText);
    b.F32(2).F32(400).F32(300).I16(metric ? -1 : 0).I16(metric ? -1 : 0);
}

void Options(Bytes& b, const Version& v) {
    if (v.major == 2) {
        Options21(b, false);
    } else if (v.minor <= 4) {
        OptionsBefore15(b, v.minor % 2 == 0 ? -1 : 0);
    } else {
        Options15And16(b, v, v.revision % 2 == 0 ? -1 : 1);
    }
}

void Lines(Bytes& b) {
    b.I16(3);
    b.F32(0).F32(0).F32(1440).F32(1440);
    b.F32(1440).F32(1440).F32(2880).F32(720.5f);
    b.F32(-10).F32(3e4f).F32(-0.0f).F32(7);
}

// One shape of every kind, rectangle to rounded square.
void Shapes(Bytes& b) {
    b.I16(6);
    for (int kind = 0; kind <= 5; ++kind) {
        const auto k = static_cast<float>(kind);
        b.I16(kind).F32(100 * k).F32(50 + k).F32(300 + k).F32(kind % 2 == 1 ? 300 + k : 500);
    }
}

void Picture(Bytes& b, const std::string& bytes) { b.I16(-1).F32(static_cast<float>(bytes.size())).Raw(bytes); }
void NoPicture(Bytes& b) { b.I16(0); }

std::string Name(const Version& v, const char* what) {
    char name[64];
    std::snprintf(name, sizeof name, "v%d.%d.%d-%s.pat", v.major, v.minor, v.revision, what);
    return name;
}

std::map<std::string, std::string> Corpus() {
    std::map<std::string, std::string> files;
    const Version versions[] = {{1, 1, 0}, {1, 2, 0}, {1, 3, 1}, {1, 4, 0},  {1, 5, 0}, {1, 5, 99},
                                {1, 6, 1}, {1, 6, 2}, {1, 6, 10}, {2, 1, 0}, {2, 1, 1}};
    for (const Version& v : versions) {
        Bytes drawn;
        Header(drawn, v);
        Options(drawn, v);
        Lines(drawn);
        Shapes(drawn);
        Bytes withPicture = drawn;
        NoPicture(drawn);
        Picture(withPicture, TinyBmp());
        files[Name(v, "drawn")] = drawn.str();
        files[Name(v, "picture")] = withPicture.str();
    }
    const Version current{2, 1, 1};
    const auto current21 = [&](const std::string& name, auto fill) {
        Bytes b;
        fill(b);
        files[Name(current, name.c_str())] = b.str();
    };
    current21("empty", [&](Bytes& b) {
        Header(b, current);
        Options21(b, false);
        b.I16(0).I16(0);
        NoPicture(b);
    });
    // Bytes above 0x7F in the pen text, and centimetre and millimetre units.
    current21("metric", [&](Bytes& b) {
        Header(b, current, "Another program");
        Options21(b, true, "\xBD mm \x80");
        Lines(b);
        b.I16(0);
        NoPicture(b);
    });
    current21("empty-picture", [&](Bytes& b) {
        Header(b, current);
        Options21(b, false);
        b.I16(0).I16(0);
        Picture(b, "");
    });
    // One whole piece and a remainder; exactly two whole pieces.
    current21("picture1500", [&](Bytes& b) {
        Header(b, current);
        Options21(b, false);
        Lines(b);
        b.I16(0);
        Picture(b, Filler(1500));
    });
    current21("picture2048", [&](Bytes& b) {
        Header(b, current);
        Options21(b, false);
        b.I16(0);
        Shapes(b);
        Picture(b, Filler(2048));
    });
    return files;
}

int Check(const fs::path& folder) {
    const auto corpus = Corpus();
    int faults = 0;
    for (const auto& [name, bytes] : corpus) {
        if (tessary::test::ReadFileBytes(folder / name) != bytes) {
            std::fprintf(stderr, "%s: missing or not what the generator makes\n", name.c_str());
            ++faults;
        }
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (corpus.count(entry.path().filename().string()) == 0) {
            std::fprintf(stderr, "%s: not made by the generator\n", entry.path().filename().c_str());
            ++faults;
        }
    }
    if (ec) {
        std::fprintf(stderr, "%s: %s\n", folder.c_str(), ec.message().c_str());
        ++faults;
    }
    return faults == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--check") return Check(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER | --check FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    for (const auto& [name, bytes] : Corpus()) tessary::test::WriteFileBytes(folder / name, bytes);
    return 0;
}
