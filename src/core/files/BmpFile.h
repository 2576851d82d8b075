#pragma once

namespace tessary {

class RasterSurface;

// Writes the surface as a 24-bit BMP to an open file, one row at a time so
// no second copy of the picture is ever held. False when any write fails
// or the picture is too large for the format.
bool WriteBmp(int fd, const RasterSurface& surface);

}  // namespace tessary
