// The command table: every name reaches its command, and every command its handler.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "engine/KeyCommand.h"
#include "engine/TapeMove.h"
#include "form/CalcForm.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"
#include "support/RecordingSurface.h"

namespace sumwise {
namespace {

TEST(KeyCommandTable, NamesCommandsAndCharactersAreEachOnce) {
    std::set<std::string_view> names;
    std::set<int> characters;
    for (const KeyCommandRow& row : KeyCommands()) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_TRUE(names.insert(row.name).second) << "name twice";
        EXPECT_EQ(CommandNamed(row.name), row.key);
        EXPECT_EQ(CommandName(row.key), row.name) << "command twice";
        if (row.character == 0) {
            continue;
        }
        EXPECT_TRUE(characters.insert(row.character).second) << "character twice";
        EXPECT_EQ(CommandForCharacter(row.character), row.key);
        if (std::isupper(row.character)) {
            EXPECT_EQ(CommandForCharacter(std::tolower(row.character)), row.key);
        }
    }
    EXPECT_EQ(CommandNamed("bank5"), std::nullopt);
    EXPECT_EQ(CommandNamed(""), std::nullopt);
    EXPECT_EQ(CommandForCharacter(0), std::nullopt);
    EXPECT_EQ(CommandForCharacter('a'), std::nullopt);
    EXPECT_EQ(CommandForCharacter(','), std::nullopt);
}

// A calculator with two fixed places, the tape shown and a page of two lines.
struct Keyed {
    Keyed() {
        platform.inputAnswers = {"Rent"};
        platform.printer = printed;
        form.Keys().cboDecPlace_Click(2);
        form.Settings().View().mnuTape = true;
        form.Document().SetTapePage(2);
        form.SetListener(&platform);
    }
    // Characters through the keyboard map, [name] through the command table.
    void Type(std::string_view keys) {
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == '[') {
                const size_t close = keys.find(']', i);
                const auto key = CommandNamed(keys.substr(i + 1, close - i - 1));
                ASSERT_TRUE(key) << keys;
                form.Execute(*key);
                i = close;
                continue;
            }
            int code = static_cast<unsigned char>(keys[i]);
            form.CheckKeyPress(code);
        }
    }

    std::shared_ptr<testing::RecordingSurface> printed =
        std::make_shared<testing::RecordingSurface>();
    testing::FakePlatform platform;
    testing::MemoryFiles files; // the options a tax rate is saved to
    CalcForm form{platform, &files};
};

struct RunCase {
    std::string_view name;
    std::string_view before; // keys typed first
    std::string_view after;  // keys typed after the command
    std::function<void(const CalcForm&, const testing::FakePlatform&)> check;
};

auto Shows(std::string expected) {
    return [expected](const CalcForm& f, const testing::FakePlatform&) {
        EXPECT_EQ(f.Keys().lblResult(), expected);
    };
}
auto Selects(int line) {
    return [line](const CalcForm& f, const testing::FakePlatform&) {
        EXPECT_EQ(f.lstTape().Selected(), line);
    };
}
auto SelectsBank(int bank) {
    return [bank](const CalcForm& f, const testing::FakePlatform&) {
        EXPECT_EQ(f.Banks().SelectedBank, bank);
    };
}
auto BankZero(std::string text) {
    return [text](const CalcForm& f, const testing::FakePlatform&) {
        EXPECT_EQ(f.Banks().txtMem[0], text);
    };
}

auto TaxedLine(std::string line, std::string note) {
    return [line, note](const CalcForm& f, const testing::FakePlatform& p) {
        EXPECT_EQ(f.lstTape().LastLine(), line);
        EXPECT_EQ(f.lstTape().Note(f.lstTape().Count() - 1), note);
        EXPECT_EQ(p.inputs.back().prompt, "Tax rate in percent (0 to 100):");
    };
}

// Six tape lines, the last selected, and a page of two lines.
constexpr std::string_view kTape = "1+2+3+4+5=";

