#pragma once

#include <string>

namespace tessary {

// True when the PDF file at path ends as a whole PDF does and its
// cross-reference table lies exactly where the file says it starts. A write
// lost on a full disk shifts or cuts off that table, and the PDF writer
// itself does not report it.
bool PdfWrittenWhole(const std::string& path);

// Writes the sheet's exact size, in points, over the page boxes of the PDF
// file at path that give it rounded to whole points (as Qt's PDF writer
// does: an A4 sheet is 595.28 by 841.89 points, not 595 by 842). Each box
// keeps its length, so no offset in the file moves. False when the file
// could not be read or written.
bool WriteExactPageSize(const std::string& path, double width, double height);

}  // namespace tessary
