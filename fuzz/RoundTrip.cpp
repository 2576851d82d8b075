#include "fuzz/RoundTrip.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/engine/Session.h"
#include "tests/core/FakePlatform.h"

namespace tessary::fuzz {

namespace {

namespace fs = std::filesystem;

// A session on fakes whose temporary folder is its own, so that two
// sessions never extract a picture over each other.
struct FuzzSession {
    explicit FuzzSession(const fs::path& folder)
        : session(Platform{settings, presenter, progressWindow,
                           DefaultFolders{folder.string(), folder.string(), (folder / "Temp").string()},
                           [] { return std::string(test::kSavedAt); }}) {}

    test::FakeSettings settings;
    test::FakePresenter presenter;
    test::FakeProgressWindow progressWindow;
    Session session;
};

const fs::path& Scratch() {
    static const test::ScratchFolder folder;
    return folder.path();
}

[[noreturn]] void Finding(const std::string& what) {
    std::fprintf(stderr, "round trip: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

// Text as C escapes, so that a report stays on one readable line.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const unsigned char c : text) {
        char escape[8];
        std::snprintf(escape, sizeof escape, c < 0x20 || c > 0x7E || c == '"' ? "\\x%02X" : "%c", c);
        quoted += escape;
    }
    return quoted + "\"";
}

// Bit for bit: a round trip must not even turn -0 into 0.
bool Same(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Reports give the first value, then the second: as read, then as reopened,
// or the store's, then the reference copy's.
void ExpectSame(float first, float second, const char* field) {
    if (!Same(first, second)) {
        char text[160];
        std::snprintf(text, sizeof text, "%s: %.9g, then %.9g", field, static_cast<double>(first),
                      static_cast<double>(second));
        Finding(text);
    }
}

template <class T>
void ExpectEqual(const T& first, const T& second, const char* field) {
    if (!(first == second)) Finding(std::string(field) + " differs");
}

std::vector<std::vector<float>> VisibleLines(const PatternStore& store) {
    std::vector<std::vector<float>> lines;
    for (std::int16_t i = 0; i < store.OutLine.Count(); ++i) {
        if (!store.OutLine.Visible(i)) continue;
        const LineElement& e = store.OutLine[i];
        lines.push_back({e.X1, e.Y1, e.X2, e.Y2});
    }
    return lines;
}

std::vector<std::vector<float>> VisibleShapes(const PatternStore& store) {
    std::vector<std::vector<float>> shapes;
    for (std::int16_t i = 0; i < store.OutShape.Count(); ++i) {
        if (!store.OutShape.Visible(i)) continue;
        const ShapeElement& e = store.OutShape[i];
        shapes.push_back({static_cast<float>(e.Shape), e.Top, e.Left, e.Height, e.Width});
    }
    return shapes;
}

void ExpectSameRecords(const std::vector<std::vector<float>>& first, const std::vector<std::vector<float>>& second,
                       const char* what) {
    if (first.size() != second.size()) {
        Finding(std::string(what) + " count: " + std::to_string(first.size()) + ", then " +
                std::to_string(second.size()));
    }
    for (std::size_t i = 0; i < first.size(); ++i) {
        for (std::size_t k = 0; k < first[i].size(); ++k) {
            const std::string field = std::string(what) + " " + std::to_string(i) + " field " + std::to_string(k);
            ExpectSame(first[i][k], second[i][k], field.c_str());
        }
    }
}

// Compares what a saved file carries. The size in twips is not in the
// current format: it comes back recomputed from the dimensions and the page
// unit, whatever an older file stored. The aspect lock of older files has
// no field either and is left to the open command.
void ExpectSameOptions(const PatternOptions& read, const PatternOptions& reopened) {
    PatternOptions expected = read;
    expected.RecomputeTwips();
    ExpectSame(expected.MarginTop, reopened.MarginTop, "MarginTop");
    ExpectSame(expected.MarginBottom, reopened.MarginBottom, "MarginBottom");
    ExpectSame(expected.MarginLeft, reopened.MarginLeft, "MarginLeft");
    ExpectSame(expected.MarginRight, reopened.MarginRight, "MarginRight");
    ExpectSame(expected.DimensionWidth, reopened.DimensionWidth, "DimensionWidth");
    ExpectSame(expected.DimensionHeight, reopened.DimensionHeight, "DimensionHeight");
    ExpectSame(expected.WidthTwips, reopened.WidthTwips, "WidthTwips");
    ExpectSame(expected.HeightTwips, reopened.HeightTwips, "HeightTwips");
    ExpectSame(expected.PenSizeValue, reopened.PenSizeValue, "PenSizeValue");
    ExpectEqual(expected.PenColor, reopened.PenColor, "PenColor");
    ExpectEqual(expected.BandW, reopened.BandW, "BandW");
    if (expected.PenSizeText != reopened.PenSizeText) {
        Finding("PenSizeText read " + Quoted(expected.PenSizeText) + ", reopened " + Quoted(reopened.PenSizeText));
    }
    ExpectSame(expected.BitmapPenSize, reopened.BitmapPenSize, "BitmapPenSize");
    ExpectSame(expected.BitmapWidth, reopened.BitmapWidth, "BitmapWidth");
    ExpectSame(expected.BitmapHeight, reopened.BitmapHeight, "BitmapHeight");
    ExpectEqual(expected.MetricPage, reopened.MetricPage, "MetricPage");
    ExpectEqual(expected.MetricPen, reopened.MetricPen, "MetricPen");
}

// Files hold no infinity or NaN, and nothing computed from what a file
// holds may become one: a later save could not be read back.
void ExpectFinite(const PatternOptions& o, const char* when) {
    const std::pair<const char*, float> fields[] = {
        {"MarginTop", o.MarginTop},           {"MarginBottom", o.MarginBottom},
        {"MarginLeft", o.MarginLeft},         {"MarginRight", o.MarginRight},
        {"DimensionWidth", o.DimensionWidth}, {"DimensionHeight", o.DimensionHeight},
        {"WidthTwips", o.WidthTwips},         {"HeightTwips", o.HeightTwips},
        {"PenSizeValue", o.PenSizeValue},     {"BitmapPenSize", o.BitmapPenSize},
        {"BitmapWidth", o.BitmapWidth},       {"BitmapHeight", o.BitmapHeight}};
    for (const auto& [name, value] : fields) {
        if (!std::isfinite(value)) {
            Finding(std::string(name) + " is " + std::to_string(value) + " after the file was " + when);
        }
    }
}

// The reference copy must hold what the store holds, at the options' size:
// a file's coordinates are stored in it unscaled.
void ExpectMirrorFollows(const Session& s, const char* when) {
    const std::string at = std::string(" (") + when + ")";
    ExpectSame(s.options.WidthTwips, s.reference.PatternWidth(), ("reference width" + at).c_str());
    ExpectSame(s.options.HeightTwips, s.reference.PatternHeight(), ("reference height" + at).c_str());
    ExpectEqual(s.store.OutLine.Count(), s.reference.LineCount(), ("reference line count" + at).c_str());
    ExpectEqual(s.store.OutShape.Count(), s.reference.ShapeCount(), ("reference shape count" + at).c_str());
    std::vector<std::vector<float>> lines, shapes;
    for (const ReferenceLine& e : s.reference.Lines) {
        if (e.Visible) lines.push_back({e.X1, e.Y1, e.X2, e.Y2});
    }
    for (const ReferenceShape& e : s.reference.Shapes) {
        if (e.Visible) shapes.push_back({static_cast<float>(e.Kind), e.Top, e.Left, e.Height, e.Width});
    }
    ExpectSameRecords(VisibleLines(s.store), lines, ("reference line" + at).c_str());
    ExpectSameRecords(VisibleShapes(s.store), shapes, ("reference shape" + at).c_str());
}

std::string PictureBytes(const PatternDocument& d) {
    return d.hasEmbeddedPicture ? test::ReadFileBytes(d.tempPicturePath) : std::string();
}

// Saves as the program does once a file is open: the extracted picture is
// the one shown, and is embedded again.
void Save(Session& s, const fs::path& path) {
    PatternDocument& d = s.file.document;
    if (d.hasEmbeddedPicture) d.picturePath = d.tempPicturePath;
    if (!s.file.SavePattern(path.string(), false)) Finding("the save failed");
}

}  // namespace

bool RoundTrip(const std::uint8_t* data, std::size_t size) {
    const fs::path& root = Scratch();
    FuzzSession first(root / "first");
    {
        std::FILE* in = ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
        if (in == nullptr) Finding("fmemopen failed");
        const bool accepted = first.session.file.ReadPattern(in);
        std::fclose(in);
        if (!accepted) return false;
    }
    Session& s1 = first.session;
    ExpectFinite(s1.options, "read");
    ExpectMirrorFollows(s1, "read");
    const std::string picture = PictureBytes(s1.file.document);
    const fs::path saved = root / "saved.pat";
    Save(s1, saved);

    FuzzSession second(root / "second");
    Session& s2 = second.session;
    if (!s2.file.OpenPattern(saved.string())) Finding("the saved file did not reopen");
    ExpectMirrorFollows(s2, "reopened");
    const FormatVersion written = s2.file.document.formatRead;
    if (written.major != 2 || written.minor != 1) Finding("the save did not write the current format");
    ExpectSameRecords(VisibleLines(s1.store), VisibleLines(s2.store), "line");
    ExpectSameRecords(VisibleShapes(s1.store), VisibleShapes(s2.store), "shape");
    ExpectSameOptions(s1.options, s2.options);
    ExpectEqual(s1.file.document.hasEmbeddedPicture, s2.file.document.hasEmbeddedPicture, "hasEmbeddedPicture");
    if (picture != PictureBytes(s2.file.document)) Finding("the picture bytes differ");

    // A second save of the reopened pattern must write the same bytes.
    const fs::path again = root / "again.pat";
    Save(s2, again);
    if (test::ReadFileBytes(saved) != test::ReadFileBytes(again)) Finding("a second save wrote different bytes");
    return true;
}

}  // namespace tessary::fuzz
