#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "core/files/BinaryIO.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ReadFileBytes;
using test::TestSession;
using test::WriteFileBytes;

std::int16_t AddLine(Session& s, float x1, float y1, float x2, float y2) {
    return s.store.AddLine(x1, y1, x2, y2, 1, true);
}

void AddShape(Session& s, std::int16_t kind, float top, float left, float height, float width) {
    s.store.AddShape(kind, top, left, height, width, 1, true);
}

std::string Picture(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

// The header and options record of a 2.1 file with the default options.
Bytes DefaultHeader(const std::string& title = "Tessary") {
    Bytes b;
    b.Str(title).I16(2).I16(1).I16(1).Str("today");
    b.F32(0.5f).F32(0.5f).F32(0.5f).F32(0.5f).F32(8.5f).F32(11).F32(0.015625f).I32(0).I16(-1).Str("1/64");
    b.F32(1).F32(300).F32(300).I16(0).I16(0);
    return b;
}

bool IsFileNotLoaded(const MessageRequest& m) {
    return m.text.rfind("The selected file could not be loaded.", 0) == 0 && m.icon == MessageIcon::Exclamation;
}

TEST(PatternFile, WritesTheCurrentFormatByteForByteAndReadsItBack) {
    TestSession t;
    Session& s = *t;
    PatternOptions& o = s.options;
    o.MarginTop = 0.25f;
    o.MarginBottom = 0.75f;
    o.MarginLeft = 1;
    o.MarginRight = 1.5f;
    o.DimensionWidth = 20;
    o.DimensionHeight = 30;
    o.PenSizeValue = 0.5f;
    o.PenColor = 0x00336699;
    o.BandW = false;
    o.PenSizeText = "\xC2\xBD mm \xE2\x82\xAC\xE2\x98\x83";  // "½ mm €☃"
    o.BitmapPenSize = 2;
    o.BitmapWidth = 640;
    o.BitmapHeight = 960;
    o.MetricPage = true;
    o.MetricPen = true;
    AddLine(s, 1, 2, 3, 4);
    const std::int16_t hidden = AddLine(s, 9, 9, 9, 9);
    AddLine(s, -5.5f, 1e6f, 0.1f, 7);
    s.store.DeleteLine(hidden);
    AddShape(s, 3, 10, 20, 30, 40);
    const std::string picture = Picture(1500);
    WriteFileBytes(t.scratch / "photo.jpg", picture);
    s.file.document.picturePath = (t.scratch / "photo.jpg").string();

    const fs::path target = t.scratch / "out.pat";
    ASSERT_TRUE(s.file.SavePattern(target.string(), false));

    Bytes expected;
    expected.Str("Tessary").I16(2).I16(1).I16(1).Str(test::kSavedAt);
    expected.F32(0.25f).F32(0.75f).F32(1).F32(1.5f).F32(20).F32(30).F32(0.5f).I32(0x00336699).I16(0);
    expected.Str("\xBD mm \x80?").F32(2).F32(960).F32(640).I16(-1).I16(-1);
    expected.I16(2).F32(1).F32(2).F32(3).F32(4).F32(-5.5f).F32(1e6f).F32(0.1f).F32(7);
    expected.I16(1).I16(3).F32(10).F32(20).F32(30).F32(40);
    expected.I16(-1).F32(1500).Raw(picture);
    EXPECT_EQ(ReadFileBytes(target), expected.str());
    EXPECT_EQ(s.file.document.patternPath, target.string());

    // Read back at any zoom (files hold true size): the deleted line is gone, the rest renumbered densely.
    TestSession r;
    r->reference.UpdateScale(1);
    ASSERT_TRUE(r->file.OpenPattern(target.string()));
    const PatternOptions& ro = r->options;
    EXPECT_EQ(std::tuple(ro.MarginTop, ro.MarginBottom, ro.MarginLeft, ro.MarginRight, ro.PenSizeValue, ro.PenColor),
              std::tuple(0.25f, 0.75f, 1.0f, 1.5f, 0.5f, 0x00336699));
    EXPECT_EQ(std::tuple(ro.BitmapPenSize, ro.BitmapHeight, ro.BitmapWidth, ro.BandW, ro.MetricPage, ro.MetricPen),
              std::tuple(2.0f, 960.0f, 640.0f, false, true, true));
    EXPECT_EQ(ro.PenSizeText, "\xC2\xBD mm \xE2\x82\xAC?");
    EXPECT_FLOAT_EQ(r->reference.PatternHeight(), 30 / 2.54f * 1440);  // in the stored unit
    ASSERT_EQ(r->store.OutLine.Count(), 2);
    EXPECT_EQ(r->store.OutLine[1].X1, -5.5f);
    EXPECT_TRUE(r->reference.Lines[1].Y1 == 1e6f && r->reference.Lines[1].Visible);
    ASSERT_EQ(r->store.OutShape.Count(), 1);
    const ShapeElement& shape = r->store.OutShape[0];
    EXPECT_EQ(std::tuple(shape.Shape, shape.Top, shape.Left, shape.Height, shape.Width),
              std::tuple(std::int16_t{3}, 10.0f, 20.0f, 30.0f, 40.0f));
    EXPECT_EQ(r->reference.Shapes[0].Left, 20.0f);
    EXPECT_EQ(r->file.document.tempPicturePath, (r.scratch / "Temp" / "ttsyimage.tmp").string());
    EXPECT_EQ(ReadFileBytes(r->file.document.tempPicturePath), picture);
    EXPECT_TRUE(t.presenter.shown.empty() && r.presenter.shown.empty());
}

TEST(PatternFile, PictureFlagIsZeroWithoutAPictureToEmbed) {
    // A picture left out on purpose, or one deleted since it was shown and
    // left out only when the user agrees.
    for (const bool withoutPicture : {false, true}) {
        TestSession t;
        if (withoutPicture) WriteFileBytes(t.scratch / "p.gif", Picture(10));
        t->file.document.picturePath = (t.scratch / "p.gif").string();
        const std::string path = (t.scratch / "e.pat").string();
        if (!withoutPicture) {
            EXPECT_FALSE(t->file.SavePattern(path, false));
            EXPECT_FALSE(fs::exists(path));
            ASSERT_EQ(t.presenter.shown.size(), 1u);
            EXPECT_EQ(t.presenter.shown[0].text, "The pattern's picture can not be saved with it.\r\nThe picture file " +
                                                     t->file.document.picturePath +
                                                     " is gone.\r\n\r\nSave the pattern without its picture?");
            t.presenter.answers.push_back(AnswerYes);
        }
        ASSERT_TRUE(t->file.SavePattern(path, withoutPicture));
        const std::string bytes = ReadFileBytes(path);
        EXPECT_EQ(bytes.substr(bytes.size() - 6), Bytes().I16(0).I16(0).I16(0).str()) << withoutPicture;

        TestSession r;
        r->file.document.picturePath = "stale";
        ASSERT_TRUE(r->file.OpenPattern(path));
        EXPECT_EQ(r->store.OutLine.VisibleCount() + r->store.OutShape.VisibleCount(), 0);
        EXPECT_FALSE(r->file.document.hasEmbeddedPicture);
        EXPECT_EQ(r->file.document.picturePath, "");
    }
}

TEST(PatternFile, PictureTravelsInPiecesOf1024Bytes) {
    for (const auto& [length, pieces] : std::vector<std::pair<std::uint64_t, std::vector<std::size_t>>>{
             {2048, {1024, 1024}}, {1500, {1024, 476}}, {0, {}}, {1023, {1023}}}) {
        std::vector<std::size_t> seen;
        EXPECT_TRUE(CopyPieces(
            length, [](char*, std::size_t) { return true; },
            [&seen](const char*, std::size_t n) {
                seen.push_back(n);
                return true;
            }));
        EXPECT_EQ(seen, pieces) << length;
    }
    int reads = 0;
    EXPECT_FALSE(CopyPieces(
        5000, [&reads](char*, std::size_t) { return ++reads < 2; }, [](const char*, std::size_t) { return true; }));
    EXPECT_EQ(reads, 2);
}

TEST(PatternFile, PictureBeyondWhatASingleCountsExactlyIsPadded) {
    // 2^24 + 1 bytes: a single holds 2^24 + 2, so one zero byte pads the
    // picture and the stored length matches the bytes that follow.
    const std::size_t size = (1u << 24) + 1;
    TestSession t;
    std::string picture = Picture(size);
    WriteFileBytes(t.scratch / "big.bmp", picture);
    t->file.document.picturePath = (t.scratch / "big.bmp").string();
    const std::string path = (t.scratch / "big.pat").string();
    ASSERT_TRUE(t->file.SavePattern(path, false));
    const std::string bytes = ReadFileBytes(path);
    const std::string tail = Bytes().I16(-1).F32(static_cast<float>(size + 1)).str();
    EXPECT_EQ(bytes.substr(bytes.size() - size - 1 - tail.size(), tail.size()), tail);

    TestSession r;
    ASSERT_TRUE(r->file.OpenPattern(path));
    EXPECT_EQ(ReadFileBytes(r->file.document.tempPicturePath), picture + '\0');
}

TEST(PatternFile, ReadsEveryOlderFormat) {
    struct Case {
        int minor, revision;
        bool bitmapFields;
    };
    for (const Case c : {Case{1, 0, false}, Case{2, 3, false}, Case{3, 0, false}, Case{4, 9, false},
                         Case{5, 99, false}, Case{6, 2, true}, Case{6, 1, false}}) {
        SCOPED_TRACE(testing::Message() << "1." << c.minor << "." << c.revision);
        TestSession t;
        t.settings.values["Pattern/PenSizeText"] = "1/32";
        t.settings.values["Pattern/PenSizeValue"] = "0.03125";
        t.settings.values["Pattern/BitmapSizeWidth"] = "400";
        t.settings.values["Pattern/MetricPage"] = "True";
        Bytes b;
        b.Str("Some other title").I16(1).I16(c.minor).I16(c.revision).Str("");
        b.I16(-1);
        if (c.minor <= 4) b.I16(0).I16(0);
        b.I16(0).I16(0);
        b.F32(0.1f).F32(0.2f).F32(0.3f).F32(0.4f).F32(0).F32(0).F32(0).F32(0);
        b.F32(10).F32(5).F32(0).F32(0).F32(0).F32(0).F32(14000).F32(7000);
        if (c.minor >= 5) {
            b.F32(0.02f).I32(255).I16(0).I16(0).Str("0.02");
            if (c.bitmapFields) b.F32(3).F32(123).F32(456).I16(0);
        }
        b.I16(1).F32(1).F32(2).F32(3).F32(4).I16(1).I16(2).F32(5).F32(6).F32(7).F32(8).I16(0);
        const fs::path path = t.scratch / "old.pat";
        WriteFileBytes(path, b.str());

        ASSERT_TRUE(t->file.OpenPattern(path.string()));
        const PatternOptions& o = t->options;
        EXPECT_TRUE(o.AspectLocked);
        EXPECT_EQ(std::make_tuple(o.MarginTop, o.MarginBottom, o.MarginLeft, o.MarginRight),
                  std::make_tuple(0.1f, 0.2f, 0.3f, 0.4f));
        // Twips as stored, not recomputed.
        const float width = t->reference.PatternWidth();
        EXPECT_EQ(std::tuple(o.DimensionWidth, o.DimensionHeight, o.WidthTwips, o.HeightTwips, width),
                  std::tuple(10.0f, 5.0f, 14000.0f, 7000.0f, 14000.0f));
        EXPECT_FALSE(o.MetricPage || o.MetricPen);
        if (c.minor <= 4) {
            EXPECT_EQ(std::tuple(o.PenSizeText, o.PenSizeValue, o.BandW), std::tuple("1/32", 0.03125f, true));
        } else {
            EXPECT_EQ(std::tuple(o.PenSizeText, o.PenColor, o.BandW), std::tuple("0.02", 255, false));
        }
        if (c.bitmapFields) {
            EXPECT_EQ(std::make_tuple(o.BitmapPenSize, o.BitmapHeight, o.BitmapWidth), std::make_tuple(3.f, 123.f, 456.f));
        } else if (c.minor >= 5) {
            EXPECT_TRUE(o.BitmapWidth == 400 && o.BitmapHeight == 200);  // the bitmap keeps the pattern's aspect
        } else {
            EXPECT_EQ(o.BitmapHeight, 400);
        }
        ASSERT_EQ(t->store.OutLine.VisibleCount(), 1);
        EXPECT_EQ(t->store.OutLine[0].Y2, 4);
        ASSERT_EQ(t->store.OutShape.VisibleCount(), 1);
        EXPECT_EQ(t->store.OutShape[0].Width, 8);
        EXPECT_TRUE(t.presenter.shown.empty());
    }
}

TEST(PatternFile, WhatIsReadIsSavedAndReadsBackUnchanged) {
    // A 1.5 file whose tiny width once gave an infinite bitmap height, and
    // pen texts holding the bytes the code page leaves undefined.
    TestSession t;
    Bytes b;
    b.Str("T").I16(1).I16(5).I16(1).Str("").I16(0).I16(0).I16(0);
    b.F32(0.5f).F32(0.5f).F32(0.5f).F32(0.5f).F32(0).F32(0).F32(0).F32(0);
    b.F32(1e-37f).F32(11).F32(0).F32(0).F32(0).F32(0).F32(1).F32(15840);
    b.F32(0.02f).I32(0).I16(0).I16(0).Str("\x81\x8D\x8F\x90\x9D \x80");
    b.I16(1).F32(0).F32(0).F32(1).F32(1).I16(0).I16(0);
    const fs::path path = t.scratch / "narrow.pat";
    WriteFileBytes(path, b.str());
    ASSERT_TRUE(t->file.OpenPattern(path.string()));
    EXPECT_EQ(t->options.BitmapHeight, 100000);

    ASSERT_TRUE(t->file.SavePattern(path.string(), false));
    TestSession r;
    ASSERT_TRUE(r->file.OpenPattern(path.string()));
    EXPECT_EQ(r->options.BitmapHeight, 100000);
    EXPECT_EQ(r->options.DimensionWidth, 1e-37f);
    EXPECT_EQ(r->store.OutLine.VisibleCount(), 1);
    const std::string saved = ReadFileBytes(path);
    EXPECT_NE(saved.find(Bytes().Str("\x81\x8D\x8F\x90\x9D \x80").str()), std::string::npos);
}

TEST(PatternFile, AValueNoReaderTakesFailsTheSave) {
    TestSession t;
    const fs::path target = t.scratch / "keep.pat";
    WriteFileBytes(target, "previous pattern");
    for (const float bad : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        t->store.ClearPattern();
        AddLine(*t, 0, 0, bad, 1);
        EXPECT_FALSE(t->file.SavePattern(target.string(), true));
        EXPECT_EQ(ReadFileBytes(target), "previous pattern");
    }
    t->store.ClearPattern();
    t->options.BitmapHeight = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(t->file.SavePattern(target.string(), true));
    EXPECT_EQ(ReadFileBytes(target), "previous pattern");
    EXPECT_EQ(std::distance(fs::directory_iterator(t.scratch.path()), fs::directory_iterator()), 1);
}

TEST(PatternFile, RefusesUnknownFormatsAndDamagedFiles) {
    const auto withPicture = [](float length, const std::string& bytes) {
        return DefaultHeader().I16(0).I16(0).I16(-1).F32(length).Raw(bytes).str();
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::string good = DefaultHeader().I16(0).I16(0).I16(0).str();
    const std::string notPattern = "It is not a Tessary pattern file.";
    const auto damaged = [](const std::string& what) { return "The file is damaged: " + what + " could not be read."; };
    std::string noise(600, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 131 + 7) % 251);
    const std::vector<std::tuple<const char*, std::string, std::string>> files = {
        {"format 2.2", Bytes().Str("Tessary").I16(2).I16(2).I16(0).Str("").Raw(std::string(100, '\0')).str(),
         "It was made with a later version of Tessary (pattern format 2.2)."},
        {"format 3.1", Bytes().Str("Tessary").I16(3).I16(1).I16(1).Str("").str(),
         "It was made with a later version of Tessary (pattern format 3.1)."},
        {"format 1.7", Bytes().Str("T").I16(1).I16(7).I16(0).Str("").str(), "Its pattern format 1.7 is unknown."},
        {"format 1.0", Bytes().Str("T").I16(1).I16(0).I16(0).Str("").str(), "Its pattern format 1.0 is unknown."},
        {"empty file", "", "The file is empty."},
        {"random bytes", noise, notPattern},
        {"a text file", "Dear Sir,\r\nplease find the pattern attached.\r\n", notPattern},
        {"negative title length", Bytes().I16(-3).str(), notPattern},
        {"title longer than file", Bytes().I16(30000).Raw("Tess").str(), notPattern},
        {"truncated header", Bytes().Str("Tessary").I16(2).str(), damaged("its header")},
        {"truncated options", good.substr(0, 40), damaged("the pattern options")},
        {"negative pen text length", Bytes().Str("T").I16(2).I16(1).I16(1).Str("").F32(0.5f).F32(0.5f).F32(0.5f)
                                         .F32(0.5f).F32(1).F32(1).F32(1).I32(0).I16(0).I16(-1).str(),
         damaged("the pattern options")},
        {"infinite width", Bytes().Str("T").I16(2).I16(1).I16(1).Str("").F32(0.5f).F32(0.5f).F32(0.5f).F32(0.5f)
                               .F32(inf).F32(1).str(),
         damaged("the pattern options")},
        {"width beyond any twips", Bytes().Str("T").I16(2).I16(1).I16(1).Str("").F32(0.5f).F32(0.5f).F32(0.5f)
                                       .F32(0.5f).F32(3e38f).F32(1).F32(1).I32(0).I16(0).Str("").F32(1).F32(1)
                                       .F32(1).I16(-1).I16(0).I16(0).I16(0).I16(0).str(),
         damaged("the pattern options")},
        {"1.6 width that a save would make infinite",
         Bytes().Str("T").I16(1).I16(6).I16(1).Str("").I16(0).I16(0).I16(0).F32(0).F32(0).F32(0).F32(0).F32(0)
             .F32(0).F32(0).F32(0).F32(-1e37f).F32(1).F32(0).F32(0).F32(0).F32(0).F32(0).F32(1440)
             .F32(0.02f).I32(0).I16(0).I16(0).Str("").I16(0).I16(0).I16(0).str(),
         damaged("the pattern options")},
        {"negative line count", DefaultHeader().I16(-1).str(), damaged("the number of lines")},
        {"line count past the end", DefaultHeader().I16(32767).F32(1).F32(2).F32(3).F32(4).str(),
         damaged("line 2 of 32767")},
        {"NaN coordinate", DefaultHeader().I16(1).F32(1).F32(nan).F32(3).F32(4).I16(0).I16(0).str(),
         damaged("line 1 of 1")},
        {"negative shape count", DefaultHeader().I16(0).I16(-32768).str(), damaged("the number of shapes")},
        {"unknown shape kind", DefaultHeader().I16(0).I16(1).I16(9).F32(1).F32(1).F32(1).F32(1).I16(0).str(),
         damaged("shape 1 of 1")},
        {"no picture flag", DefaultHeader().I16(0).I16(0).str(), damaged("the picture")},
        {"NaN picture length", withPicture(nan, "abc"), damaged("the picture")},
        {"negative picture length", withPicture(-1, "abc"), damaged("the picture")},
        {"huge picture length", withPicture(1e30f, "abc"), damaged("the picture")},
        {"fractional picture length", withPicture(2.5f, "abc"), damaged("the picture")},
        {"truncated picture", withPicture(4096, std::string(1000, 'x')), damaged("the picture")},
    };
    for (const auto& [what, bytes, why] : files) {
        SCOPED_TRACE(what);
        TestSession t;
        const fs::path path = t.scratch / "bad.pat";
        WriteFileBytes(path, bytes);
        const PatternOptions before = t->options;
        EXPECT_FALSE(t->file.OpenPattern(path.string()));
        ASSERT_EQ(t.presenter.shown.size(), 1u);
        EXPECT_TRUE(IsFileNotLoaded(t.presenter.shown[0]));
        EXPECT_EQ(t.presenter.shown[0].text, "The selected file could not be loaded.\r\n\r\n" + why);
        EXPECT_EQ(t->file.document.patternPath, "");
        EXPECT_FALSE(t->file.document.hasEmbeddedPicture);
        EXPECT_EQ(t->options.DimensionWidth, before.DimensionWidth);
        EXPECT_FALSE(fs::exists(t.scratch / "Temp" / "ttsyimage.tmp"));
    }
}

TEST(PatternFile, OpenReportsMissingFilesAndRefusesWhatIsNoFile) {
    TestSession t;
    const std::string missing = (t.scratch / "nowhere.pat").string();
    EXPECT_FALSE(t->file.OpenPattern(missing));
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].text, "The selected file was not found.\r\nFile: " + missing +
                                             "\r\n\r\nCheck that the above folder and file exist and are write enabled.");
    EXPECT_FALSE(t->file.OpenPattern(t.scratch.path().string()));
    ASSERT_EQ(t.presenter.shown.size(), 2u);
    EXPECT_EQ(t.presenter.shown[1].text,
              "The selected file could not be loaded.\r\n\r\nIt is a folder, not a pattern file.");
}

