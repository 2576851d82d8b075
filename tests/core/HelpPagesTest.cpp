#include <gtest/gtest.h>

#include "core/shell/HelpPages.h"

namespace tessary {
namespace {

TEST(HelpPages, GuidePagesStayInTheProgramWebPagesGoToTheBrowserAndNothingElseRuns) {
    const struct { const char* address; PageViewer viewer; } cases[] = {
        {"qrc:/help/index.html#faq", PageViewer::HelpWindow},
        {"QRC:/help/index.html", PageViewer::HelpWindow},
        {"https://example.org/faq.html", PageViewer::Browser},
        {"HTTP://example.org/", PageViewer::Browser},
        {"file:///usr/share/doc/tessary/index.html", PageViewer::Browser},
        {"", PageViewer::None},
        {"example.org/faq", PageViewer::None},
        {"/usr/share/doc/tessary/index.html", PageViewer::None},
        {"javascript:alert(1)", PageViewer::None},
        {"mailto:someone@example.org", PageViewer::None},
        {"smb://server/share", PageViewer::None},
        {" https://example.org/", PageViewer::None},
        {"ht tp://example.org/", PageViewer::None},
        {"https", PageViewer::None},
    };
    for (const auto& c : cases) EXPECT_EQ(ViewerFor(c.address), c.viewer) << c.address;
}

}  // namespace
}  // namespace tessary
