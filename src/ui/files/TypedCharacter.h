#pragma once

class QKeyEvent;

namespace tessary {

// The character a key press types, or 0 for keys that move, delete,
// navigate or run a shortcut: those are no entry and pass unfiltered.
int TypedCharacter(const QKeyEvent& event);

}  // namespace tessary