TEST(PatternFile, AFileWithMoreLinesThanTheStoreCanTakeIsRefused) {
    TestSession t;
    Bytes b = DefaultHeader();
    b.I16(32767);
    for (int i = 0; i < 32767; ++i) b.F32(1).F32(2).F32(3).F32(4);
    b.I16(0).I16(0);
    WriteFileBytes(t.scratch / "full.pat", b.str());
    ASSERT_TRUE(t->file.OpenPattern((t.scratch / "full.pat").string()));
    EXPECT_EQ(t->store.OutLine.VisibleCount(), 32767);
    // Loading adds to the pattern: a second copy no longer fits.
    EXPECT_FALSE(t->file.OpenPattern((t.scratch / "full.pat").string()));
    EXPECT_TRUE(IsFileNotLoaded(t.presenter.shown.back()));
}

TEST(PatternFile, APictureThatCannotBeKeptIsNeverDroppedUnasked) {
    // The temporary folder is unusable (a file stands in its place) or full
    // (the picture file is the full device).
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full" : "unusable");
        TestSession t;
        if (full) {
            fs::create_directory(t.scratch / "Temp");
            fs::create_symlink("/dev/full", t.scratch / "Temp" / "ttsyimage.tmp");
        } else {
            WriteFileBytes(t.scratch / "Temp", "a file where the folder should be");
        }
        const fs::path path = t.scratch / "pic.pat";
        const std::string file =
            DefaultHeader().I16(1).F32(0).F32(0).F32(9).F32(9).I16(0).I16(-1).F32(3000).Raw(Picture(3000)).str();
        WriteFileBytes(path, file);
        ASSERT_TRUE(t->file.OpenPattern(path.string()));
        EXPECT_EQ(t->store.OutLine.VisibleCount(), 1);
        EXPECT_FALSE(t->file.document.hasEmbeddedPicture);
        EXPECT_EQ(t->file.document.tempPicturePath, "");
        ASSERT_EQ(t.presenter.shown.size(), 1u);
        EXPECT_EQ(t.presenter.shown[0].icon, MessageIcon::Information);
        const std::string reason = full ? "No space left on device" : "Not a directory";
        EXPECT_EQ(t.presenter.shown[0].text.rfind("The temporary picture file could not be written.\r\nFile: " +
                                                      (t.scratch / "Temp" / "ttsyimage.tmp").string() +
                                                      "\r\nReason: " + reason + "\r\n",
                                                  0),
                  0u);

        // Saving back (in place, as convert does) refuses to lose it...
        EXPECT_FALSE(t->file.SavePattern(path.string(), false));
        ASSERT_EQ(t.presenter.shown.size(), 2u);
        EXPECT_EQ(t.presenter.shown[1].text, "The pattern's picture can not be saved with it.\r\nIt could not be "
                                             "kept in the temporary folder: " + reason +
                                                 ".\r\n\r\nSave the pattern without its picture?");
        EXPECT_EQ(ReadFileBytes(path), file);
        // ... unless the user says so; afterwards the pattern has no picture.
        t.presenter.answers.push_back(AnswerYes);
        ASSERT_TRUE(t->file.SavePattern(path.string(), false));
        EXPECT_TRUE(t->file.SavePattern(path.string(), false));
        EXPECT_EQ(t.presenter.shown.size(), 3u);
        TestSession r;
        ASSERT_TRUE(r->file.OpenPattern(path.string()));
        EXPECT_FALSE(r->file.document.hasEmbeddedPicture);
    }
}

