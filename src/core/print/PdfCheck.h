#pragma once

#include <string>

namespace tessary {

// True when the PDF file at path ends as a whole PDF does and its
// cross-reference table lies exactly where the file says it starts. A write
// lost on a full disk shifts or cuts off that table, and the PDF writer
// itself does not report it.
bool PdfWrittenWhole(const std::string& path);

}  // namespace tessary
