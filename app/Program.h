#pragma once

#include <functional>

class QWidget;

namespace sumwise::app {

// The whole program: reads the command line (--help and --version answer without a display),
// checks for a display, builds the window, opens the tape file named, and runs it to the end.
// Returns the exit status. beforeShow, when given, sees the main window just before it is shown
// (the start-up benchmark's probe watches it there).
int RunProgram(int argc, char* argv[], const std::function<void(QWidget&)>& beforeShow = {});

} // namespace sumwise::app
