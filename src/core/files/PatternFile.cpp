#include "core/files/PatternFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>

#include "core/pattern/ReferenceCopy.h"
#include "core/files/BinaryIO.h"
#include "core/files/BitmapExport.h"
#include "core/files/DisplaySetup.h"
#include "core/files/FileReplacement.h"
#include "core/files/PatternOptions.h"
#include "core/platform/ProgressWindow.h"
#include "core/services/AppTitle.h"
#include "core/services/Messages.h"
#include "core/services/Progress.h"
#include "core/pattern/PatternStore.h"

namespace tessary {

namespace fs = std::filesystem;

namespace {

// The format every save writes.
constexpr FormatVersion kWrittenFormat{2, 1, 1};
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::int16_t Boolean(bool b) { return b ? kTrue : kFalse; }

constexpr const char* kTooManyElements = "It holds more lines or shapes than a pattern can (32767 of each).";

bool KnownFormat(const FormatVersion& f) {
    return (f.major == 1 && f.minor >= 1 && f.minor <= 6) || (f.major == 2 && f.minor == 1);
}

// A short run of printable characters, as the header's title and date are.
bool LooksLikeText(const std::string& utf8) {
    constexpr std::size_t kLongestHeaderText = 255;
    if (utf8.size() > kLongestHeaderText * 3) return false;
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

// The length field is a single: lengths above 2^24 are not all exact. The
// picture is padded with zero bytes to the next length a single holds
// exactly; picture decoders stop at the end of their data, so the padding is
// never seen, and the stored length always matches the bytes that follow.
float EmbeddedLength(std::uint64_t length) {
    auto stored = static_cast<float>(length);
    if (static_cast<std::uint64_t>(stored) < length) stored = std::nextafter(stored, INFINITY);
    return stored;
}

bool IsReadOnly(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return false;
    constexpr auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

// The lines and shapes a save writes: a record is filled for each visible
// slot, in slot order. From the store as displayed (the save command has
// put the view at normal zoom), or from a snapshot of the reference copy.
struct StoreRecords {
    const PatternStore& store;

    int LineSlots() const { return store.OutLine.Count(); }
    int VisibleLines() const { return store.OutLine.VisibleCount(); }
    bool Line(std::int16_t i, float (&r)[4]) const {
        const LineElement& e = store.OutLine[i];
        r[0] = e.X1, r[1] = e.Y1, r[2] = e.X2, r[3] = e.Y2;
        return store.OutLine.Visible(i);
    }
    int ShapeSlots() const { return store.OutShape.Count(); }
    int VisibleShapes() const { return store.OutShape.VisibleCount(); }
    bool Shape(std::int16_t i, std::int16_t& kind, float (&r)[4]) const {
        const ShapeElement& e = store.OutShape[i];
        kind = e.Shape;
        r[0] = e.Top, r[1] = e.Left, r[2] = e.Height, r[3] = e.Width;
        return store.OutShape.Visible(i);
    }
};

struct SnapshotRecords {
    static constexpr auto Shown = [](const auto& e) { return e.Visible; };

    const PatternSnapshot& s;

    int LineSlots() const { return static_cast<int>(s.lines.size()); }
    int VisibleLines() const { return static_cast<int>(std::count_if(s.lines.begin(), s.lines.end(), Shown)); }
    bool Line(std::int16_t i, float (&r)[4]) const {
        const ReferenceLine& e = s.lines[i];
        r[0] = e.X1 * s.scale, r[1] = e.Y1 * s.scale, r[2] = e.X2 * s.scale, r[3] = e.Y2 * s.scale;
        return e.Visible;
    }
    int ShapeSlots() const { return static_cast<int>(s.shapes.size()); }
    int VisibleShapes() const { return static_cast<int>(std::count_if(s.shapes.begin(), s.shapes.end(), Shown)); }
    bool Shape(std::int16_t i, std::int16_t& kind, float (&r)[4]) const {
        const ReferenceShape& e = s.shapes[i];
        kind = e.Kind;
        r[0] = e.Top * s.scale, r[1] = e.Left * s.scale, r[2] = e.Height * s.scale, r[3] = e.Width * s.scale;
        return e.Visible;
    }
};

// The five sections of a pattern file; false with problem set when the
// picture could not be read, else as the writer reports.
template <class Records>
bool WriteLayout(BinaryWriter& out, const std::string& date, const PatternOptions& o, const Records& records,
                 const std::string& picturePath, Progress& progress, std::string& problem) {
    progress.ProgressStart(0, 1, "Saving Pattern - Header", false);
    out.WriteCountedString(kAppTitle);
    out.WriteI16(kWrittenFormat.major);
    out.WriteI16(kWrittenFormat.minor);
    out.WriteI16(kWrittenFormat.revision);
    out.WriteCountedString(date);
    progress.ProgressStep(1);

    out.WriteF32(o.MarginTop);
    out.WriteF32(o.MarginBottom);
    out.WriteF32(o.MarginLeft);
    out.WriteF32(o.MarginRight);
    out.WriteF32(o.DimensionWidth);
    out.WriteF32(o.DimensionHeight);
    out.WriteF32(o.PenSizeValue);
    out.WriteI32(o.PenColor);
    out.WriteI16(Boolean(o.BandW));
    out.WriteCountedString(o.PenSizeText);
    out.WriteF32(o.BitmapPenSize);
    out.WriteF32(o.BitmapHeight);
    out.WriteF32(o.BitmapWidth);
    out.WriteI16(Boolean(o.MetricPage));
    out.WriteI16(Boolean(o.MetricPen));

    // A pattern never holds more slots than a 16-bit count can number.
    float record[4];
    out.WriteI16(static_cast<std::int16_t>(records.VisibleLines()));
    progress.ProgressStart(0, records.VisibleLines(), "Saving Pattern - Lines", false);
    for (int i = 0; i < records.LineSlots(); ++i) {
        if (records.Line(static_cast<std::int16_t>(i), record)) out.WriteF32s(record, 4);
        progress.ProgressStep(1);
    }

    out.WriteI16(static_cast<std::int16_t>(records.VisibleShapes()));
    progress.ProgressStart(0, records.VisibleShapes(), "Saving Pattern - Shapes", false);
    for (int i = 0; i < records.ShapeSlots(); ++i) {
        std::int16_t kind = 0;
        if (records.Shape(static_cast<std::int16_t>(i), kind, record)) {
            out.WriteI16(kind);
            out.WriteF32s(record, 4);
        }
        progress.ProgressStep(1);
    }

    progress.ProgressStart(0, 1, "Saving Pattern - Image", false);
    std::error_code ec;
    if (picturePath.empty() || !fs::exists(picturePath, ec)) {
        out.WriteI16(kFalse);
    } else {
        const auto unreadable = [&problem, &picturePath] {
            problem = "the picture file " + picturePath + " could not be read";
            return false;
        };
        if (!fs::is_regular_file(picturePath, ec)) return unreadable();
        const FilePtr picture(std::fopen(picturePath.c_str(), "rb"));
        if (!picture || std::fseek(picture.get(), 0, SEEK_END) != 0) return unreadable();
        const long size = std::ftell(picture.get());
        if (size < 0 || std::fseek(picture.get(), 0, SEEK_SET) != 0) return unreadable();
        const auto length = static_cast<std::uint64_t>(size);
        const float stored = EmbeddedLength(length);
        out.WriteI16(kTrue);
        out.WriteF32(stored);
        std::FILE* from = picture.get();
        bool read = true;
        CopyPieces(
            length, [from, &read](char* data, std::size_t n) { return read = std::fread(data, 1, n, from) == n; },
            [&out](const char* data, std::size_t n) {
                out.WriteBytes(data, n);
                return out.Ok();
            });
        if (!read) return unreadable();
        if (!out.Ok()) return false;
        static constexpr char kZeros[kPictureChunk] = {};
        for (auto pad = static_cast<std::uint64_t>(stored) - length; pad > 0;) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(pad, kPictureChunk));
            out.WriteBytes(kZeros, n);
            pad -= n;
        }
    }
    progress.ProgressStep(1);
    return out.Ok();
}

// A new file written by body beside targetPath takes its place only when
// complete, so a failed write leaves the previous file as it was. Empty
// when written, else why not.
std::string WriteReplacing(const std::string& targetPath, FileReplacement::NewFile access,
                           const std::function<bool(BinaryWriter&, std::string&)>& body) {
    FileReplacement target(targetPath, access);
    if (!target.Open()) return target.Error();
    const int fd = ::dup(target.Descriptor());
    std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (file == nullptr) {
        const std::string problem = std::strerror(errno);
        if (fd >= 0) ::close(fd);
        return problem;
    }
    std::string problem;
    BinaryWriter out(file);
    const bool written = body(out, problem) && out.Flush();
    if (std::fclose(file) != 0 && written) return std::strerror(errno);
    if (!written && problem.empty()) problem = out.Problem().empty() ? "it could not be written" : out.Problem();
    if (!written) return problem;
    return target.Commit() ? std::string() : target.Error();
}

}  // namespace

std::string CurrentDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900, hour12, local.tm_min, local.tm_sec, local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

PatternFile::PatternFile(const Parts& parts, std::function<std::string()> dateText)
    : parts_(parts), dateText_(std::move(dateText)) {}

std::string PatternTitle(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string PatternFile::PatternFileTitle() const { return PatternTitle(document.patternPath); }

bool PatternFile::SavePattern(const std::string& path, bool withoutPicture) {
    if (IsReadOnly(path)) {
        parts_.messages.MsgReadOnly(path);
        return false;
    }
    // A picture the pattern carries is never left out unasked.
    std::string missing = document.pictureLost;
    std::error_code ec;
    if (missing.empty() && !document.picturePath.empty() && !fs::exists(document.picturePath, ec)) {
        missing = "The picture file " + document.picturePath + " is gone.";
    }
    const bool dropping = !withoutPicture && !missing.empty();
    if (dropping && parts_.messages.MsgSaveWithoutPicture(missing) != AnswerYes) return false;
    if (!WritePatternFile(path, withoutPicture || dropping ? std::string() : document.picturePath)) return false;
    if (dropping) {
        document.pictureLost.clear();
        document.picturePath.clear();
    }
    document.patternPath = path;
    return true;
}

bool PatternFile::OpenPattern(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::exists(path, ec)) {
        parts_.messages.MsgFileNotFound(path);
        return false;
    }
    if (!ReadPatternFile(path)) return false;
    document.patternPath = path;
    return true;
}

bool PatternFile::WritePatternFile(const std::string& targetPath, const std::string& picturePath) {
    const std::string date = dateText_();
    const StoreRecords records{parts_.store};
    const auto layout = [&](BinaryWriter& out, std::string& problem) {
        return WriteLayout(out, date, parts_.options, records, picturePath, parts_.progress, problem);
    };
    saveProblem_ = WriteReplacing(targetPath, FileReplacement::NewFile::AsUmask, layout);
    parts_.progress.ProgressEnd();
    if (!saveProblem_.empty()) parts_.messages.MsgSaveFailed(targetPath, saveProblem_);
    return saveProblem_.empty();
}

PatternSnapshot PatternFile::Snapshot() const {
    const ReferenceCopy& reference = parts_.reference;
    PatternSnapshot snapshot{parts_.options, reference.Lines, reference.Shapes, 1, document.picturePath, dateText_()};
    // A save writes the pattern at normal zoom, where the layer is as high
    // as the options say: the reference copy scaled to that height.
    const float scale = parts_.options.HeightTwips / reference.PatternHeight();
    if (std::isfinite(scale) && scale > 0) snapshot.scale = scale;
    return snapshot;
}

std::string WritePatternSnapshot(const PatternSnapshot& snapshot, const std::string& target) {
    SilentProgressWindow window;
    Progress silent(window);
    const SnapshotRecords records{snapshot};
    const auto layout = [&](BinaryWriter& out, std::string& problem) {
        return WriteLayout(out, snapshot.dateText, snapshot.options, records, snapshot.picturePath, silent, problem);
    };
    return WriteReplacing(target, FileReplacement::NewFile::OwnerOnly, layout);
}

bool PatternFile::ReadPatternFile(const std::string& path) {
    std::error_code ec;
    // Only a regular file: a device or a pipe could block or never end.
    if (fs::is_regular_file(path, ec)) {
        const FilePtr file(std::fopen(path.c_str(), "rb"));
        if (file) return ReadPattern(file.get());
    }
    parts_.progress.ProgressEnd();
    parts_.messages.MsgFileNotLoaded(fs::is_directory(path, ec) ? "It is a folder, not a pattern file."
                                                                : "The file can not be read.");
    return false;
}

bool PatternFile::ReadPattern(std::FILE* file) {
    BinaryReader in(file);
    loadProblem_.clear();
    const bool ok = ReadSections(in);
    parts_.progress.ProgressEnd();
    if (!ok) parts_.messages.MsgFileNotLoaded(loadProblem_);
    return ok;
}

bool PatternFile::Refuse(std::string why) {
    loadProblem_ = std::move(why);
    return false;
}

bool PatternFile::Damaged(const std::string& what) {
    return Refuse("The file is damaged: " + what + " could not be read.");
}

bool PatternFile::ReadSections(BinaryReader& in) {
    Progress& progress = parts_.progress;
    PatternStore& store = parts_.store;
    ReferenceCopy& reference = parts_.reference;

    progress.ProgressStart(0, 1, "Loading Pattern - Header", false);
    if (in.Remaining() == 0) return Refuse("The file is empty.");
    // The title and date are never checked, but a header of two short texts
    // tells a pattern file from anything else.
    const std::string notPattern = "It is not a " + std::string(kAppTitle) + " pattern file.";
    std::string title, date;
    FormatVersion format;
    if (!in.ReadCountedString(title) || !LooksLikeText(title)) return Refuse(notPattern);
    if (!in.ReadI16(format.major) || !in.ReadI16(format.minor) || !in.ReadI16(format.revision) ||
        !in.ReadCountedString(date)) {
        return Damaged("its header");
    }
    if (!LooksLikeText(date)) return Refuse(notPattern);
    progress.ProgressStep(1);
    document.formatRead = format;

    if (!KnownFormat(format)) {
        const std::string version = std::to_string(format.major) + "." + std::to_string(format.minor);
        if (format.major > kWrittenFormat.major ||
            (format.major == kWrittenFormat.major && format.minor > kWrittenFormat.minor)) {
            return Refuse("It was made with a later version of " + std::string(kAppTitle) + " (pattern format " +
                          version + ").");
        }
        return Refuse("Its pattern format " + version + " is unknown.");
    }
    if (!ReadOptions(in, format)) return Damaged("the pattern options");
    reference.SetPatternWidth(parts_.options.WidthTwips);
    reference.SetPatternHeight(parts_.options.HeightTwips);

    // File coordinates are true-size twips: stored in the reference copy as
    // they are.
    const std::int16_t pen = parts_.display.MonitorPen();
    const auto nth = [](const char* what, int n, int count) {
        return std::string(what) + " " + std::to_string(n + 1) + " of " + std::to_string(count);
    };
    std::int16_t count = 0;
    if (!in.ReadI16(count) || count < 0) return Damaged("the number of lines");
    progress.ProgressStart(0, count, "Loading Pattern - Lines", false);
    for (std::int16_t n = 0; n < count; ++n) {
        float c[4];
        if (!in.ReadF32(c[0]) || !in.ReadF32(c[1]) || !in.ReadF32(c[2]) || !in.ReadF32(c[3])) {
            return Damaged(nth("line", n, count));
        }
        if (store.AddLine(c[0], c[1], c[2], c[3], pen, false) < 0) return Refuse(kTooManyElements);
        progress.ProgressStep(1);
    }

    if (!in.ReadI16(count) || count < 0) return Damaged("the number of shapes");
    progress.ProgressStart(0, count, "Loading Pattern - Shapes", false);
    for (std::int16_t n = 0; n < count; ++n) {
        std::int16_t kind = 0;
        float top = 0, left = 0, height = 0, width = 0;
        if (!in.ReadI16(kind) || kind < 0 || kind > ShapeLastKind || !in.ReadF32(top) || !in.ReadF32(left) ||
            !in.ReadF32(height) || !in.ReadF32(width)) {
            return Damaged(nth("shape", n, count));
        }
        if (store.AddShape(kind, top, left, height, width, pen, false) < 0) return Refuse(kTooManyElements);
        progress.ProgressStep(1);
    }

    return ReadPicture(in) || Damaged("the picture");
}

bool PatternFile::ReadOptions(BinaryReader& in, const FormatVersion& format) {
    // Fields an older record lacks keep the stored settings' values; the
    // record replaces the options only once it has been read whole.
    PatternOptions o = parts_.options;
    RestoreOptions(o, parts_.settings);
    const bool older14 = format.major == 1 && format.minor >= 1 && format.minor <= 4;
    const bool older56 = format.major == 1 && (format.minor == 5 || format.minor == 6);
    const bool current = format.major == 2 && format.minor == 1;
    const int version = format.minor * 100 + format.revision;

    if (older14 || older56) {
        std::int16_t flag = 0;
        bool ok = in.ReadI16(flag) && in.Skip(older14 ? 8 : 4) && in.ReadF32(o.MarginTop) &&
                  in.ReadF32(o.MarginBottom) && in.ReadF32(o.MarginLeft) && in.ReadF32(o.MarginRight) &&
                  in.Skip(16) && in.ReadF32(o.DimensionWidth) && in.ReadF32(o.DimensionHeight) && in.Skip(16) &&
                  in.ReadF32(o.WidthTwips) && in.ReadF32(o.HeightTwips);
        if (ok && older56) {
            std::int16_t bandW = 0;
            ok = in.ReadF32(o.PenSizeValue) && in.ReadI32(o.PenColor) && in.ReadI16(bandW) && in.Skip(2) &&
                 in.ReadCountedString(o.PenSizeText);
            o.BandW = bandW != 0;
            if (ok && version >= 602) {
                ok = in.ReadF32(o.BitmapPenSize) && in.ReadF32(o.BitmapHeight) && in.ReadF32(o.BitmapWidth) &&
                     in.Skip(2);
            } else if (ok && o.DimensionWidth > 0) {
                // A pattern far wider than high must not give a bitmap height
                // no file can hold.
                const double height = double{o.BitmapWidth} * o.DimensionHeight / o.DimensionWidth;
                o.BitmapHeight = static_cast<float>(std::clamp(height, 0.0, double{kMaxBitmapSide}));
            }
        }
        if (!ok) return false;
        o.AspectLocked = flag != 0;
        o.MetricPage = false;
        o.MetricPen = false;
    } else if (current) {
        std::int16_t bandW = 0, metricPage = 0, metricPen = 0;
        const bool ok = in.ReadF32(o.MarginTop) && in.ReadF32(o.MarginBottom) && in.ReadF32(o.MarginLeft) &&
                        in.ReadF32(o.MarginRight) && in.ReadF32(o.DimensionWidth) && in.ReadF32(o.DimensionHeight) &&
                        in.ReadF32(o.PenSizeValue) && in.ReadI32(o.PenColor) && in.ReadI16(bandW) &&
                        in.ReadCountedString(o.PenSizeText) && in.ReadF32(o.BitmapPenSize) &&
                        in.ReadF32(o.BitmapHeight) && in.ReadF32(o.BitmapWidth) && in.ReadI16(metricPage) &&
                        in.ReadI16(metricPen);
        if (!ok) return false;
        o.BandW = bandW != 0;
        o.MetricPage = metricPage != 0;
        o.MetricPen = metricPen != 0;
        o.RecomputeTwips();
    } else {
        return false;
    }
    // A size no twips can measure is no size, in this file or in the one a
    // save makes of it, where the twips follow from width and height.
    PatternOptions saved = o;
    saved.RecomputeTwips();
    for (const float twips : {o.WidthTwips, o.HeightTwips, saved.WidthTwips, saved.HeightTwips}) {
        if (!std::isfinite(twips)) return false;
    }
    parts_.options = o;
    return true;
}

bool PatternFile::ReadPicture(BinaryReader& in) {
    Progress& progress = parts_.progress;
    progress.ProgressStart(0, 1, "Loading Pattern - Image", false);
    const auto dropPicture = [this] {
        document.hasEmbeddedPicture = false;
        document.tempPicturePath.clear();
        document.picturePath.clear();
    };
    document.pictureLost.clear();
    std::int16_t flag = 0;
    if (!in.ReadI16(flag)) return false;
    if (flag == 0) {
        dropPicture();
        progress.ProgressStep(1);
        return true;
    }
    // The length must be a whole number of bytes that the file still holds:
    // a damaged length can neither run past the file nor fill the disk.
    float stored = 0;
    if (!in.ReadF32(stored) || stored < 0 || std::floor(stored) != stored ||
        static_cast<double>(stored) > static_cast<double>(in.Remaining())) {
        return false;
    }
    const auto length = static_cast<std::uint64_t>(stored);

    const fs::path folder = parts_.display.GetFolder(DisplaySetup::TemporaryFolder);
    const std::string temp = (folder / kTempPictureName).string();
    std::error_code ec;
    fs::create_directories(folder, ec);
    // A picture that cannot be kept beside the pattern is dropped, but the
    // rest of the file is still read; only a read failure fails the load.
    FilePtr out(std::fopen(temp.c_str(), "wb"));
    int writeError = out ? 0 : errno;
    std::FILE* to = out.get();
    const bool read = CopyPieces(
        length, [&in](char* data, std::size_t n) { return in.ReadBytes(data, n); },
        [&writeError, to](const char* data, std::size_t n) {
            if (writeError == 0 && std::fwrite(data, 1, n, to) != n) writeError = errno;
            return true;
        });
    if (out && writeError == 0 && std::fclose(out.release()) != 0) writeError = errno;
    out.reset();
    if (writeError != 0 || !read) fs::remove(temp, ec);
    if (!read) return false;
    if (writeError != 0) {
        dropPicture();
        const std::string reason = std::strerror(writeError);
        document.pictureLost = "It could not be kept in the temporary folder: " + reason + ".";
        parts_.messages.MsgTempPictureFailed(temp, reason);
    } else {
        document.tempPicturePath = temp;
        document.hasEmbeddedPicture = true;
    }
    progress.ProgressStep(1);
    return true;
}

}  // namespace tessary
