#pragma once

#include <string>

#include "core/files/BitmapExport.h"

namespace tessary {

class Session;

// The exports painted by Qt. Both draw the pattern store, which must be at
// normal size (its coordinates twips of the true-size pattern), write
// beside path and move the file there when whole, and refuse to write over
// the open pattern's file. False, after saying why, when nothing was written.

// A PNG of dpi dots per inch, drawn as the bitmap file is drawn, whose
// resolution in the file gives the pattern's true size.
bool ExportPng(Session& session, int dpi, const std::string& path);
// One PDF page the size of the pattern, drawn as a print in vector mode
// draws it, for plotters and print shops.
bool ExportPdf(Session& session, const std::string& path);

}  // namespace tessary
