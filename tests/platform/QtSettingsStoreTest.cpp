#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "core/files/PatternOptions.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/platform/StandardFolders.h"

namespace tessary {
namespace {

// Settings and folders live under a private HOME and XDG_CONFIG_HOME: the
// user's own settings are never touched.
class QtPlatformTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        setenv("HOME", home_.path().toLocal8Bit().constData(), 1);
        setenv("XDG_CONFIG_HOME", home_.filePath("config").toLocal8Bit().constData(), 1);
        setenv("XDG_CACHE_HOME", home_.filePath("cache").toLocal8Bit().constData(), 1);
        unsetenv("XDG_DOCUMENTS_DIR");
    }
    QTemporaryDir home_;
};

TEST_F(QtPlatformTest, SettingsLiveInTheUsersTessaryStoreAsText) {
    {
        QtSettingsStore store;
        EXPECT_FALSE(store.Read("Pattern", "DefWidth").has_value());
        PatternOptions options;
        options.DimensionWidth = 0.1f;
        options.BandW = false;
        options.PenSizeText = "\xC2\xBD in";
        StoreOptions(options, store);
    }
    QFile file(home_.filePath("config/Tessary/Tessary.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("[Pattern]"));
    EXPECT_TRUE(text.contains("BandW=False"));

    QtSettingsStore again;
    PatternOptions restored;
    RestoreOptions(restored, again);
    EXPECT_EQ(restored.DimensionWidth, 0.1f);
    EXPECT_FALSE(restored.BandW);
    EXPECT_EQ(restored.PenSizeText, "\xC2\xBD in");
}

TEST_F(QtPlatformTest, AStoreThatCannotBeWrittenSaysSoAndRecovers) {
    QtSettingsStore store;
    const QString file = QString::fromStdString(store.Location());
    EXPECT_TRUE(file.endsWith(QStringLiteral("/Tessary/Tessary.conf"))) << file.toStdString();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));  // a folder where the file belongs
    store.Write("DisplaySetup", "SizeMonitor", "3");
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(store.Read("DisplaySetup", "SizeMonitor"), "3");

    ASSERT_TRUE(QDir().rmdir(file));
    store.Write("DisplaySetup", "SizeMonitor", "4");
    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(QtSettingsStore().Read("DisplaySetup", "SizeMonitor"), "4");
}

TEST_F(QtPlatformTest, DefaultFoldersAreTheUsersOwn) {
    const DefaultFolders folders = StandardFolders();
    const std::string home = home_.path().toStdString();
    EXPECT_EQ(folders.patterns, home + "/Documents/Patterns");
    EXPECT_EQ(folders.pictures, home + "/Documents/Patterns/Pictures");
    EXPECT_EQ(folders.temporary, home + "/cache/Tessary");
}

}  // namespace
}  // namespace tessary
