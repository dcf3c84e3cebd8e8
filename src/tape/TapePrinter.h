#pragma once

#include "platform/FileOps.h"
#include "platform/Platform.h"
#include "tape/Tape.h"

namespace sumwise {

// Prints the whole tape like a paper roll laid out on sheets: a header with the date and time
// and a rule, then the lines right-aligned in four columns a page, lines holding a minus sign
// in red. A line's note prints left of it in its column, over as many rows as it needs. With
// no printer the same pages are saved as a PDF in the documents folder, and the user is told
// where, or why they are not.
void PrintTape(const Tape& tape, Dialogs& dialogs, DesktopServices& desktop, WindowHost& window,
               FileOps& files);
inline void PrintTape(const Tape& tape, Platform& platform, FileOps& files) {
    PrintTape(tape, platform, platform, platform, files);
}

// The same pages into a PDF file at path, on the locale's paper, replacing the file whole or
// leaving it as it was. True when the file was written; otherwise the user has been told why.
bool PrintTapeToPdf(const Tape& tape, const std::string& path, Dialogs& dialogs,
                    DesktopServices& desktop, WindowHost& window, FileOps& files);
inline bool PrintTapeToPdf(const Tape& tape, const std::string& path, Platform& platform,
                           FileOps& files) {
    return PrintTapeToPdf(tape, path, platform, platform, platform, files);
}

} // namespace sumwise
