#include <gtest/gtest.h>

#include <array>
#include <map>

#include "core/shell/FileCommands.h"
#include "core/shell/Recovery.h"
#include "tests/core/CommandFakes.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::FakeDialogs;
using test::FakePictures;
using test::ReadFileBytes;
using test::TestSession;
using test::WriteFileBytes;

const AutosaveClock::time_point t0{};
using Lines = std::vector<std::array<float, 4>>;

// The visible lines of a pattern file, as the reader gives them.
Lines LinesIn(const std::string& path) {
    TestSession probe;
    EXPECT_TRUE(probe->file.ReadPatternFile(path)) << path;
    Lines lines;
    const auto& set = probe->store.OutLine;
    for (std::int16_t i = 0; i < set.Count(); ++i) {
        if (set.Visible(i)) lines.push_back({set[i].X1, set[i].Y1, set[i].X2, set[i].Y2});
    }
    return lines;
}

// Every file of a folder by name, with its bytes (a folder's as "/").
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        files[name] = entry.is_symlink()     ? "->" + fs::read_symlink(entry.path()).string()
                      : entry.is_directory() ? "/"
                                             : ReadFileBytes(entry.path());
    }
    return files;
}

// One run of the program: a session with its engine, file commands and
// autosave, which keeps its files in folder.
struct ProgramRun {
    explicit ProgramRun(const fs::path& folder, std::chrono::seconds interval = 30s)
        : ws(*t), dialogs(ws), files(ws, dialogs, pictures), autosave(ws, files, folder.string(), interval) {
        ws.surface.ClientWidth = 12000;
        ws.surface.ClientHeight = 9000;
        ws.surface.ScreenWidth = 28800;
        ws.surface.ScreenHeight = 16200;
        ws.surface.TwipsPerPixel = 15;
    }

    void Draw(float x) { ws.store.AddLine(x, 100, x + 500, 900, 1, true); }
    // Draws at now and lets the autosave see it, as the window does.
    void DrawAt(AutosaveClock::time_point now, float x) {
        Draw(x);
        autosave.Notice(now);
    }
    void TickAndWait(AutosaveClock::time_point now) {
        autosave.Tick(now, false);
        autosave.Wait(now, false);
    }
    bool SaveAs(const fs::path& path) {
        dialogs.savePaths.push_back(path.string());
        return files.SavePatternCommand(true);
    }

    TestSession t;
    Workspace ws;
    FakeDialogs dialogs;
    FakePictures pictures;
    FileCommands files;
    Autosave autosave;
};

class RecoveryTest : public testing::Test {
protected:
    fs::path Folder() const { return scratch / "recovery"; }

    // What a run left for the next: a pattern saved as rose.pat with one
    // line, then two more lines autosaved, and the run ended by a crash.
    std::string CrashAfterChangesTo(const fs::path& rose) {
        ProgramRun run(Folder());
        run.files.NewPattern(false);
        run.Draw(100);
        EXPECT_TRUE(run.SaveAs(rose));
        run.DrawAt(t0, 200);
        run.Draw(300);
        run.TickAndWait(t0 + 30s);
        return run.autosave.File();
    }

    test::ScratchFolder scratch;
};

TEST_F(RecoveryTest, WritesAtMostOneIntervalAfterTheFirstChangeNotWritten) {
    ProgramRun run(Folder());
    run.files.NewPattern(false);
    run.autosave.Notice(t0);
    run.TickAndWait(t0 + 1h);
    EXPECT_FALSE(fs::exists(Folder())) << "a pattern without changes is not written";

    run.DrawAt(t0, 1000);
    run.DrawAt(t0 + 20s, 2000);
    run.autosave.Tick(t0 + 29s, false);
    EXPECT_EQ(run.autosave.NextTick(t0 + 29s), AutosaveClock::duration(1s));
    run.autosave.Wait(t0 + 29s, false);
    EXPECT_TRUE(run.autosave.File().empty());
    run.TickAndWait(t0 + 30s);
    const std::string file = run.autosave.File();
    EXPECT_EQ(fs::path(file).filename(), "New.pat");
    EXPECT_EQ(LinesIn(file).size(), 2u);
    EXPECT_EQ(run.autosave.NextTick(t0 + 30s), std::nullopt);

    // A geometry edit does not set the changed mark until its gesture ends,
    // but it is a change all the same.
    const float before = LinesIn(file)[0][0];
    run.ws.store.OutLine.Edit(0).X1 += 500;
    run.ws.store.LineMoved(0);
    run.autosave.Notice(t0 + 40s);
    run.TickAndWait(t0 + 69s);
    EXPECT_EQ(LinesIn(file)[0][0], before);
    run.TickAndWait(t0 + 70s);
    EXPECT_GT(LinesIn(file)[0][0], before);
}

