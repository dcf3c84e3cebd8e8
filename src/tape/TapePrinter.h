#pragma once

#include "platform/Platform.h"
#include "tape/Tape.h"

namespace sumwise {

// Prints the whole tape like a paper roll laid out on sheets: a dated header with a rule, then
// the lines right-aligned in four columns a page, lines holding a minus sign in red.
void PrintTape(const Tape& tape, Dialogs& dialogs, DesktopServices& desktop, WindowHost& window);
inline void PrintTape(const Tape& tape, Platform& platform) {
    PrintTape(tape, platform, platform, platform);
}

// "h:mm AM/PM": hour without a leading zero, two-digit minutes.
std::string PrintTimeText(const DateTime& when);

} // namespace sumwise
