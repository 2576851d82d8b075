#pragma once

namespace tessary {

// The keys the program reacts to, by the codes the windows report them with.
enum KeyCode : int {
    KeyBackspace = 8,
    KeyEnter = 13,
    KeyEscape = 27,
    KeyPlus = 43,
    KeyDelete = 46,
    KeyDecimal = 110,  // the keypad's decimal point
};

}  // namespace tessary
