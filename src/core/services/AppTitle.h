#pragma once

namespace tessary {

// The product name: the main window's caption, every message box's caption
// and the application name in the settings store.
inline constexpr const char* kAppTitle = "Tessary";

}  // namespace tessary
