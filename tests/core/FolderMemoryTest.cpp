#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/shell/FolderMemory.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

// Records where each dialog started and answers from a script.
class StartRecorder : public NoCommandDialogs {
public:
    std::optional<std::string> AskOpenPatternPath(const std::string& folder) override { return Answer("open", folder); }
    std::optional<std::string> AskSavePatternPath(const std::string& folder, const std::string&) override {
        return Answer("save", folder);
    }
    std::optional<std::string> AskPicturePath(const std::string& folder) override { return Answer("picture", folder); }
    std::optional<std::string> AskDrawingPath(const std::string& folder, DrawingFile) override {
        return Answer("drawing", folder);
    }

    std::vector<std::string> started;
    std::deque<std::optional<std::string>> answers;

private:
    std::optional<std::string> Answer(const std::string& what, const std::string& folder) {
        started.push_back(what + " " + folder);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FolderMemoryTest : public testing::Test {
protected:
    FolderMemoryTest() : root(fs::temp_directory_path() / ("folders-" + std::to_string(::getpid()))) {
        fs::remove_all(root);
        fs::create_directories(root / "elsewhere" / "deeper");
        defaults = {(root / "Documents" / "Patterns").string(), (root / "Documents" / "Patterns" / "Pictures").string(),
                    (root / "cache").string()};
    }
    ~FolderMemoryTest() override { fs::remove_all(root); }

    fs::path root;
    DefaultFolders defaults;
    StartRecorder dialogs;
    test::FakeSettings settings;
};

TEST_F(FolderMemoryTest, TheOfferedFoldersAreMadeOnFirstUseAndTheUsersOwnAreLeftAlone) {
    FolderMemory folders(dialogs, settings, defaults);
    folders.AskOpenPatternPath(defaults.patterns);
    EXPECT_TRUE(fs::is_directory(defaults.patterns));
    EXPECT_EQ(dialogs.started.back(), "open " + defaults.patterns);
    folders.AskPicturePath(defaults.pictures);
    EXPECT_TRUE(fs::is_directory(defaults.pictures));

    const std::string own = (root / "mine").string();
    folders.AskOpenPatternPath(own);
    EXPECT_FALSE(fs::exists(own));
    EXPECT_EQ(dialogs.started.back(), "open " + own);
}

TEST_F(FolderMemoryTest, EachKindStartsWhereItWasLastChosenUntilThatFolderOrTheSetupChanges) {
    const std::string deeper = (root / "elsewhere" / "deeper").string();
    {
        FolderMemory folders(dialogs, settings, defaults);
        dialogs.answers = {deeper + "/rose.pat"};
        folders.AskSavePatternPath(defaults.patterns, "");
        // A cancelled dialog remembers nothing.
        folders.AskDrawingPath(defaults.patterns, DrawingFile::Svg);
    }
    // In the next run too, patterns start there, both to open and to save;
    // the other kinds where they always did.
    FolderMemory folders(dialogs, settings, defaults);
    folders.AskOpenPatternPath(defaults.patterns);
    EXPECT_EQ(dialogs.started.back(), "open " + deeper);
    folders.AskSavePatternPath(defaults.patterns, "");
    EXPECT_EQ(dialogs.started.back(), "save " + deeper);
    folders.AskDrawingPath(defaults.patterns, DrawingFile::Svg);
    EXPECT_EQ(dialogs.started.back(), "drawing " + defaults.patterns);
    folders.AskPicturePath(defaults.pictures);
    EXPECT_EQ(dialogs.started.back(), "picture " + defaults.pictures);

    // A new pattern folder in the display setup is where patterns start now.
    const std::string chosen = (root / "elsewhere").string();
    folders.AskOpenPatternPath(chosen);
    EXPECT_EQ(dialogs.started.back(), "open " + chosen);
    // A folder that is gone is not offered.
    fs::remove_all(deeper);
    folders.AskOpenPatternPath(defaults.patterns);
    EXPECT_EQ(dialogs.started.back(), "open " + defaults.patterns);
}

}  // namespace
}  // namespace tessary
