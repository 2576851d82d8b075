#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/print/PdfCheck.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

// A small PDF laid out as the PDF writer lays it out: objects, a
// cross-reference table of 20-byte entries, the trailer, the table's offset.
std::string WholePdf() {
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::string entries = "0000000000 65535 f \n";
    for (int n = 1; n <= 3; ++n) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        entries += entry;
        pdf += std::to_string(n) + " 0 obj\n<< /Length 40 >>\nstream\n" + std::string(40, 'x') + "\nendstream\nendobj\n";
    }
    const std::size_t table = pdf.size();
    pdf += "xref\n0 4\n" + entries + "trailer\n<<\n/Size 4\n/Root 1 0 R\n>>\nstartxref\n" + std::to_string(table) +
           " \n%%EOF\n";
    return pdf;
}

TEST(PdfCheck, OnlyAWholeFileIsTakenAsWritten) {
    const std::string whole = WholePdf();
    const auto table = whole.find("xref\n");
    const struct { const char* what; std::function<std::string()> bytes; bool whole; } cases[] = {
        {"whole", [&] { return whole; }, true},
        {"empty", [] { return std::string(); }, false},
        {"not a PDF", [&] { return "%PNG" + whole.substr(4); }, false},
        {"tail cut off", [&] { return whole.substr(0, whole.size() - 8); }, false},
        {"cut in the table", [&] { return whole.substr(0, table + 30); }, false},
        {"bytes lost before the table", [&] { return whole.substr(0, 100) + whole.substr(116); }, false},
        {"an entry lost from the table", [&] { return whole.substr(0, table + 29) + whole.substr(table + 49); }, false},
        {"offset past the end", [&] { return whole.substr(0, whole.rfind("startxref")) + "startxref\n99999 \n%%EOF\n"; }, false},
    };
    test::ScratchFolder folder;
    const auto path = (folder / "print.pdf").string();
    for (const auto& c : cases) {
        test::WriteFileBytes(path, c.bytes());
        EXPECT_EQ(PdfWrittenWhole(path), c.whole) << c.what;
    }
    EXPECT_FALSE(PdfWrittenWhole((folder / "none.pdf").string()));
}

}  // namespace
}  // namespace tessary