const RunCase kRunCases[] = {
    {"0", "1", "", Shows("10.")},
    {"1", "1", "", Shows("11.")},
    {"2", "1", "", Shows("12.")},
    {"3", "1", "", Shows("13.")},
    {"4", "1", "", Shows("14.")},
    {"5", "1", "", Shows("15.")},
    {"6", "1", "", Shows("16.")},
    {"7", "1", "", Shows("17.")},
    {"8", "1", "", Shows("18.")},
    {"9", "1", "", Shows("19.")},
    {".", "1", "5", Shows("1.5")},
    {"bs", "12", "", Shows("1.")},
    {"ce", "12", "", Shows("0")},
    {"+/-", "12", "", Shows("-12.00")},
    {"/", "12", "4=", Shows("3.00")},
    {"+", "12", "4=", Shows("16.00")},
    {"*", "12", "4=", Shows("48.00")},
    {"-", "12", "4=", Shows("8.00")},
    {"=", "12+4", "", Shows("16.00")},
    {"enter", "12+4", "", Shows("16.00")},
    {"sqrt", "16", "", Shows("4.00")},
    {"%", "200+10", "", Shows("20.00")},
    {"1/x", "4", "", Shows("0.25")},
    {"c", "12+4", "5+1=", Shows("6.00")},
    {"esc", "12+4", "5+1=", Shows("6.00")},
    {"gt", "5+3=", "",
     [](const CalcForm& f, const testing::FakePlatform&) {
         EXPECT_EQ(f.lstTape().Line(3), "G 8.00");
     }},
    {"clear", "5+3=", "",
     [](const CalcForm& f, const testing::FakePlatform&) { EXPECT_EQ(f.lstTape().Count(), 0u); }},
    {"print", "5+3=", "",
     [](const CalcForm&, const testing::FakePlatform& p) {
         const auto& texts = static_cast<testing::RecordingSurface&>(*p.printer).texts;
         ASSERT_EQ(texts.size(), 4u); // the heading and three lines
         EXPECT_EQ(texts.back().text, "= 8.00");
     }},
    {"save", "", "",
     [](const CalcForm& f, const testing::FakePlatform& p) {
         EXPECT_EQ(p.hideCalls, 1);
         EXPECT_EQ(f.Keys().SaveTag(), "OK");
     }},
    {"close", "", "",
     [](const CalcForm&, const testing::FakePlatform& p) { EXPECT_EQ(p.closeCalls, 1); }},
    {"M+", "12", "", BankZero("12.00")},
    {"M-", "12", "", BankZero("-12.00")},
    {"MR", "12[M+]c5", "", Shows("12.00")},
    {"MC", "12[M+]", "", BankZero("0.00")},
    {"banks", "1[M+]c[bank1]2[M+]c4", "", Shows("3")},
    {"bank0", "[bank3]", "", SelectsBank(0)},
    {"bank1", "", "", SelectsBank(1)},
    {"bank2", "", "", SelectsBank(2)},
    {"bank3", "", "", SelectsBank(3)},
    {"bank4", "", "", SelectsBank(4)},
    {"account", "[bank2]", "",
     [](const CalcForm& f, const testing::FakePlatform&) {
         EXPECT_EQ(f.Banks().lblAccounts[2], "Rent");
     }},
    // The first tax key asks for the rate (answered 19 below); the next operator writes the
    // taxed amount with its note.
    {"tax+", "100", "+", TaxedLine("+ 119.00", "incl. 19% tax 19.00 on 100.00")},
    {"tax-", "119", "+", TaxedLine("+ 100.00", "excl. 19% tax 19.00 of 119.00")},
    {"up", kTape, "", Selects(4)},
    {"down", "1+2+3+4+5=[home]", "", Selects(1)},
    {"pageup", kTape, "", Selects(3)},
    {"pagedown", "1+2+3+4+5=[home]", "", Selects(2)},
    {"home", kTape, "", Selects(0)},
    {"end", "1+2+3+4+5=[home]", "", Selects(5)},
    {"change", "1+2+3+4+5=[up]", "",
     [](const CalcForm& f, const testing::FakePlatform& p) {
         EXPECT_TRUE(f.Document().ChangeTape().Visible);
         EXPECT_EQ(f.Document().ChangeTape().lblChangeFrom, "+ 5.00");
         EXPECT_EQ(p.changePanelOpenings, 1);
     }},
};

TEST(KeyCommandTable, EveryCommandHasARunCase) {
    std::set<std::string_view> table, cases;
    for (const KeyCommandRow& row : KeyCommands()) {
        table.insert(row.name);
    }
    for (const RunCase& c : kRunCases) {
        cases.insert(c.name);
    }
    EXPECT_EQ(table, cases);
}

