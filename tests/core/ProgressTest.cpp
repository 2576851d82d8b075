#include <gtest/gtest.h>

#include <vector>

#include "core/services/Progress.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

struct Shown {
    Shown() { progress.SetDisplay(true); }
    test::FakeProgressWindow window;
    Progress progress{window};
};

TEST(Progress, BarStaysWithinItsRange) {
    const struct { int start, total; std::vector<int> steps; int minimum, maximum, last; } cases[] = {
        {0, 0, {}, 0, 1, 0},
        {0, 29, std::vector<int>(30, 1), 0, 29, 29},
        {5, 3, {1, 1}, 5, 6, 6},
        {10, 20, {4, -9}, 10, 20, 10},
        {0, 65534, {40000, 40000}, 0, 65534, 65534},
    };
    for (const auto& c : cases) {
        Shown s;
        s.progress.ProgressStart(c.start, c.total, "Erasing - Please wait...", false);
        EXPECT_EQ(s.window.headers, std::vector<std::string>{"Erasing - Please wait..."});
        EXPECT_TRUE(s.window.minimum == c.minimum && s.window.maximum == c.maximum) << c.total;
        for (int n : c.steps) EXPECT_TRUE(s.progress.ProgressStep(n));
        EXPECT_EQ(s.window.values.back(), c.last) << c.total;
        EXPECT_EQ(s.window.values.size(), c.steps.size() + 1);
        s.progress.ProgressEnd();
        EXPECT_FALSE(s.window.open);
    }
}

TEST(Progress, NothingIsShownWhileTheDisplayIsOff) {
    test::FakeProgressWindow window;
    Progress progress(window);
    progress.ProgressStart(0, 10, "Analyzing - Please wait...", true);
    EXPECT_FALSE(progress.ProgressStep(1));
    EXPECT_TRUE(!window.open && window.headers.empty() && window.values.empty());
}

TEST(Progress, CancelStopsTheNextStep) {
    Shown s;
    s.progress.ProgressStart(0, 10, "Analyzing - Please wait...", true);
    EXPECT_TRUE(s.window.cancelOffered);
    EXPECT_TRUE(s.progress.ProgressStep(1));
    const int pumps = s.window.pumps;
    s.window.cancelled = true;
    EXPECT_FALSE(s.progress.ProgressStep(1));
    EXPECT_FALSE(s.progress.ProgressStep(1));
    // Each step lets events run: that is how the Cancel click arrives.
    EXPECT_EQ(s.window.pumps, pumps + 2);
}

}  // namespace
}  // namespace tessary