TEST(PatternFile, AFailedSaveSaysWhyAndLeavesThePreviousFileAsItWas) {
    TestSession t;
    AddLine(*t, 1, 1, 2, 2);
    const fs::path target = t.scratch / "keep.pat";
    WriteFileBytes(target, "previous pattern");
    t->file.document.patternPath = "earlier.pat";
    const auto saved = [](const std::string& file, const std::string& reason) {
        return "The pattern file could not be saved.\r\nFile: " + file + "\r\nReason: " + reason +
               "\r\n\r\nTry to save your file using a different file name or folder.";
    };

    // A picture that cannot be read stops the save half way.
    fs::create_directory(t.scratch / "not-a-picture");
    t->file.document.picturePath = (t.scratch / "not-a-picture").string();
    EXPECT_FALSE(t->file.SavePattern(target.string(), false));
    EXPECT_EQ(t.presenter.shown.back().text,
              saved(target.string(), "the picture file " + t->file.document.picturePath + " could not be read"));
    // A folder that does not exist, and a target that is a folder.
    const std::string nowhere = (t.scratch / "no-such-folder" / "x.pat").string();
    EXPECT_FALSE(t->file.SavePattern(nowhere, true));
    EXPECT_EQ(t.presenter.shown.back().text,
              saved(nowhere, "cannot write in the folder " + (t.scratch / "no-such-folder").string() +
                                 ": No such file or directory"));
    EXPECT_FALSE(t->file.SavePattern((t.scratch / "not-a-picture").string(), true));
    EXPECT_EQ(t.presenter.shown.back().text, saved((t.scratch / "not-a-picture").string(),
                                                   (t.scratch / "not-a-picture").string() + " is a folder"));
    // A read-only file.
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(t->file.SavePattern(target.string(), true));
    EXPECT_EQ(t.presenter.shown.back().text,
              "The pattern file can not be saved.\r\nThe original pattern file attributes are set to read only.\r\n"
              "File: " + target.string() + "\r\n\r\nTry to save your file using a different file name or folder.");
    EXPECT_EQ(t.presenter.shown.size(), 4u);
    EXPECT_EQ(ReadFileBytes(target), "previous pattern");
    EXPECT_EQ(t->file.document.patternPath, "earlier.pat");

    // Nothing but the old file and the folders is left behind.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(t.scratch.path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"keep.pat", "not-a-picture"}));
}