TEST(KeyCommandTable, EachNameRunsItsHandler) {
    for (const RunCase& c : kRunCases) {
        SCOPED_TRACE(std::string(c.name));
        const auto keyed = std::make_unique<Keyed>();
        keyed->Type(c.before);
        const auto key = CommandNamed(c.name);
        ASSERT_TRUE(key);
        if (key->command == Command::Tax) {
            keyed->platform.inputAnswers = {"19"};
        }
        EXPECT_TRUE(keyed->form.Execute(*key)) << "the command did nothing";
        keyed->Type(c.after);
        c.check(keyed->form, keyed->platform);
        EXPECT_TRUE(keyed->platform.Messages().empty()) << keyed->platform.Messages()[0].text;
    }
}

TEST(TapeMoves, StayOnTheTapeAtBothEnds) {
    const struct {
        TapeMove move;
        int selected, count, page, expected;
    } cases[] = {
        {TapeMove::Up, -1, 5, 3, 4},      {TapeMove::Up, 0, 5, 3, 0},
        {TapeMove::Up, 3, 5, 3, 2},       {TapeMove::Down, -1, 5, 3, 0},
        {TapeMove::Down, 4, 5, 3, 4},     {TapeMove::PageUp, 1, 5, 3, 0},
        {TapeMove::PageUp, -1, 5, 3, 0},  {TapeMove::PageUp, 4, 5, 3, 1},
        {TapeMove::PageDown, 3, 5, 3, 4}, {TapeMove::PageDown, -1, 5, 3, 2},
        {TapeMove::PageDown, 0, 5, 0, 1}, {TapeMove::First, 3, 5, 3, 0},
        {TapeMove::Last, -1, 5, 3, 4},    {TapeMove::Down, 9, 5, 3, 4},
        {TapeMove::Up, -1, 0, 3, -1},     {TapeMove::Last, -1, 0, 3, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MovedLine(c.move, c.selected, c.count, c.page), c.expected)
            << static_cast<int>(c.move) << " from " << c.selected << " of " << c.count;
    }
}

// Keys for a hidden panel or tape do nothing and say so, so the window passes them on.
TEST(KeyCommandTable, KeysForWhatIsHiddenDoNothing) {
    const struct {
        std::string_view before;
        std::string_view name;
        void (*hide)(CalcForm&);
    } cases[] = {
        {"1+2=", "up", [](CalcForm& f) { f.Settings().View().mnuTape = false; }},
        {"1+2=", "home", [](CalcForm& f) { f.Settings().View().mnuTape = false; }},
        {"1+2=[up]", "change", [](CalcForm& f) { f.Settings().View().mnuTape = false; }},
        {"", "down", [](CalcForm&) {}}, // an empty tape
        {"", "change", [](CalcForm&) {}},
        {"", "bank3", [](CalcForm& f) { f.Settings().mnuConverter_Click(); }},
        {"", "account", [](CalcForm& f) { f.Settings().mnuConverter_Click(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        const auto keyed = std::make_unique<Keyed>();
        keyed->Type(c.before);
        c.hide(keyed->form);
        const int selected = keyed->form.lstTape().Selected();
        EXPECT_EQ(keyed->form.KeyPress(*CommandNamed(c.name)), CalcForm::KeyOutcome::NotNow);
        EXPECT_EQ(keyed->form.lstTape().Selected(), selected);
        EXPECT_FALSE(keyed->form.Document().ChangeTape().Visible);
        EXPECT_EQ(keyed->form.Banks().SelectedBank, 0);
        EXPECT_TRUE(keyed->platform.inputs.empty());
    }
}

TEST(KeyCommandTable, ChangeWithNoLineSelectedIsTakenButOpensNothing) {
    Keyed keyed;
    keyed.Type("1+2=");
    keyed.form.lstTape().Select(-1);
    EXPECT_EQ(keyed.form.KeyPress(*CommandNamed("change")), CalcForm::KeyOutcome::Done);
    EXPECT_FALSE(keyed.form.Document().ChangeTape().Visible);
    EXPECT_EQ(keyed.platform.changePanelOpenings, 0);
}

} // namespace
} // namespace sumwise
