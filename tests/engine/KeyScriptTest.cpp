// Runs the golden key scripts in tests/scripts: keys typed, then the expected display, labels,
// tape lines and messages. See tests/scripts/README.md for the format.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "form/CalcForm.h"
#include "number/NumberText.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"

namespace sumwise {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> ScriptNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(SUMWISE_SCRIPT_DIR)) {
        if (entry.path().extension() == ".txt") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// "quoted text" keeps its blanks; \r and \n stand for CR and LF.
std::string Argument(const std::string& rest) {
    std::string text = rest;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
            out.push_back(text[i + 1] == 'r' ? '\r' : '\n');
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

class KeyScript : public ::testing::TestWithParam<std::string> {
protected:
    void TypeKeys(const std::string& keys, int lineNo) {
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == ' ') {
                continue;
            }
            if (keys[i] == '[') {
                const size_t close = keys.find(']', i);
                ASSERT_NE(close, std::string::npos) << "line " << lineNo;
                // A key by its name in the command table, run as the keyboard runs it.
                const std::string name = keys.substr(i + 1, close - i - 1);
                const auto key = CommandNamed(name);
                ASSERT_TRUE(key) << "unknown key [" << name << "] line " << lineNo;
                form.KeyPress(*key);
                i = close;
                continue;
            }
            int code = static_cast<unsigned char>(keys[i]);
            form.CheckKeyPress(code);
            EXPECT_EQ(code, 0) << "character not consumed, line " << lineNo;
        }
    }

    // Each line, and a TAB and its note when it has one.
    std::vector<std::string> TapeLines() const {
        std::vector<std::string> lines;
        for (size_t i = 0; i < form.lstTape().Count(); ++i) {
            const std::string& note = form.lstTape().Note(i);
            lines.push_back(form.lstTape().Line(i) + (note.empty() ? "" : "\t" + note));
        }
        return lines;
    }

    // "option addmode", "option items", "option tax 19": turned on as the menus do.
    void TurnOn(const std::string& option) {
        if (option == "addmode") {
            form.Settings().mnuAddMode_Click();
        } else if (option == "items") {
            form.Settings().mnuItemCount_Click();
        } else if (option.starts_with("tax ")) {
            platform.inputAnswers = {option.substr(4)};
            form.Settings().mnuTaxRate_Click();
        } else {
            FAIL() << "unknown option '" << option << "'";
        }
    }

    // "margin sell=120 margin=20 use=cost": Edit > Margin and Markup, fields typed, a Use.
    void RunMarginDialog(const std::string& steps) {
        const std::string names[] = {"cost", "sell", "margin", "markup"};
        form.Keys().mnuMargin_Click();
        std::istringstream words(steps);
        for (std::string word; words >> word;) {
            const std::string name = word.substr(0, word.find('='));
            const std::string text = word.substr(name.size() + 1);
            const auto field = std::find(names, names + 4, name == "use" ? text : name) - names;
            ASSERT_LT(field, 4) << word;
            EXPECT_TRUE(name != "use" || form.Keys().UseMargin(static_cast<MarginField>(field)));
            if (name != "use") {
                form.Keys().Margin().Edit(static_cast<MarginField>(field), text);
            }
        }
    }

    // Every option turned on and off again before the script, which must then run as with
    // none ever touched.
    void ToggleEveryOption() {
        for (int i = 0; i < 2; ++i) {
            form.Settings().mnuAddMode_Click();
            form.Settings().mnuItemCount_Click();
        }
    }

    bool RunsScript(std::istream& in);

    testing::FakePlatform platform;
    testing::MemoryFiles files;
    CalcForm form{platform, &files};
    size_t messagesSeen = 0;
};

TEST_P(KeyScript, Runs) {
    std::ifstream in(fs::path(SUMWISE_SCRIPT_DIR) / (GetParam() + ".txt"));
    ASSERT_TRUE(in) << GetParam();
    RunsScript(in);
}

// The options only add: toggled on and off, they leave every script's outcome as it was.
TEST_P(KeyScript, RunsTheSameAfterTheOptionsWereTurnedOnAndOff) {
    std::ifstream in(fs::path(SUMWISE_SCRIPT_DIR) / (GetParam() + ".txt"));
    ASSERT_TRUE(in) << GetParam();
    ToggleEveryOption();
    RunsScript(in);
}

bool KeyScript::RunsScript(std::istream& in) {
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t blank = line.find(' ');
        const std::string word = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        SCOPED_TRACE(GetParam() + ".txt:" + std::to_string(lineNo));
        if (word == "places") {
            form.Keys().cboDecPlace_Click(std::stoi(rest));
        } else if (word == "option") {
            TurnOn(rest);
        } else if (word == "paste") {
            platform.clipboard = Argument(rest);
            form.Keys().mnuPaste_Click();
        } else if (word == "items") {
            EXPECT_EQ(form.Settings().lblItems(), Argument(rest));
        } else if (word == "margin") {
            RunMarginDialog(rest);
        } else if (word == "keys") {
            TypeKeys(rest, lineNo);
        } else if (word == "display") {
            EXPECT_EQ(form.Keys().lblResult(), Argument(rest));
        } else if (word == "operator") {
            EXPECT_EQ(form.Keys().lblOperator(), Argument(rest));
        } else if (word == "grand") {
            EXPECT_EQ(form.Keys().lblGrandTotal(), Argument(rest));
        } else if (word == "value") {
            EXPECT_EQ(form.Register().EntryValue(), *StrictNumber(rest));
        } else if (word == "state") {
            EXPECT_EQ(EntryStateText(form.Register().State()), Argument(rest));
        } else if (word == "message") {
            if (messagesSeen >= platform.Messages().size()) {
                ADD_FAILURE() << "no message box was shown";
                return false;
            }
            EXPECT_EQ(platform.Messages()[messagesSeen++].text, Argument(rest));
        } else if (word == "bank") {
            const size_t bank = std::stoul(rest.substr(0, 1));
            EXPECT_EQ(form.Banks().txtMem.at(bank), Argument(rest.substr(2)));
        } else if (word == "lines") {
            EXPECT_EQ(form.lstTape().Count(), std::stoul(rest));
        } else if (word == "tape" || word == "tail") {
            std::vector<std::string> expected;
            while (std::getline(in, line) && line != "end") {
                ++lineNo;
                expected.push_back(line);
            }
            ++lineNo;
            std::vector<std::string> actual = TapeLines();
            if (word == "tail" && actual.size() > expected.size()) {
                actual.erase(actual.begin(), actual.end() - static_cast<long>(expected.size()));
            }
            EXPECT_EQ(actual, expected);
        } else {
            ADD_FAILURE() << "unknown script word '" << word << "'";
            return false;
        }
    }
    for (size_t i = messagesSeen; i < platform.Messages().size(); ++i) {
        ADD_FAILURE() << "unexpected message box: " << platform.Messages()[i].text;
    }
    return true;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, KeyScript, ::testing::ValuesIn(ScriptNames()), [](const auto& info) {
        std::string name = info.param;
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

} // namespace
} // namespace sumwise