TEST_F(RecoveryTest, WritesWhatASaveWouldWithoutDisturbingTheUser) {
    ProgramRun run(Folder());
    WriteFileBytes(scratch / "photo.jpg", std::string(3000, 'p'));
    run.dialogs.picturePaths.push_back((scratch / "photo.jpg").string());
    // Twice the picture's own height: reference twips are not file twips.
    run.dialogs.edit = [](PatternOptions& o) { o.DimensionHeight = 6; };
    run.files.NewPattern(true);
    run.DrawAt(t0, 2000);
    run.t.progressWindow.onPump = [&run] { run.TickAndWait(t0 + 1h); };
    run.ws.store.ClearPattern();  // no write while a pass lets events run
    run.t.progressWindow.onPump = nullptr;
    EXPECT_TRUE(run.autosave.File().empty());

    run.ws.zoom.ZoomView(ZoomIn);
    run.ws.zoom.ZoomView(ZoomIn);
    run.Draw(1000);
    run.ws.store.AddShape(ShapeCircle, 50, 60, 700, 700, 1, true);
    run.Draw(2000);
    run.ws.selection.SelectLine(1);
    const Rect view = run.ws.surface.PictureFrame[0];
    const std::size_t passes = run.t.progressWindow.headers.size();
    run.TickAndWait(t0 + 30s);
    EXPECT_EQ(run.t.progressWindow.headers.size(), passes);
    EXPECT_EQ(run.ws.selection.SelectState(), SelectedLine);
    EXPECT_EQ(run.ws.surface.PictureFrame[0], view);
    EXPECT_EQ(run.ws.surface.Caption, kNewCaption);
    EXPECT_EQ(run.t->file.document.patternPath, "");
    EXPECT_TRUE(run.ws.store.PatternChanged());
    EXPECT_TRUE(run.t.presenter.shown.empty());
    EXPECT_EQ(fs::status(run.autosave.File()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const std::string autosaved = ReadFileBytes(run.autosave.File());
    ASSERT_TRUE(run.SaveAs(scratch / "saved.pat"));
    EXPECT_EQ(autosaved, ReadFileBytes(scratch / "saved.pat"));
    run.autosave.Notice(t0 + 31s);
    EXPECT_TRUE(fs::is_empty(Folder())) << "saved: nothing left to recover";
}

TEST_F(RecoveryTest, GoesWithAnEndThatDoesNotSaveAndStaysAfterACrash) {
    struct Ending {
        const char* name;
        std::function<void(ProgramRun&)> end;
        bool kept;
    };
    // The answer to the save question, and the end.
    const auto closing = [](MessageAnswer answer) {
        return [answer](ProgramRun& r) {
            r.t.presenter.answers = {answer};
            r.files.ClosePattern();
        };
    };
    const auto exiting = [this](MessageAnswer answer) {
        return [answer, this](ProgramRun& r) {
            r.t.presenter.answers = {answer};
            r.dialogs.savePaths = {(scratch / "x.pat").string()};
            r.files.MayExit();
        };
    };
    const Ending endings[] = {
        {"Close, not saved", closing(AnswerNo), false},
        {"exit, not saved", exiting(AnswerNo), false},
        {"exit, saved", exiting(AnswerYes), false},
        {"exit cancelled", exiting(AnswerCancel), true},
        {"crash", [](ProgramRun&) {}, true},
    };
    for (const Ending& ending : endings) {
        std::string file;
        {
            ProgramRun run(Folder());
            run.files.NewPattern(false);
            run.DrawAt(t0, 100);
            run.TickAndWait(t0 + 30s);
            file = run.autosave.File();
            ASSERT_TRUE(fs::exists(file)) << ending.name;
            ending.end(run);
            run.autosave.Notice(t0 + 31s);
        }
        EXPECT_EQ(fs::exists(file), ending.kept) << ending.name;
        EXPECT_EQ(ListRecoveryFolder(Folder().string()).recoverable.size(), ending.kept ? 1u : 0u) << ending.name;
        fs::remove_all(Folder());
    }
}

TEST_F(RecoveryTest, RecoveredPatternOpensUnsavedUnderItsOriginalsName) {
    const fs::path rose = scratch / "rose.pat";
    const std::string kept = CrashAfterChangesTo(rose);
    const Lines autosaved = LinesIn(kept);

    ProgramRun next(Folder());
    std::vector<std::string> offered;
    next.autosave.OfferRecovery([&](const std::vector<RecoveryFile>& files) {
        for (const RecoveryFile& f : files) offered.push_back(f.original + " " + RecoveryTitle(f));
        return RecoveryAnswer{0, RecoveryChoice::Recover};
    });
    EXPECT_EQ(offered, std::vector<std::string>{rose.string() + " rose"});
    ASSERT_TRUE(next.files.PatternOpen());
    EXPECT_EQ(next.ws.surface.Caption, "rose");
    EXPECT_EQ(next.t->file.document.patternPath, rose.string());
    EXPECT_TRUE(next.ws.store.PatternChanged());
    EXPECT_EQ(next.ws.store.OutLine.VisibleCount(), 3);
    EXPECT_EQ(LinesIn(rose.string()).size(), 1u) << "the original is as the user left it";

    // Nothing new to write; saving goes to the original, and the kept copy goes.
    next.autosave.Notice(t0);
    next.TickAndWait(t0 + 1h);
    EXPECT_EQ(next.autosave.File(), kept);
    ASSERT_TRUE(next.files.SavePatternCommand(false));
    EXPECT_TRUE(next.dialogs.saveFolders.empty());
    EXPECT_EQ(LinesIn(rose.string()), autosaved);
    next.autosave.Notice(t0 + 1h);
    EXPECT_TRUE(fs::is_empty(Folder()));
}

TEST_F(RecoveryTest, ForeignAndBrokenFilesAreReportedAndLeftAlone) {
    const fs::path f = Folder();
    const std::string good = CrashAfterChangesTo(scratch / "good.pat");
    const std::string origin = ReadFileBytes(fs::path(good).replace_extension(".origin"));
    fs::create_directories(f / "sub");
    WriteFileBytes(f / "notes.txt", "mine");
    WriteFileBytes(f / "lonely.pat", ReadFileBytes(good));
    WriteFileBytes(f / "odd.pat", ReadFileBytes(good));
    WriteFileBytes(f / "odd.origin", "Tessary recovery\noriginal=\\q\n");
    WriteFileBytes(f / "stray.origin", origin);
    WriteFileBytes(f / "damaged.pat", "Tessary but not a pattern");
    WriteFileBytes(f / "damaged.origin", origin);
    WriteFileBytes(f / ".good.pat.aB12cd", "an unfinished write");
    fs::create_symlink(good, f / "link.pat");
    const auto before = Contents(f);

    ProgramRun next(f);
    std::vector<std::size_t> offered;
    next.autosave.OfferRecovery([&](const std::vector<RecoveryFile>& files) {
        offered.push_back(files.size());
        const bool damagedFirst = files.size() == 2;
        return RecoveryAnswer{damagedFirst && files[1].pattern == (f / "damaged.pat").string() ? 1u : 0u,
                              damagedFirst ? RecoveryChoice::Recover : RecoveryChoice::Later};
    });
    EXPECT_EQ(offered, (std::vector<std::size_t>{2, 1}));
    EXPECT_FALSE(next.files.PatternOpen());
    ASSERT_EQ(next.t.presenter.shown.size(), 2u);
    const std::string& left = next.t.presenter.shown[0].text;
    for (const char* name : {"link.pat", "lonely.pat", "notes.txt", "odd.pat", "stray.origin", "sub"}) {
        EXPECT_NE(left.find(name), std::string::npos) << name;
    }
    for (const char* name : {"good", "damaged", ".good"}) EXPECT_EQ(left.find(name), std::string::npos) << name;
    EXPECT_EQ(next.t.presenter.shown[1].text.rfind("The selected file could not be loaded.", 0), 0u);
    EXPECT_EQ(Contents(f), before);
}

TEST_F(RecoveryTest, DiscardIsAskedFirstAndRemovesOnlyThatPattern) {
    const std::string first = CrashAfterChangesTo(scratch / "a.pat");
    const std::string second = CrashAfterChangesTo(scratch / "b.pat");
    ProgramRun next(Folder());
    next.t.presenter.answers = {AnswerNo, AnswerYes};
    std::vector<std::size_t> offered;
    next.autosave.OfferRecovery([&](const std::vector<RecoveryFile>& files) {
        offered.push_back(files.size());
        const auto b = std::find_if(files.begin(), files.end(), [](const auto& r) { return RecoveryTitle(r) == "b"; });
        if (b == files.end()) return RecoveryAnswer{0, RecoveryChoice::Later};
        return RecoveryAnswer{static_cast<std::size_t>(b - files.begin()), RecoveryChoice::Discard};
    });
    EXPECT_EQ(offered, (std::vector<std::size_t>{2, 2, 1}));
    EXPECT_FALSE(fs::exists(second));
    EXPECT_FALSE(fs::exists(fs::path(second).replace_extension(".origin")));
    EXPECT_TRUE(fs::exists(first));
}

TEST_F(RecoveryTest, AFailureIsToldOnceAndRetriedQuietly) {
    WriteFileBytes(Folder(), "a file where the folder should be");
    ProgramRun run(Folder());
    run.files.NewPattern(false);
    run.DrawAt(t0, 100);
    run.autosave.Tick(t0 + 30s, false);
    run.autosave.Wait(t0 + 30s, true);
    EXPECT_TRUE(run.t.presenter.shown.empty()) << "not in the middle of a gesture";
    run.autosave.Tick(t0 + 31s, false);
    ASSERT_EQ(run.t.presenter.shown.size(), 1u);
    EXPECT_NE(run.t.presenter.shown[0].text.find(Folder().string()), std::string::npos);
    run.TickAndWait(t0 + 60s);
    EXPECT_EQ(run.t.presenter.shown.size(), 1u);

    fs::remove(Folder());
    run.TickAndWait(t0 + 90s);
    ASSERT_TRUE(fs::exists(run.autosave.File()));
    // A new failure after a success is news again.
    fs::remove(run.autosave.File());
    fs::create_directory(run.autosave.File());
    run.DrawAt(t0 + 100s, 200);
    run.TickAndWait(t0 + 130s);
    run.TickAndWait(t0 + 160s);
    EXPECT_EQ(run.t.presenter.shown.size(), 2u);
}

TEST_F(RecoveryTest, NeverWritesOverOrRemovesWhatItDidNotWrite) {
    fs::create_directories(Folder());
    WriteFileBytes(Folder() / "New.pat", "an earlier run's");
    WriteFileBytes(Folder() / "New.origin", "Tessary recovery\noriginal=\n");
    const auto before = Contents(Folder());
    ProgramRun run(Folder());
    run.files.NewPattern(false);
    run.DrawAt(t0, 100);
    run.TickAndWait(t0 + 30s);
    EXPECT_EQ(fs::path(run.autosave.File()).filename(), "New-2.pat");

    // The user saves over this run's file: it is theirs from then on.
    const std::string own = run.autosave.File();
    ASSERT_TRUE(run.SaveAs(own));
    run.autosave.Notice(t0 + 31s);
    run.t.presenter.answers = {AnswerNo};
    run.files.ClosePattern();
    run.autosave.Notice(t0 + 32s);
    EXPECT_EQ(LinesIn(own).size(), 1u);
    EXPECT_FALSE(fs::exists(fs::path(own).replace_extension(".origin")));
    fs::remove(own);
    EXPECT_EQ(Contents(Folder()), before);
}

TEST(RecoveryRules, FolderFromTheEnvironment) {
    const struct {
        const char* state;
        const char* home;
        std::string folder;
    } cases[] = {
        {"/s", "/h", "/s/Tessary/recovery"},
        {nullptr, "/h", "/h/.local/state/Tessary/recovery"},
        {"", "/h", "/h/.local/state/Tessary/recovery"},
        {"relative/state", "/h", "/h/.local/state/Tessary/recovery"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecoveryFolder(c.state, c.home), c.folder) << (c.state ? c.state : "-") << (c.home ? c.home : "-");
    }
}

TEST(RecoveryRules, IntervalFromTheSettings) {
    const std::pair<const char*, long> cases[] = {
        {nullptr, 30}, {"1", 1}, {"0", 0}, {"-5", 30}, {"ten", 30}, {"1.5", 30}, {"99999999999", 86400}};
    for (const auto& [text, seconds] : cases) {
        test::FakeSettings settings;
        if (text) settings.Write(kRecoverySection, kAutosaveKey, text);
        EXPECT_EQ(AutosaveInterval(settings).count(), seconds) << (text ? text : "(none)");
    }
}

TEST_F(RecoveryTest, TheOriginalsPathSurvivesAnySpelling) {
    const fs::path odd = scratch / "we\\ird\nname.pat";
    const fs::path previous = fs::current_path();
    fs::current_path(scratch.path());
    {
        ProgramRun run(Folder());
        run.files.NewPattern(false);
        run.Draw(100);
        ASSERT_TRUE(run.SaveAs(odd.filename()));
        run.DrawAt(t0, 200);
        run.TickAndWait(t0 + 30s);
    }
    fs::current_path(previous);
    // A name as long as a file's may be, without an extension to give way.
    std::string longName;
    while (longName.size() < 254) longName += "\xC3\xA9";
    fs::copy_file(odd, scratch / longName);
    {
        ProgramRun run(Folder());
        run.files.OpenPatternCommand((scratch / longName).string());
        run.DrawAt(t0, 200);
        run.TickAndWait(t0 + 30s);
        EXPECT_TRUE(run.t.presenter.shown.empty());
    }
    auto contents = ListRecoveryFolder(Folder().string());
    std::sort(contents.recoverable.begin(), contents.recoverable.end(),
              [](const auto& a, const auto& b) { return a.original < b.original; });
    ASSERT_EQ(contents.recoverable.size(), 2u);
    EXPECT_EQ(contents.recoverable[0].original, odd.string());
    EXPECT_EQ(contents.recoverable[1].original, (scratch / longName).string());
    EXPECT_TRUE(contents.unusable.empty());
}

}  // namespace
}  // namespace tessary
