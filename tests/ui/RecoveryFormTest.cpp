#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "ui/shell/RecoveryForm.h"

namespace tessary {
namespace {

TEST(RecoveryFormTest, NamesEachPatternAndEveryChoiceIsAKeyAway) {
    const std::vector<RecoveryFile> files = {{"/state/rose.pat", "/home/me/rose.pat", {}}, {"/state/New.pat", "", {}}};
    const struct {
        const char* name;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        std::size_t index;
        RecoveryChoice choice;
    } cases[] = {
        {"Return", {{Qt::Key_Return, Qt::NoModifier}}, 0, RecoveryChoice::Recover},
        {"Down, Alt+D", {{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_D, Qt::AltModifier}}, 1, RecoveryChoice::Discard},
        {"Down, Alt+R", {{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_R, Qt::AltModifier}}, 1, RecoveryChoice::Recover},
        {"Alt+L", {{Qt::Key_L, Qt::AltModifier}}, 0, RecoveryChoice::Later},
        {"Escape", {{Qt::Key_Escape, Qt::NoModifier}}, 0, RecoveryChoice::Later},
    };
    for (const auto& c : cases) {
        RecoveryForm form(files, nullptr);
        const auto* list = form.findChild<QTreeWidget*>(QStringLiteral("RecoveryList"));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(0), "rose");
        EXPECT_EQ(list->topLevelItem(0)->text(2), "/home/me/rose.pat");
        EXPECT_EQ(list->topLevelItem(1)->text(0), "New");
        EXPECT_EQ(list->topLevelItem(1)->text(2), "never saved");
        QTimer::singleShot(0, &form, [&form, &c] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form)) << c.name;
            for (const auto& [key, modifiers] : c.keys) QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        });
        const RecoveryAnswer answer = form.Ask();
        EXPECT_EQ(answer.choice, c.choice) << c.name;
        if (c.choice != RecoveryChoice::Later) {
            EXPECT_EQ(answer.index, c.index) << c.name;
        }
    }
}

}  // namespace
}  // namespace tessary