TEST(PatternFile, AFullDiskOrAReadOnlyFolderLeavesThePreviousFile) {
    TestSession t;
    const fs::path small = t.scratch / "small";
    {
        test::MountedFolder disk(small, 64 * 1024, false);
        if (!disk.SkipReason().empty()) GTEST_SKIP() << disk.SkipReason();
        WriteFileBytes(small / "keep.pat", "previous pattern");
        WriteFileBytes(t.scratch / "photo.jpg", Picture(200 * 1024));
        t->file.document.picturePath = (t.scratch / "photo.jpg").string();
        EXPECT_FALSE(t->file.SavePattern((small / "keep.pat").string(), false));
        EXPECT_NE(t.presenter.shown.back().text.find("Reason: No space left on device"), std::string::npos);
        EXPECT_EQ(ReadFileBytes(small / "keep.pat"), "previous pattern");
        EXPECT_EQ(std::distance(fs::directory_iterator(small), fs::directory_iterator()), 1);
    }
    test::MountedFolder readOnly(small, 64 * 1024, true);
    ASSERT_EQ(readOnly.SkipReason(), "");
    EXPECT_FALSE(t->file.SavePattern((small / "new.pat").string(), true));
    EXPECT_NE(t.presenter.shown.back().text.find("Reason: cannot write in the folder " + small.string() +
                                                 ": Read-only file system"),
              std::string::npos);
    EXPECT_TRUE(fs::is_empty(small));
}

TEST(PatternFile, ReplacingKeepsTheFilesModeAndLinks) {
    TestSession t;
    const fs::path real = t.scratch / "real.pat";
    WriteFileBytes(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = t.scratch / "link.pat";
    fs::create_symlink(real, link);
    ASSERT_TRUE(t->file.SavePattern(link.string(), true));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real).substr(0, 9), Bytes().Str("Tessary").str());
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(PatternFile, TitleIsTheNameWithoutFolderAndExtension) {
    TestSession t;
    for (const auto& [path, title] : std::vector<std::pair<std::string, std::string>>{
             {"/home/a/rose window.pat", "rose window"}, {"/home/a.b/rose", "rose"}, {"x.y.pat", "x.y"}, {"", ""}}) {
        t->file.document.patternPath = path;
        EXPECT_EQ(t->file.PatternFileTitle(), title) << path;
    }
}

}  // namespace
}  // namespace tessary
