#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sumwise::app {

// What the program was asked to do by its arguments, worked out before any window exists so
// that --help and --version answer without a display.
struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    // The tape file to open at start, as given; empty for none.
    std::string tapeFile;
    // For Refuse: the one line that says why, without the program's name.
    std::string problem;
    // The toolkit's own options with their values (-platform xcb, -session id, ...), in
    // their order, for the toolkit to read; everything else stays away from it.
    std::vector<std::string> toolkitArguments;
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The texts of --help and --version, each ending in a line break.
std::string HelpText();
std::string VersionText();

// Answers a Help, Version or Refuse command line on out or err and returns the exit status
// (0, or 2 for a refused command line).
int AnswerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err);

// The tape file's path made absolute against folder (the current folder at start), so that
// it names the same file whatever the program does with its current folder later.
std::string TapeFilePath(const std::string& given, const std::string& folder);

} // namespace sumwise::app
