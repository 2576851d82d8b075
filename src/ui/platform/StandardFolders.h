#pragma once

#include "core/files/DisplaySetup.h"

namespace tessary {

// Patterns and pictures under the user's documents folder; temporary files
// in the user's own cache folder, never a folder other users share.
DefaultFolders StandardFolders();

}  // namespace tessary
