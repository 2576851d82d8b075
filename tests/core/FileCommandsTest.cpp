#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <tuple>

#include "core/print/PrintCommand.h"
#include "core/shell/FileCommands.h"
#include "core/shell/WindowPositions.h"
#include "core/engine/Workspace.h"
#include "tests/core/CommandFakes.h"
#include "tests/core/FakePlatform.h"
#include "tests/core/PrintFakes.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;
using test::FakeDialogs;
using test::FakePictures;
using test::ReadFileBytes;
using test::TestSession;
using test::WriteFileBytes;

constexpr const char* kNotLoaded = "The selected file could not be loaded.";
constexpr const char* kPictureNotLoaded = "The selected picture could not be loaded.";
constexpr const char* kSaveQuestion = "Do you wish to save your changes to the pattern?";
constexpr const char* kClearQuestion = "Clear the pattern of all drawings?";
constexpr const char* kLargeQuestion = "The selected picture is larger than 1 MB in size.";

std::vector<LineElement> VisibleLines(const PatternStore& store) {
    std::vector<LineElement> lines;
    for (std::int16_t i = 0; i < store.OutLine.Count(); ++i) {
        if (store.OutLine.Visible(i)) lines.push_back(store.OutLine[i]);
    }
    return lines;
}

class FileCommandsTest : public testing::Test {
protected:
    FileCommandsTest() : ws(*t), dialogs(ws), cmd(ws, dialogs, pictures) {
        ws.surface.ClientWidth = 12000;
        ws.surface.ClientHeight = 9000;
        ws.surface.ScreenWidth = 28800;
        ws.surface.ScreenHeight = 16200;
        ws.surface.TwipsPerPixel = 15;
    }

    std::string Path(const std::string& name) const { return (t.scratch / name).string(); }
    std::string TempPicture() const { return (t.scratch / "Temp" / kTempPictureName).string(); }

