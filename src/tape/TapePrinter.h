#pragma once

#include "platform/Platform.h"
#include "tape/Tape.h"

namespace sumwise {

// Prints the whole tape like a paper roll laid out on sheets: a dated header with a rule, then
// the lines right-aligned in four columns a page, lines holding a minus sign in red. A line's
// note prints left of it in its column, cut to the room there.
void PrintTape(const Tape& tape, Dialogs& dialogs, DesktopServices& desktop, WindowHost& window);
inline void PrintTape(const Tape& tape, Platform& platform) {
    PrintTape(tape, platform, platform, platform);
}

// The same pages into a PDF file at path, on the locale's paper. True when the file was
// written; otherwise the user has been told why.
bool PrintTapeToPdf(const Tape& tape, const std::string& path, Dialogs& dialogs,
                    DesktopServices& desktop, WindowHost& window);
inline bool PrintTapeToPdf(const Tape& tape, const std::string& path, Platform& platform) {
    return PrintTapeToPdf(tape, path, platform, platform, platform);
}

// "h:mm AM/PM": hour without a leading zero, two-digit minutes.
std::string PrintTimeText(const DateTime& when);

} // namespace sumwise
