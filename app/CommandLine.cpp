#include "CommandLine.h"

#include <array>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <utility>

#include "platform/AppIdentity.h"

namespace sumwise::app {

namespace {

// Qt's own options. They stay accepted so that a restarted session (-session) and the
// usual toolkit switches keep working; Qt reads them, this program does not.
struct ToolkitOption {
    std::string_view name;
    bool takesValue;
    bool takesJoinedValue; // also "-style=fusion"
};
constexpr std::array<ToolkitOption, 14> kToolkitOptions{{
    {"-display", true, false},
    {"-geometry", true, false},
    {"-platform", true, false},
    {"-platformpluginpath", true, false},
    {"-platformtheme", true, false},
    {"-plugin", true, false},
    {"-qwindowgeometry", true, false},
    {"-qwindowicon", true, false},
    {"-qwindowtitle", true, false},
    {"-reverse", false, false},
    {"-session", true, false},
    {"-style", true, true},
    {"-stylesheet", true, true},
    {"-widgetcount", false, false},
}};

struct ToolkitMatch {
    const ToolkitOption* option = nullptr;
    bool valueJoined = false;
};

ToolkitMatch FindToolkitOption(std::string_view argument) {
    for (const ToolkitOption& option : kToolkitOptions) {
        if (argument == option.name) {
            return {&option, false};
        }
        if (option.takesJoinedValue && argument.size() > option.name.size() + 1 &&
            argument.substr(0, option.name.size()) == option.name &&
            argument[option.name.size()] == '=') {
            return {&option, true};
        }
    }
    return {};
}

CommandLine Refused(std::string problem) {
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.problem = std::move(problem);
    return line;
}

CommandLine Answering(CommandLine::Action action) {
    CommandLine line;
    line.action = action;
    return line;
}

bool IsOption(const std::string& argument) {
    return argument.size() > 1 && argument.front() == '-'; // a lone "-" is a file name
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !IsOption(argument)) {
            files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return Answering(CommandLine::Action::Help);
        } else if (argument == "--version") {
            return Answering(CommandLine::Action::Version);
        } else {
            const ToolkitMatch match = FindToolkitOption(argument);
            if (match.option == nullptr) {
                return Refused("unknown option '" + argument + "'");
            }
            line.toolkitArguments.push_back(argument);
            if (match.option->takesValue && !match.valueJoined) {
                if (i + 1 == arguments.size()) {
                    return Refused("option '" + argument + "' needs a value");
                }
                line.toolkitArguments.push_back(arguments[++i]);
            }
        }
    }
    if (files.size() > 1) {
        return Refused("only one tape file can be opened");
    }
    if (!files.empty()) {
        if (files.front().empty()) {
            return Refused("the tape file's name is empty");
        }
        line.tapeFile = files.front();
    }
    return line;
}

std::string HelpText() {
    return "Usage: sumwise [OPTION]... [FILE]\n"
           "A printing adding machine with a calculation tape.\n"
           "\n"
           "  FILE           a tape file (.tape) to open at start\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "      --         end the options: what follows is the FILE, even when it\n"
           "                 begins with '-'\n"
           "\n"
           "Qt's usual options (-platform, -style, -session, ...) are passed on to Qt.\n"
           "\n"
           "The settings and the error log are kept in the program's folder when it is\n"
           "writable, else in ~/.config/sumwise (or $XDG_CONFIG_HOME/sumwise).\n"
           "\n"
           "Exit status: 0 normally, 1 without a graphical display, 2 for a command line\n"
           "that cannot be used.\n";
}

std::string VersionText() {
    return std::string("sumwise ") + kAppVersion + "\n";
}

int AnswerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err) {
    switch (line.action) {
    case CommandLine::Action::Help:
        out << HelpText() << std::flush;
        return 0;
    case CommandLine::Action::Version:
        out << VersionText() << std::flush;
        return 0;
    case CommandLine::Action::Refuse:
        err << "sumwise: " << line.problem << "\nTry 'sumwise --help'.\n" << std::flush;
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    return 0;
}

std::string TapeFilePath(const std::string& given, const std::string& folder) {
    const std::filesystem::path joined = std::filesystem::path(folder) / given;
    // "." parts only clutter the name the file is shown under; ".." stays, since after a
    // symbolic link it does not simply undo the part before it.
    std::filesystem::path path;
    for (const std::filesystem::path& part : joined) {
        if (part != ".") {
            path /= part;
        }
    }
    return path.string();
}

} // namespace sumwise::app