    std::string WritePicture(const std::string& name, std::uintmax_t size) {
        std::string bytes(static_cast<std::size_t>(std::min<std::uintmax_t>(size, 4096)), '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 13 + 5);
        WriteFileBytes(Path(name), bytes);
        fs::resize_file(Path(name), size);
        return Path(name);
    }

    void DrawLine(float x1, float y1, float x2, float y2) { ws.store.AddLine(x1, y1, x2, y2, ws.draw.PenWidth(), true); }

    // A new pattern 2 by 1 inches as edit sets it up, a line from corner to
    // corner drawn at normal size, then zoomed in.
    void DiagonalZoomedIn(std::function<void(PatternOptions&)> edit) {
        dialogs.edit = std::move(edit);
        cmd.NewPattern(false);
        ws.zoom.ZoomView(ZoomNormal);
        DrawLine(0, 0, 2880, 1440);
        ws.zoom.ZoomView(ZoomIn);
    }

    void NewFromPicture(const std::string& picture) {
        dialogs.picturePaths.push_back(picture);
        cmd.NewPattern(true);
    }

    bool SaveAs(const std::string& name) {
        dialogs.savePaths.push_back(Path(name));
        return cmd.SavePatternCommand(true);
    }

    // A closed pattern file with two lines and photo.jpg embedded.
    std::string PatternWithPicture(const std::string& name) {
        NewFromPicture(WritePicture("photo.jpg", 1500));
        DrawLine(100, 200, 300, 400);
        DrawLine(500, 600, 700, 800);
        EXPECT_TRUE(SaveAs(name));
        EXPECT_TRUE(cmd.ClosePattern());
        return Path(name);
    }

    // The first line of every message shown.
    std::vector<std::string> Shown() const {
        std::vector<std::string> heads;
        for (const MessageRequest& m : t.presenter.shown) heads.push_back(m.text.substr(0, m.text.find('\r')));
        return heads;
    }

    // The lines a pattern file holds, as a fresh program would read them.
    static std::vector<LineElement> LinesInFile(const std::string& path) {
        TestSession reader;
        EXPECT_TRUE(reader->file.OpenPattern(path));
        return VisibleLines(reader->store);
    }

    void ExpectNothingOpen() {
        EXPECT_TRUE(!cmd.PatternOpen() && ws.modes.AppState() == AppNoPattern);
        EXPECT_TRUE(ws.store.OutLine.VisibleCount() == 0 && !ws.surface.Enabled);
    }

    TestSession t;
    Workspace ws;
    FakeDialogs dialogs;
    FakePictures pictures;
    FileCommands cmd;
};

TEST_F(FileCommandsTest, NewBlankPageStartsFromStoredOptionsAndTheSetupDialog) {
    t.settings.values["Pattern/DefWidth"] = "20";
    t->options.DimensionWidth = 3;  // left by an earlier pattern
    DrawLine(1, 2, 3, 4);
    dialogs.edit = [](PatternOptions& o) { o.DimensionHeight = 10; };

    cmd.NewPattern(false);

    EXPECT_TRUE(dialogs.setups == 1 && dialogs.newPatternSetups == 1);
    EXPECT_TRUE(!dialogs.aspectLockedSeen && dialogs.noPictureSeen && dialogs.pictureFolders.empty());
    EXPECT_EQ(t->options.DimensionWidth, 20);
    // The blank surface takes the size the dialog settled.
    EXPECT_TRUE(ws.reference.PatternWidth() == 20 * 1440 && ws.reference.PatternHeight() == 10 * 1440);
    EXPECT_EQ(ws.surface.Caption, "New");
    EXPECT_TRUE(cmd.PatternOpen() && ws.surface.Enabled && t->progress.Display());
    EXPECT_EQ(ws.modes.AppState(), AppPatternOpen);
    EXPECT_TRUE(ws.store.OutLine.VisibleCount() == 0 && !ws.store.PatternChanged());
    EXPECT_EQ(ws.surface.ViewMode(), ViewPatternOnly);
    EXPECT_TRUE(Shown().empty());

    // Accepting the Pattern Setup of the open pattern is a change: the options travel in its file.
    for (const bool cancel : {true, false}) {
        dialogs.cancelSetup = cancel;
        cmd.PatternSetupCommand();
        EXPECT_EQ(ws.store.PatternChanged(), !cancel);
    }
}

TEST_F(FileCommandsTest, CancelledSetupLeavesNoPatternOpen) {
    for (const bool withPicture : {false, true}) {
        SCOPED_TRACE(withPicture);
        DrawLine(1, 2, 3, 4);
        dialogs.cancelSetup = true;
        if (withPicture) dialogs.picturePaths.push_back(WritePicture("a.jpg", 100));
        cmd.NewPattern(withPicture);
        ExpectNothingOpen();
        EXPECT_EQ(t->file.document.picturePath, "");
        EXPECT_EQ(pictures.layers, (std::array<std::string, 2>{}));
    }
}

TEST_F(FileCommandsTest, NewFromPictureTakesItsNaturalSize) {
    for (const auto& [metricPage, width, height] : {std::tuple{"False", 2.0f, 3.0f}, {"True", 5.08f, 7.62f}}) {
        SCOPED_TRACE(metricPage);
        t.settings.values["Pattern/MetricPage"] = metricPage;
        dialogs.pictureFolders.clear();
        const std::string picture = WritePicture("photo.jpg", 5000);
        NewFromPicture(picture);

        EXPECT_EQ(dialogs.pictureFolders, std::vector<std::string>{Path("Pictures")});
        EXPECT_TRUE(dialogs.aspectLockedSeen && !dialogs.noPictureSeen);
        EXPECT_NEAR(t->options.DimensionWidth, width, 1e-4);
        EXPECT_NEAR(t->options.DimensionHeight, height, 1e-4);
        EXPECT_TRUE(ws.reference.PatternWidth() == 2880 && ws.reference.PatternHeight() == 4320);
        EXPECT_EQ(pictures.layers, (std::array<std::string, 2>{picture, picture}));
        EXPECT_EQ(t->file.document.picturePath, picture);
        EXPECT_EQ(ws.surface.ViewMode(), ViewBoth);
        EXPECT_TRUE(Shown().empty());
        ASSERT_TRUE(cmd.ClosePattern());
    }
}

TEST_F(FileCommandsTest, PictureThatDoesNotLoadGivesABlankPage) {
    const struct {
        const char* name;
        bool chosen;
        std::size_t size;
        bool decodeFails, cancelAfterFirstLayer;
        std::size_t decodes;
    } cases[] = {
        {"dialog cancelled", false, 0, false, false, 0}, {"empty file", true, 0, false, false, 0},
        {"decoder fails", true, 10, true, false, 1},     {"cancelled after the first layer", true, 10, false, true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        t.presenter.shown.clear();
        pictures.decoded.clear();
        pictures.fail = c.decodeFails;
        pictures.afterDecode = nullptr;
        if (c.cancelAfterFirstLayer) pictures.afterDecode = [this](int) { t.progressWindow.cancelled = true; };
        if (c.chosen) dialogs.picturePaths.push_back(WritePicture("pic.jpg", c.size));
        cmd.NewPattern(true);

        EXPECT_EQ(Shown(), c.chosen ? std::vector<std::string>{kPictureNotLoaded}
                                    : std::vector<std::string>{});
        EXPECT_EQ(pictures.decoded.size(), c.decodes);
        EXPECT_EQ(pictures.layers, (std::array<std::string, 2>{}));
        EXPECT_FALSE(ws.surface.PictureLoaded);
        EXPECT_TRUE(dialogs.noPictureSeen);
        EXPECT_EQ(t->file.document.picturePath, "");
        EXPECT_EQ(ws.reference.PatternWidth(), 8.5f * 1440);
        ASSERT_TRUE(cmd.ClosePattern());
    }
}

TEST_F(FileCommandsTest, OnlyPicturesAbove999KBAreQuestioned) {
    const struct {
        std::uintmax_t size;
        std::optional<MessageAnswer> answer;  // none: no question expected
        bool opens;
    } cases[] = {{1022976, std::nullopt, true}, {1022977, AnswerYes, true},
                 {1022977, AnswerNo, false},    {1022977, AnswerCancel, false}};
    t->progress.SetDisplay(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " " << c.answer.value_or(AnswerOk));
        t.presenter.shown.clear();
        pictures.decoded.clear();
        t->file.document.picturePath = "previous.jpg";
        if (c.answer) t.presenter.answers.push_back(*c.answer);
        const std::string picture = WritePicture("big.jpg", c.size);
        dialogs.picturePaths.push_back(picture);

        EXPECT_EQ(cmd.OpenPictureFile(), c.opens);
        EXPECT_EQ(Shown(), c.answer ? std::vector<std::string>{kLargeQuestion} : std::vector<std::string>{});
        EXPECT_EQ(t->file.document.picturePath, c.opens ? picture : "previous.jpg");
        EXPECT_EQ(pictures.decoded.size(), c.opens ? 2u : 0u);
    }
}

TEST_F(FileCommandsTest, SaveAsksForANameOnlyOnceAndWritesTrueSize) {
    cmd.NewPattern(false);
    // New ends zoomed to fit: an 11-inch height in a 9000-twip window.
    ASSERT_EQ(ws.surface.PictureFrame[0].Height, 9000);
    DrawLine(900, 450, 1800, 900);
    // A cancelled name dialog, then a read-only file: nothing saved, still a change.
    WriteFileBytes(Path("locked.pat"), "old");
    fs::permissions(Path("locked.pat"), fs::perms::owner_read);
    for (const bool locked : {false, true}) {
        if (locked) dialogs.savePaths.push_back(Path("locked.pat"));
        EXPECT_FALSE(cmd.SavePatternCommand(false));
        EXPECT_TRUE(ws.store.PatternChanged());
        EXPECT_EQ(ws.surface.Caption, "New");
    }
    EXPECT_EQ(ReadFileBytes(Path("locked.pat")), "old");

    dialogs.savePaths.push_back(Path("first.pat"));
    ASSERT_TRUE(cmd.SavePatternCommand(false));
    EXPECT_EQ(dialogs.saveFolders, std::vector<std::string>(3, Path("Patterns")));
    EXPECT_EQ(ws.surface.Caption, "first");
    EXPECT_FALSE(ws.store.PatternChanged());
    EXPECT_TRUE(ws.surface.PictureFrame[0].Height == 9000 && ws.surface.Enabled);  // fitted again, not busy
    const auto lines = LinesInFile(Path("first.pat"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].X1, 900 * 15840.0f / 9000, 0.01);
    EXPECT_NEAR(lines[0].Y2, 900 * 15840.0f / 9000, 0.01);

    DrawLine(50, 60, 70, 80);
    ASSERT_TRUE(cmd.SavePatternCommand(false));
    EXPECT_EQ(dialogs.saveFolders.size(), 3u);
    EXPECT_EQ(LinesInFile(Path("first.pat")).size(), 2u);

    ASSERT_TRUE(SaveAs("second.pat"));
    EXPECT_EQ(dialogs.saveFolders.size(), 4u);
    EXPECT_EQ(ws.surface.Caption, "second");
}

TEST_F(FileCommandsTest, EmbeddedPictureSurvivesOpenSaveRounds) {
    const std::string original = PatternWithPicture("a.pat");
    const std::string bytes = ReadFileBytes(original);
    const std::string photo = ReadFileBytes(Path("photo.jpg"));
    fs::remove(Path("photo.jpg"));  // from now on only the pattern holds it

    // The last round cannot decode it: only the view lacks it.
    std::string current = original;
    for (const char* next : {"b.pat", "c.pat", "undecoded.pat"}) {
        SCOPED_TRACE(next);
        const bool decodes = std::string(next) != "undecoded.pat";
        pictures.fail = !decodes;
        cmd.OpenPatternCommand(current);
        EXPECT_EQ(Shown(), decodes ? std::vector<std::string>{}
                                   : std::vector<std::string>{"The background picture was not loaded."});
        EXPECT_EQ(ws.surface.Caption, fs::path(current).stem().string());
        EXPECT_EQ(ws.surface.ViewMode(), ViewBoth);
        EXPECT_EQ(ws.surface.PictureLoaded, decodes);
        const std::string shown = decodes ? TempPicture() : "";
        EXPECT_EQ(pictures.layers, (std::array{shown, shown}));
        EXPECT_EQ(t->file.document.picturePath, TempPicture());
        EXPECT_EQ(ReadFileBytes(TempPicture()), photo);
        EXPECT_EQ(ws.store.OutLine.VisibleCount(), 2);
        EXPECT_FALSE(ws.store.PatternChanged());

        ASSERT_TRUE(SaveAs(next));
        EXPECT_EQ(ReadFileBytes(Path(next)), bytes);
        ASSERT_TRUE(cmd.ClosePattern());
        current = Path(next);
    }
}

TEST_F(FileCommandsTest, PatternThatCannotBeReadLeavesNothingBehind) {
    cmd.NewPattern(false);
    for (int i = 0; i < 3; ++i) DrawLine(i, i, i + 10.0f, i + 10.0f);
    ASSERT_TRUE(SaveAs("whole.pat"));
    ASSERT_TRUE(cmd.ClosePattern());
    // Cut into the third line: two lines read before the failure.
    const std::string whole = ReadFileBytes(Path("whole.pat"));
    WriteFileBytes(Path("damaged.pat"), whole.substr(0, whole.size() - 12));

    const struct {
        std::string file;  // empty: asked for, and the dialog cancelled
        std::vector<std::string> messages;
    } cases[] = {
        {Path("damaged.pat"), {kNotLoaded}}, {Path("missing.pat"), {"The selected file was not found."}}, {"", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        t.presenter.shown.clear();
        cmd.OpenPatternCommand(c.file);
        EXPECT_EQ(Shown(), c.messages);
        ExpectNothingOpen();
        EXPECT_EQ(ws.reference.LineCount(), 1);  // the first slot is never destroyed
        EXPECT_FALSE(t->progress.Display());
    }
    EXPECT_EQ(dialogs.openFolders, std::vector<std::string>{Path("Patterns")});
}

TEST_F(FileCommandsTest, CloseAsksOnlyAboutChanges) {
    cmd.NewPattern(false);
    EXPECT_TRUE(cmd.ClosePattern());
    EXPECT_TRUE(Shown().empty());
    ExpectNothingOpen();

    // Yes, then a cancelled name dialog: nothing is closed.
    cmd.NewPattern(false);
    DrawLine(10, 20, 30, 40);
    t.presenter.answers = {AnswerYes, AnswerNo};
    EXPECT_FALSE(cmd.ClosePattern());
    EXPECT_EQ(dialogs.saveFolders.size(), 1u);
    EXPECT_EQ(ws.store.OutLine.VisibleCount(), 1);
    ASSERT_TRUE(cmd.ClosePattern());

    for (const auto& [answer, closes, linesInFile] :
         {std::tuple{AnswerCancel, false, 0u}, {AnswerNo, true, 0u}, {AnswerYes, true, 1u}}) {
        SCOPED_TRACE(answer);
        t.presenter.shown.clear();
        cmd.NewPattern(false);
        ASSERT_TRUE(SaveAs("kept.pat"));
        DrawLine(10, 20, 30, 40);
        t.presenter.answers = {answer};

        EXPECT_EQ(cmd.ClosePattern(), closes);
        EXPECT_EQ(Shown(), std::vector<std::string>{kSaveQuestion});
        EXPECT_EQ(ws.store.OutLine.VisibleCount(), closes ? 0 : 1);
        EXPECT_EQ(LinesInFile(Path("kept.pat")).size(), linesInFile);
        if (!closes) {
            EXPECT_TRUE(cmd.PatternOpen() && ws.store.PatternChanged());
            t.presenter.answers = {AnswerNo};
            ASSERT_TRUE(cmd.ClosePattern());
        }
    }
}

TEST_F(FileCommandsTest, ClearPatternAsksAndIsNoChange) {
    cmd.OpenPatternCommand(PatternWithPicture("two.pat"));
    // A rubber band and an arc's construction lines on show go with the lines.
    ws.bands.EditLineVisible = true;
    ws.bands.ArcLine.SetVisible(0, true);
    ws.bands.ArcLine.SetVisible(ws.bands.ArcLine.Create(), true);
    for (const MessageAnswer answer : {AnswerNo, AnswerCancel, AnswerYes}) {
        SCOPED_TRACE(answer);
        t.presenter.shown.clear();
        t.presenter.answers.push_back(answer);
        cmd.ClearPatternCommand();
        EXPECT_EQ(Shown(), std::vector<std::string>{kClearQuestion});
        EXPECT_EQ(ws.store.OutLine.VisibleCount(), answer == AnswerYes ? 0 : 2);
        EXPECT_FALSE(ws.store.PatternChanged());
    }
    EXPECT_TRUE(!ws.bands.EditLineVisible && ws.bands.ArcLine.Count() == 1 && !ws.bands.ArcLine.Visible(0));
    // Right after a clear, closing does not ask.
    t.presenter.shown.clear();
    EXPECT_TRUE(cmd.ClosePattern());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(FileCommandsTest, ChangePictureFitsThePatternToTheNewPictureOrKeepsTheOldOne) {
    const std::string photo = WritePicture("photo.jpg", 1500);
    NewFromPicture(photo);
    const Rect& layer = ws.surface.Pattern;
    DrawLine(0, 0, layer.Width, layer.Height);  // the pattern fills its picture
    ws.store.SetPatternChanged(false);
    const std::vector<ReferenceLine> before = ws.reference.Lines;

    // Cancelled, or a picture that does not decode: all stays as it was.
    cmd.ChangePictureCommand();
    pictures.failing = WritePicture("bad.jpg", 1500);
    EXPECT_FALSE(cmd.ChangePicture(pictures.failing));
    EXPECT_EQ(Shown(), std::vector<std::string>{kPictureNotLoaded});
    EXPECT_TRUE(ws.surface.Enabled && ws.surface.PictureLoaded && pictures.layers[0] == photo);
    EXPECT_EQ(t->file.document.picturePath, photo);
    EXPECT_TRUE(ws.modes.AppState() == AppPatternOpen && !ws.store.PatternChanged());
    EXPECT_EQ(ws.reference.Lines[0].X2, before[0].X2);

    // Twice the size: the pattern follows it and the user aligns it.
    pictures.natural = {5760, 8640};
    const int setups = dialogs.newPatternSetups;
    dialogs.picturePaths.push_back(WritePicture("big.jpg", 2000));
    cmd.ChangePictureCommand();
    EXPECT_EQ(dialogs.newPatternSetups, setups + 1);
    EXPECT_TRUE(ws.surface.Enabled && ws.modes.AppState() == AppAligning && ws.store.PatternChanged());
    EXPECT_EQ(t->file.document.picturePath, Path("big.jpg"));
    EXPECT_TRUE(ws.reference.PatternWidth() == 5760 && ws.reference.PatternHeight() == 8640);
    EXPECT_TRUE(t->options.WidthTwips == 5760 && t->options.HeightTwips == 8640);
    const ReferenceLine& fitted = ws.reference.Lines[0];
    EXPECT_NEAR(fitted.X1, 0, 0.5);
    EXPECT_NEAR(fitted.Y1, 0, 0.5);
    EXPECT_NEAR(fitted.X2, 5760, 0.5);
    EXPECT_NEAR(fitted.Y2, 8640, 0.5);
    ws.EndAlignCommand();
    EXPECT_NEAR(ws.reference.Lines[0].X2, 5760, 0.5);
}

TEST_F(FileCommandsTest, ClosingOrExitingDropsThePictureOfThePattern) {
    EXPECT_TRUE(cmd.MayExit());  // nothing open, nothing asked
    cmd.OpenPatternCommand(PatternWithPicture("pic.pat"));
    DrawLine(10, 20, 30, 40);
    t.presenter.answers = {AnswerCancel};
    EXPECT_FALSE(cmd.MayExit());
    EXPECT_EQ(Shown(), std::vector<std::string>{kSaveQuestion});
    ASSERT_TRUE(fs::exists(TempPicture()));
    cmd.Unload();
    EXPECT_FALSE(fs::exists(TempPicture()));

    cmd.OpenPatternCommand(Path("pic.pat"));
    ASSERT_TRUE(fs::exists(TempPicture()));
    ASSERT_TRUE(cmd.ClosePattern());
    EXPECT_FALSE(fs::exists(TempPicture()));
    EXPECT_EQ(t->file.document.picturePath, "");
    EXPECT_EQ(ws.surface.Caption, "");

    // The next pattern is saved without it and opens without one, here chosen in the dialog.
    cmd.NewPattern(false);
    ASSERT_TRUE(SaveAs("blank.pat"));
    ASSERT_TRUE(cmd.ClosePattern());
    pictures.decoded.clear();
    dialogs.openPaths.push_back(Path("blank.pat"));
    cmd.OpenPatternCommand("");
    EXPECT_EQ(ws.surface.Caption, "blank");
    EXPECT_EQ(ws.surface.ViewMode(), ViewPatternOnly);
    EXPECT_EQ(t->file.document.picturePath, "");
    EXPECT_TRUE(pictures.decoded.empty());
}

TEST_F(FileCommandsTest, ExportLeavesThePatternAsItWas) {
    NewFromPicture(WritePicture("photo.jpg", 700));
    ASSERT_TRUE(SaveAs("own.pat"));
    DrawLine(10, 20, 30, 40);

    dialogs.savePaths.push_back(Path("copy.pat"));
    cmd.ExportWithoutPicture();
    EXPECT_EQ(ws.surface.Caption, "own");
    EXPECT_TRUE(ws.store.PatternChanged());
    TestSession reader;
    ASSERT_TRUE(reader->file.OpenPattern(Path("copy.pat")));
    EXPECT_FALSE(reader->file.document.hasEmbeddedPicture);
    EXPECT_EQ(VisibleLines(reader->store).size(), 1u);

    // A later Save goes to the pattern's own file, without asking.
    ASSERT_TRUE(cmd.SavePatternCommand(false));
    EXPECT_EQ(dialogs.saveFolders.size(), 2u);
    EXPECT_EQ(LinesInFile(Path("own.pat")).size(), 1u);
}

TEST_F(FileCommandsTest, BitmapIsComposedAtTrueSizeWhateverTheZoom) {
    DiagonalZoomedIn([](PatternOptions& o) {
        o.DimensionWidth = 2;
        o.DimensionHeight = 1;
        o.BitmapWidth = 300;
        o.BitmapHeight = 150;
    });
    test::RecordingSurface surface;
    EXPECT_FALSE(cmd.ExportBitmapCommand(surface));  // the dialog cancelled
    EXPECT_EQ(surface.creates, 0);
    dialogs.bitmapPaths.push_back(Path("pattern.bmp"));
    ASSERT_TRUE(cmd.ExportBitmapCommand(surface));
    ASSERT_EQ(surface.lines.size(), 1u);
    EXPECT_FLOAT_EQ(surface.lines[0].x2, 299.5f);  // the centre of the last pixel
    EXPECT_FLOAT_EQ(surface.lines[0].y2, 149.5f);
    EXPECT_TRUE(ws.surface.Enabled);  // out of the busy state again

    // Never over the open pattern's own file.
    ASSERT_TRUE(SaveAs("own.pat"));
    const std::string saved = ReadFileBytes(Path("own.pat"));
    dialogs.bitmapPaths.push_back(Path("own.pat"));
    t.presenter.shown.clear();
    EXPECT_FALSE(cmd.ExportBitmapCommand(surface));
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].text.rfind("The file can not be written over the pattern", 0), 0u);
    EXPECT_EQ(ReadFileBytes(Path("own.pat")), saved);
}

// Drawn at normal size, exported zoomed in: the drawing is the true-size
// pattern in the page's unit, and the view ends fitted and usable.
TEST_F(FileCommandsTest, DrawingsAreExportedAtTrueSizeWhateverTheZoom) {
    DiagonalZoomedIn([](PatternOptions& o) {
        o.MetricPage = true;
        o.DimensionWidth = 5.08f;
        o.DimensionHeight = 2.54f;
    });

    EXPECT_FALSE(cmd.ExportVectorCommand(VectorFormat::Svg));  // the dialog cancelled
    dialogs.drawingPaths = {Path("rose.svg"), Path("rose.dxf")};
    ASSERT_TRUE(cmd.ExportVectorCommand(VectorFormat::Svg));
    ASSERT_TRUE(cmd.ExportVectorCommand(VectorFormat::Dxf));
    EXPECT_EQ(dialogs.drawingsAsked, (std::vector<DrawingFile>{DrawingFile::Svg, DrawingFile::Svg, DrawingFile::Dxf}));
    const std::string svg = ReadFileBytes(Path("rose.svg"));
    EXPECT_NE(svg.find("width=\"50.8mm\" height=\"25.4mm\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("<path d=\"M0 0 L50.8 25.4\"/>"), std::string::npos) << svg;
    EXPECT_NE(ReadFileBytes(Path("rose.dxf")).find("$INSUNITS\n 70\n4\n"), std::string::npos);
    EXPECT_TRUE(ws.surface.Enabled);
}

TEST_F(FileCommandsTest, APngAsksItsResolutionBeforeItsPathAndKeepsIt) {
    cmd.NewPattern(false);
    std::vector<std::pair<std::string, int>> written;
    const auto write = [&](const std::string& path, int dpi) {
        written.emplace_back(path, dpi);
        return true;
    };
    EXPECT_FALSE(cmd.ExportPngCommand(write));  // the resolution cancelled: no path is asked
    EXPECT_TRUE(dialogs.drawingsAsked.empty());
    dialogs.dpis = {150};
    EXPECT_FALSE(cmd.ExportPngCommand(write));  // the path cancelled
    dialogs.dpis = {600};
    dialogs.drawingPaths = {Path("rose.png")};
    EXPECT_TRUE(cmd.ExportPngCommand(write));
    EXPECT_EQ(dialogs.dpisAsked, (std::vector<int>{kDefaultPngDpi, kDefaultPngDpi, 150}));
    EXPECT_EQ(written, (std::vector<std::pair<std::string, int>>{{Path("rose.png"), 600}}));
}

TEST_F(FileCommandsTest, PrintingToAnUnnamedPdfAsksForANameBesideThePattern) {
    constexpr float kInch = 1440;
    cmd.NewPattern(false);
    ASSERT_TRUE(SaveAs("rose.pat"));
    const std::string saved = ReadFileBytes(Path("rose.pat"));
    std::vector<std::string> notices;
    ws.session.messages.SetNoticeSink([&notices](const std::string& text) { notices.push_back(text); });
    const struct {
        bool toFile;
        std::string setupFile;
        std::deque<std::string> answers;
        std::vector<std::string> asked;
        int begun;
        const char* message;
    } cases[] = {
        {false, "", {}, {}, 1, "Printed 2 pages to Recorder"},
        {true, "", {Path("out.pdf")}, {t.scratch.path().string() + "|rose.pdf"}, 1, "Printed 2 pages to out.pdf"},
        {true, "", {}, {t.scratch.path().string() + "|rose.pdf"}, 0, nullptr},  // the dialog cancelled
        {true, Path("setup.pdf"), {}, {}, 1, "Printed 2 pages to setup.pdf"},
        {true, "", {Path("./rose.pat")}, {t.scratch.path().string() + "|rose.pdf"}, 0,
         "The file can not be written over the pattern it is made from."},
        {true, Path("rose.pat"), {}, {}, 0, "The file can not be written over the pattern it is made from."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setupFile + " " + std::to_string(c.answers.size()));
        test::RecordingPrinter printer(8 * kInch, 10.5f * kInch, 2.4f);
        printer.toFile = c.toFile;
        printer.outputFile = c.setupFile;
        test::RecordingSurface surface;
        dialogs.pdfPaths = c.answers;
        dialogs.pdfAsked.clear();
        t.presenter.shown.clear();
        // A pattern of two pages across.
        ws.session.options.WidthTwips = 12 * kInch;
        ws.session.options.HeightTwips = 4 * kInch;
        const bool printed = PrintCommand(ws, printer, surface, dialogs, [](PrintWizardModel& wizard) {
            ASSERT_TRUE(wizard.Activate());
            wizard.Print();
        });
        EXPECT_EQ(printed, c.begun == 1 && c.message && std::string(c.message).rfind("Printed", 0) == 0);
        EXPECT_EQ(dialogs.pdfAsked, c.asked);
        EXPECT_EQ(printer.documentsBegun, c.begun);
        // A print that went says so in a notice, a refusal in a message.
        std::vector<std::string> said = notices;
        for (const MessageRequest& m : t.presenter.shown) said.push_back(m.text);
        notices.clear();
        if (c.message) {
            ASSERT_EQ(said.size(), 1u);
            EXPECT_EQ(said[0].rfind(c.message, 0), 0u) << said[0];
        } else {
            EXPECT_TRUE(said.empty());
        }
        EXPECT_EQ(ReadFileBytes(Path("rose.pat")), saved);
    }
}

TEST_F(FileCommandsTest, ASaveSaysSoInANoticeAndAFailedOneOnlyInItsMessage) {
    std::vector<std::string> notices;
    ws.session.messages.SetNoticeSink([&notices](const std::string& text) { notices.push_back(text); });
    cmd.NewPattern(false);
    ASSERT_TRUE(SaveAs("rose.pat"));
    EXPECT_EQ(notices, std::vector<std::string>{"Saved rose.pat"});
    t.presenter.shown.clear();
    EXPECT_FALSE(SaveAs("no such folder/rose.pat"));
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(t.presenter.shown.size(), 1u);
}

TEST_F(FileCommandsTest, CommandLineNamesOneFile) {
    cmd.NewPattern(false);
    ASSERT_TRUE(SaveAs("my pattern.pat"));
    ASSERT_TRUE(cmd.ClosePattern());
    const std::string name = Path("my pattern.pat");
    for (const auto& [text, opens] : {std::pair{'"' + name + '"', true}, {"\"\"" + name + "\"\"", true},
                                      {'"' + Path("gone.pat") + '"', false}}) {
        SCOPED_TRACE(text);
        cmd.OpenFromCommandLine(text);
        EXPECT_EQ(ws.surface.Caption, opens ? "my pattern" : "");
        EXPECT_TRUE(Shown().empty());
        if (opens) {
            ASSERT_TRUE(cmd.ClosePattern());
        }
    }

    // Handed over by a later start while a changed pattern is open: the
    // user is asked first, and Cancel keeps the open pattern.
    cmd.NewPattern(false);
    DrawLine(1, 2, 3, 4);
    t.presenter.answers.push_back(AnswerCancel);
    cmd.OpenFromCommandLine(name);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Do you wish to save your changes to the pattern?"});
    EXPECT_TRUE(ws.surface.Caption == "New" && ws.store.OutLine.VisibleCount() == 1);
    t.presenter.answers.push_back(AnswerNo);
    cmd.OpenFromCommandLine(name);
    EXPECT_EQ(ws.surface.Caption, "my pattern");
}

TEST(WindowPositions, MaximisedStoresOnlyTheState) {
    test::FakeSettings settings;
    settings.values["DisplaySetup/WindowTop"] = "100";
    settings.values["DisplaySetup/WindowWidth"] = "5000";
    StoreWindowPositions(settings, WindowPlacement{WindowMaximised, 1, 2, 3, 4});
    EXPECT_EQ(settings.writes, std::vector<std::string>{"DisplaySetup/WindowState"});
    EXPECT_EQ(settings.values["DisplaySetup/WindowState"], "2");

    const WindowPlacement p = RestoreWindowPositions(settings, 28800, 16200);
    EXPECT_EQ(std::make_tuple(p.state, p.top, p.width),
              std::make_tuple(std::int16_t{WindowMaximised}, 100.0f, 5000.0f));
}

TEST(WindowPositions, RestoreWithoutKeysGivesAWindowOf60Percent) {
    const test::FakeSettings settings;
    const WindowPlacement p = RestoreWindowPositions(settings, 20000, 10000);
    EXPECT_EQ(std::make_tuple(p.state, p.top, p.left, p.height, p.width),
              std::make_tuple(std::int16_t{WindowNormal}, 1000.0f, 2000.0f, 6000.0f, 12000.0f));
}

TEST(WindowPositions, AnyStoredFrameEndsOnAScreenThatHoldsIt) {
    // Two screens side by side, the second lower and smaller.
    const std::vector<ScreenArea> screens = {{0, 0, 28800, 16200}, {28800, 1500, 19200, 12000}};
    const struct {
        const char* what;
        WindowPlacement stored;
        WindowPlacement fitted;
    } cases[] = {
        {"inside", {0, 1000, 2000, 6000, 12000}, {0, 1000, 2000, 6000, 12000}},
        {"mostly on the second", {0, 2000, 40000, 6000, 6000}, {0, 2000, 40000, 6000, 6000}},
        {"hanging off the right", {0, 2000, 46000, 6000, 6000}, {0, 2000, 42000, 6000, 6000}},
        {"far away", {0, 3e8f, 3e8f, 6000, 6000}, {0, 10200, 22800, 6000, 6000}},
        {"vast", {0, -3.4e38f, -3.4e38f, 3.4e38f, 3.4e38f}, {0, 0, 0, 16200, 28800}},
        {"a sliver", {0, 100, 100, -5, 3}, {0, 100, 100, 3000, 4000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const WindowPlacement p = FitOnScreens(c.stored, screens, 4000, 3000);
        EXPECT_EQ(std::make_tuple(p.top, p.left, p.height, p.width),
                  std::make_tuple(c.fitted.top, c.fitted.left, c.fitted.height, c.fitted.width));
    }
}

TEST(WindowPositions, NormalStateRoundTrips) {
    test::FakeSettings settings;
    const WindowPlacement stored{WindowNormal, 1234.5f, 678, 9000.25f, 11000};
    StoreWindowPositions(settings, stored);
    const WindowPlacement p = RestoreWindowPositions(settings, 1, 1);
    EXPECT_EQ(std::make_tuple(p.state, p.top, p.left, p.height, p.width),
              std::make_tuple(stored.state, stored.top, stored.left, stored.height, stored.width));
}

}  // namespace
}  // namespace tessary
