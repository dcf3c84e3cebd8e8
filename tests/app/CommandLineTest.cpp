#include "CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/AppIdentity.h"

namespace sumwise::app {
namespace {

using Action = CommandLine::Action;

struct ParseCase {
    std::vector<std::string> arguments;
    Action action;
    std::string tapeFile;
    std::string problem;
    std::vector<std::string> toolkitArguments;
};

TEST(CommandLineTest, ReadsTheArguments) {
    const std::vector<ParseCase> cases = {
        {{}, Action::Run, "", "", {}},
        {{"a.tape"}, Action::Run, "a.tape", "", {}},
        {{"--help"}, Action::Help, "", "", {}},
        {{"-h"}, Action::Help, "", "", {}},
        {{"--version"}, Action::Version, "", "", {}},
        // The first of --help, --version or a bad option decides.
        {{"a.tape", "b.tape", "--help"}, Action::Help, "", "", {}},
        {{"--version", "--foo"}, Action::Version, "", "", {}},
        {{"--foo", "--help"}, Action::Refuse, "", "unknown option '--foo'", {}},
        {{"-x", "a.tape"}, Action::Refuse, "", "unknown option '-x'", {}},
        {{"-hv"}, Action::Refuse, "", "unknown option '-hv'", {}},
        {{"--help=yes"}, Action::Refuse, "", "unknown option '--help=yes'", {}},
        {{"a.tape", "b.tape"}, Action::Refuse, "", "only one tape file can be opened", {}},
        {{""}, Action::Refuse, "", "the tape file's name is empty", {}},
        // "--" ends the options; a lone "-" is a name.
        {{"--", "-x.tape"}, Action::Run, "-x.tape", "", {}},
        {{"--", "--help"}, Action::Run, "--help", "", {}},
        {{"--", "a.tape", "--"}, Action::Refuse, "", "only one tape file can be opened", {}},
        {{"-"}, Action::Run, "-", "", {}},
        // Qt's options go to Qt with their values, which are never taken for the file.
        {{"-platform", "offscreen", "a.tape"},
         Action::Run,
         "a.tape",
         "",
         {"-platform", "offscreen"}},
        {{"-session", "10ab_1", "-reverse"},
         Action::Run,
         "",
         "",
         {"-session", "10ab_1", "-reverse"}},
        {{"a.tape", "-style=fusion"}, Action::Run, "a.tape", "", {"-style=fusion"}},
        {{"-platform"}, Action::Refuse, "", "option '-platform' needs a value", {}},
        {{"-platform=xcb"}, Action::Refuse, "", "unknown option '-platform=xcb'", {}},
        {{"--platform", "xcb"}, Action::Refuse, "", "unknown option '--platform'", {}},
        {{"-style="}, Action::Refuse, "", "unknown option '-style='", {}},
    };
    for (const ParseCase& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments) {
            shown += "[" + argument + "] ";
        }
        SCOPED_TRACE(shown);
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.tapeFile, c.tapeFile);
        EXPECT_EQ(line.problem, c.problem);
        EXPECT_EQ(line.toolkitArguments, c.toolkitArguments);
    }
}

struct AnswerCase {
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
};

TEST(CommandLineTest, AnswersOnTheRightStreamWithTheRightStatus) {
    const std::string tryHelp = "Try 'sumwise --help'.\n";
    const std::vector<AnswerCase> cases = {
        {{"--version"}, 0, std::string("sumwise ") + kAppVersion + "\n", ""},
        {{"--help"}, 0, HelpText(), ""},
        {{"--foo"}, 2, "", "sumwise: unknown option '--foo'\n" + tryHelp},
        {{"a", "b"}, 2, "", "sumwise: only one tape file can be opened\n" + tryHelp},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(AnswerCommandLine(ParseCommandLine(c.arguments), out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
}

TEST(CommandLineTest, HelpFitsOneScreenAndNamesWhatItShould) {
    const std::string help = HelpText();
    std::istringstream lines(help);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_LE(line.size(), 80U) << line;
    }
    EXPECT_LE(count, 24);
    for (const char* part :
         {"Usage: sumwise [OPTION]... [FILE]", "A printing adding machine with a calculation tape.",
          ".tape", "--help", "--version", "~/.config/sumwise"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}

TEST(CommandLineTest, TapeFilePathIsAbsolute) {
    const std::vector<std::vector<std::string>> cases = {
        // given, current folder, path
        {"a.tape", "/home/u", "/home/u/a.tape"},
        {"./a.tape", "/home/u", "/home/u/a.tape"},
        {"sub/./a.tape", "/home/u/", "/home/u/sub/a.tape"},
        {"../a.tape", "/home/u", "/home/u/../a.tape"},
        {"/tmp/a.tape", "/home/u", "/tmp/a.tape"},
        {"-", "/", "/-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TapeFilePath(c[0], c[1]), c[2]) << c[0] << " in " << c[1];
    }
}

} // namespace
} // namespace sumwise::app
