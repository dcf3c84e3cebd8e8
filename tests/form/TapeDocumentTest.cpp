#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "support/FormRun.h"
#include "support/MemoryFiles.h"
#include "tape/TapeLine.h"

namespace sumwise {
namespace {

const std::string kSep(kSeparatorLine);
const std::string kDash(kEnDash);
const std::string kJournal = "/sumwise-test/Sumwise.tape";

// Memory files whose writes fail as on a full disk.
class FullDisk : public testing::MemoryFiles {
public:
    bool full = false;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        return full ? Fail(path, "No space left on device")
                    : MemoryFiles::WriteFileAtomic(path, bytes);
    }
    bool AppendFile(const std::string& path, const std::string& text) override {
        return full ? Fail(path, "No space left on device") : MemoryFiles::AppendFile(path, text);
    }
};

// One run of the program over files that outlive it.
struct Session : testing::FormRun {
    explicit Session(FullDisk& files) : FormRun(files, Start::JournalOnly) {}
};

class TapeDocumentTest : public ::testing::Test {
protected:
    FullDisk files;
    Session run{files};
};

TEST_F(TapeDocumentTest, OpenKeepsTheLinesAsSavedAndTheNextNumberStartsANewTotal) {
    // A cancelled calculation counts for nothing in the grand total, as with the keys.
    files.files["/day.tape"] = "+ 7.00\n" + kSep + "\n+ 1.00\n+ 2.00\tfirst\n= 5.00\n";
    ASSERT_TRUE(run.form.Document().OpenTapeFile("/day.tape"));
    EXPECT_EQ(run.Lines(),
              (std::vector<std::string>{"+ 7.00", kSep, "+ 1.00", "+ 2.00", "= 5.00"}));
    EXPECT_EQ(run.form.lstTape().Note(3), "first");
    EXPECT_EQ(run.form.Keys().lblResult(), "5.00");
    run.Type("4+5=");
    EXPECT_EQ(run.Lines().back(), "= 9.00");
    EXPECT_EQ(run.form.Keys().lblGrandTotal(), "");
}

TEST_F(TapeDocumentTest, ARefusedFileIsNamedAndChangesNothing) {
    struct Case {
        std::string what;
        std::string bytes; // absent file when empty and missing
        bool missing;
        std::string said; // part of the message
    };
    const std::vector<Case> cases = {
        {"a line outside the grammar", "+ 1.00\nhello\n", false, "line 2"},
        {"an empty file", "", false, "/in.tape"},
        {"a vanished file", "", true, "/in.tape"},
    };
    run.Type("7+");
    for (const Case& c : cases) {
        files.files.erase("/in.tape");
        if (!c.missing) {
            files.files["/in.tape"] = c.bytes;
        }
        EXPECT_FALSE(run.form.Document().OpenTapeFile("/in.tape")) << c.what;
        ASSERT_EQ(run.platform.Messages().size(), 1u) << c.what;
        EXPECT_NE(run.platform.Messages()[0].text.find(c.said), std::string::npos)
            << c.what << ": " << run.platform.Messages()[0].text;
        EXPECT_EQ(run.platform.Messages()[0].title, "Sumwise");
        run.platform.Messages().clear();
        EXPECT_EQ(run.Lines(), std::vector<std::string>{"+ 7.00"}) << c.what;
        EXPECT_FALSE(run.form.Document().CanUndo()) << c.what;
    }
}

TEST_F(TapeDocumentTest, TapesTheCalculatorWroteOpenWithTheirTotals) {
    struct Case {
        std::string keys;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        // GT right after a result, and a number totalled alone.
        {"5+5=g", {"+ 5.00", "+ 5.00", "= 10.00", "G 10.00", kSep}},
        {"5=3+", {"= 5.00", kSep, "+ 3.00"}},
        // A divisor shown rounded to 0.00 cannot be divided by again: the lines open as saved.
        {"8/.001=", {"+ 8.00", "/ 0.00", "= 8000.00"}},
    };
    for (const Case& c : cases) {
        {
            Session first(files);
            first.Type(c.keys);
            ASSERT_EQ(first.Lines(), c.lines) << c.keys;
            first.platform.fileAnswers = {"/saved.tape"};
            first.form.Document().mnuSaveTape_Click();
        }
        Session next(files);
        next.form.Document().mnuReopenTape_Click();
        EXPECT_EQ(next.Lines(), c.lines) << c.keys << ": reopened";
        Session opened(files);
        opened.form.Document().OpenTapeFile("/saved.tape");
        EXPECT_EQ(opened.Lines(), c.lines) << c.keys << ": opened";
        opened.platform.Messages().clear(); // the division's note that the lines are as saved
    }
}

TEST_F(TapeDocumentTest, UndoPutsBackTheTapeTotalsAndDisplayOfEachAction) {
    files.files["/other.tape"] = "+ 9.00\n= 9.00\n";
    struct Case {
        std::string what;
        std::function<void(Session&)> action;
        std::string undo; // Edit > Undo once it is done
    };
    const std::vector<Case> cases = {
        {"clear with l", [](Session& r) { r.Type("l"); }, "&Undo Clear Tape"},
        {"a saved change",
         [](Session& r) {
             r.form.lstTape().Select(0);
             r.form.Document().lstTape_DblClick();
             r.form.Document().ChangeTape().txtChangeTo = "10";
             r.form.Document().cmdSaveChange_Click();
         },
         "&Undo Tape Change"},
        {"open",
         [](Session& r) {
             r.platform.fileAnswers = {"/other.tape"};
             r.form.Document().mnuOpenTape_Click();
         },
         "&Undo Open"},
        {"a note",
         [](Session& r) {
             r.form.lstTape().Select(1);
             r.platform.inputAnswers = {"lunch"};
             r.form.Document().mnuNote_Click();
         },
         "&Undo Note"},
    };
    for (const Case& c : cases) {
        Session r(files);
        r.Type("12.5+3.99=3+");
        const std::vector<std::string> lines = r.Lines();
        const std::string display = r.form.Keys().lblResult();
        const std::string grand = r.form.Keys().lblGrandTotal();
        c.action(r);
        EXPECT_EQ(r.form.Document().UndoCaption(), c.undo);
        EXPECT_TRUE(r.Lines() != lines || r.form.lstTape().HasNotes()) << c.what;
        // Undone, redone and undone again: each way the tape, totals and display as they were.
        const auto done =
            std::tuple(r.Lines(), r.form.lstTape().Notes(), r.form.Keys().lblResult());
        r.form.Document().mnuUndo_Click();
        r.form.Document().mnuRedo_Click();
        EXPECT_EQ(std::tuple(r.Lines(), r.form.lstTape().Notes(), r.form.Keys().lblResult()), done)
            << c.what;
        EXPECT_FALSE(r.form.Document().CanRedo()) << c.what;
        r.form.Document().mnuUndo_Click();
        EXPECT_EQ(r.Lines(), lines) << c.what;
        EXPECT_FALSE(r.form.lstTape().HasNotes()) << c.what;
        EXPECT_EQ(r.form.Keys().lblResult(), display) << c.what;
        EXPECT_EQ(r.form.Keys().lblGrandTotal(), grand) << c.what;
        EXPECT_FALSE(r.form.Document().CanUndo()) << c.what;
        EXPECT_EQ(r.form.Document().UndoCaption(), "&Undo");
        // The totals are back too: the calculation goes on as before the action.
        r.Type("1=");
        EXPECT_EQ(r.Lines().back(), "= 4.00") << c.what;
    }
}

TEST_F(TapeDocumentTest, UndoKeepsTwentySteps) {
    for (int i = 0; i < 25; ++i) {
        run.Type(std::to_string(i + 1) + "+l");
    }
    // Each undo but the first drops the line typed on the cleared tape, and asks first.
    run.platform.answers.assign(19, MsgAnswer::Yes);
    int undone = 0;
    while (run.form.Document().CanUndo()) {
        run.form.Document().mnuUndo_Click();
        ++undone;
    }
    EXPECT_EQ(undone, 20);
    EXPECT_EQ(run.platform.Messages().size(), 19u);
    EXPECT_EQ(run.Lines(), std::vector<std::string>{"+ 6.00"});
}

TEST_F(TapeDocumentTest, NotesAreSetChangedRemovedAndKeptOnCancel) {
    run.Type("5+6+");
    run.form.lstTape().Select(0);
    const std::vector<std::pair<std::string, std::string>> steps = {
        {"taxi\tfare\n", "taxi fare"}, // control characters become blanks
        {testing::FakePlatform::kCancel, "taxi fare"},
        {"  bus  ", "bus"},
        {"", ""},
    };
    for (const auto& [answer, note] : steps) {
        run.platform.inputAnswers = {answer};
        run.form.Document().mnuNote_Click();
        EXPECT_EQ(run.form.lstTape().Note(0), note) << "answer \"" << answer << "\"";
    }
    EXPECT_EQ(run.platform.inputs.back().proposal, "bus");
    // With no line selected the note goes on the newest line.
    run.form.lstTape().Select(-1);
    run.platform.inputAnswers = {"last"};
    run.form.Document().mnuNote_Click();
    EXPECT_EQ(run.form.lstTape().Note(1), "last");
}

TEST_F(TapeDocumentTest, SaveExportCopyAndTheirFailures) {
    run.platform.fileAnswers = {};
    run.form.Document().mnuSaveTape_Click(); // empty tape: nothing to save, no dialog
    ASSERT_EQ(run.platform.Messages().size(), 1u);
    run.platform.Messages().clear();
    run.Type("2+3=");
    run.form.lstTape().SetNote(0, "a, \"b\"");
    run.platform.fileAnswers = {"/out.tape", "/out.csv"};
    run.form.Document().mnuSaveTape_Click();
    run.form.Document().mnuExportCsv_Click();
    EXPECT_EQ(files.files["/out.tape"], "+ 2.00\ta, \"b\"\n+ 3.00\n= 5.00\n");
    EXPECT_TRUE(
        files.files["/out.csv"].starts_with("Line,Kind,Operator,Amount,Text,Note\r\n1,entry,"));
    // Under a decimal comma the language's type is preselected; the type left chosen is written.
    run.platform.decimalComma = true;
    run.platform.fileAnswers = {"/semi.csv", "/comma.csv"};
    run.form.Document().mnuExportCsv_Click();
    EXPECT_EQ(run.platform.preselectedType, 1u);
    run.platform.fileType = 0;
    run.form.Document().mnuExportCsv_Click();
    EXPECT_TRUE(files.files["/semi.csv"].starts_with("Line;Kind;Operator;Amount;Text;Note\r\n1;"));
    EXPECT_EQ(files.files["/comma.csv"], files.files["/out.csv"]);
    run.form.Document().mnuCopyTape_Click();
    EXPECT_EQ(run.platform.clipboard, "+ 2.00\ta, \"b\"\n+ 3.00\n= 5.00\n");

    files.full = true;
    run.platform.fileAnswers = {"/out.tape"};
    run.form.Document().mnuSaveTape_Click();
    ASSERT_EQ(run.platform.Messages().size(), 1u);
    EXPECT_EQ(run.platform.Messages()[0].text,
              "The tape cannot be saved to \"/out.tape\": No space left on device.");
    run.platform.Messages().clear();
    EXPECT_EQ(files.files["/out.tape"], "+ 2.00\ta, \"b\"\n+ 3.00\n= 5.00\n");
}

TEST_F(TapeDocumentTest, TheJournalBringsBackTheTapeAfterAKill) {
    run.Type("12.5+3.99=");
    run.form.lstTape().SetNote(1, "receipt");
    // Killed: no unload, and the system drops its lock. The next run starts empty and reopens
    // what the first one had.
    files.locks.clear();
    Session next(files);
    EXPECT_TRUE(next.form.lstTape().Empty());
    next.form.Document().mnuReopenTape_Click();
    EXPECT_EQ(next.Lines(), (std::vector<std::string>{"+ 12.50", "+ 3.99", "= 16.49"}));
    EXPECT_EQ(next.form.lstTape().Note(1), "receipt");
}

TEST_F(TapeDocumentTest, TheJournalKeepsWhatTheEndingWroteAndSkipsUntouchedRuns) {
    run.Type("2+3+");
    run.form.Keys().cmdClose_Click(); // x: C, then the window closes
    run.form.Form_Unload();
    files.locks.clear(); // the process has ended
    {
        Session untouched(files); // starts and ends without a key
        untouched.form.Form_Unload();
    }
    Session next(files);
    next.Type("9+"); // this run's tape does not replace the last one for Reopen
    next.platform.answers = {MsgAnswer::Yes};
    next.form.Document().mnuReopenTape_Click();
    EXPECT_EQ(next.Lines(), (std::vector<std::string>{"+ 2.00", "+ 3.00", kSep}));
    EXPECT_EQ(next.platform.Messages().size(), 1u); // the question
    next.platform.Messages().clear();
    EXPECT_EQ(files.files[kJournal], "+ 2.00\n+ 3.00\n" + kSep + "\n");
}

// No window refreshes here: the journal follows the tape's own changes.
TEST_F(TapeDocumentTest, TheJournalAppendsNewLinesAndRewritesOnOtherChanges) {
    run.form.SetListener(&run.platform);
    run.Type("1+2+");
    const int writes = files.writes;
    run.Type("3+4+");
    EXPECT_EQ(files.writes, writes) << "new lines are appended";
    EXPECT_EQ(files.files[kJournal], "+ 1.00\n+ 2.00\n+ 3.00\n+ 4.00\n");
    EXPECT_EQ(run.platform.journalAppends, 1) << "told once until the window syncs";
    run.form.lstTape().SetNote(0, "n");
    EXPECT_EQ(files.writes, writes + 1);
    EXPECT_EQ(files.files[kJournal], "+ 1.00\tn\n+ 2.00\n+ 3.00\n+ 4.00\n");
    // A change re-adds and rewrites the lines below it, and the file is written once.
    run.Type("=");
    run.form.lstTape().Select(1);
    run.form.Document().lstTape_DblClick();
    run.form.Document().ChangeTape().txtChangeTo = "5";
    run.form.Document().cmdSaveChange_Click();
    EXPECT_EQ(files.writes, writes + 2);
    EXPECT_EQ(files.files[kJournal], "+ 1.00\tn\n+ 5.00\n+ 3.00\n+ 4.00\n= 13.00\n");
    EXPECT_EQ(run.platform.changePanelOpenings, 1);
}

TEST_F(TapeDocumentTest, AJournalAtTheCapReopensWithTheCapsTotals) {
    run.Type("1+");
    for (std::size_t i = 1; i < Tape::kMaxLines + 10; ++i) {
        run.Type("+"); // repeats 1
    }
    ASSERT_EQ(run.form.lstTape().Count(), Tape::kMaxLines);
    files.locks.clear(); // killed
    Session next(files);
    next.form.Document().mnuReopenTape_Click();
    ASSERT_EQ(next.form.lstTape().Count(), Tape::kMaxLines);
    EXPECT_EQ(next.Lines().front(), "+ 1.00");
    // The dropped lines still count in a recalculation.
    next.form.lstTape().Select(0);
    next.form.Document().lstTape_DblClick();
    next.form.Document().ChangeTape().txtChangeTo = "2";
    next.form.Document().cmdSaveChange_Click();
    EXPECT_EQ(next.form.Keys().lblResult(), "32777.00");
}

TEST_F(TapeDocumentTest, AJournalThatCannotBeWrittenIsSaidOnce) {
    files.full = true;
    run.Type("1+2+");
    ASSERT_EQ(run.platform.Messages().size(), 1u);
    EXPECT_NE(run.platform.Messages()[0].text.find(kJournal), std::string::npos);
    run.platform.Messages().clear();
    files.full = false;
    run.Type("3+");
    EXPECT_EQ(files.files[kJournal], "+ 1.00\n+ 2.00\n+ 3.00\n") << "rewritten whole once it can";
}

TEST_F(TapeDocumentTest, ReopenAsksBeforeReplacingATapeAndSaysWhenThereIsNone) {
    run.form.Document().mnuReopenTape_Click();
    ASSERT_EQ(run.platform.Messages().size(), 1u);
    EXPECT_EQ(run.platform.Messages()[0].text, "There is no last tape to reopen.");
    run.platform.Messages().clear();
    files.files[kJournal] = "+ 4.00\n";
    Session next(files);
    next.Type("5+");
    next.platform.answers = {MsgAnswer::No};
    next.form.Document().mnuReopenTape_Click();
    next.platform.Messages().clear();
    EXPECT_EQ(next.Lines(), std::vector<std::string>{"+ 5.00"});
}

TEST_F(TapeDocumentTest, TwoCopiesKeepTheirOwnJournalsAndTheLastEndedIsReopened) {
    run.Type("1+");
    {
        Session second(files);
        second.Type("2+");
        run.Type("3+");
        EXPECT_EQ(files.files[kJournal], "+ 1.00\n+ 3.00\n") << "no tape is a mix of two";
        EXPECT_EQ(files.files["/sumwise-test/Sumwise-2.tape"], "+ 2.00\n");
        second.form.Form_Unload();
    }
    {
        Session third(files); // the first still holds its journal: the second's is the last
        third.form.Document().mnuReopenTape_Click();
        EXPECT_EQ(third.Lines(), (std::vector<std::string>{"+ 2.00", kSep}));
    }
    run.form.Form_Unload();
    files.locks.clear(); // both have ended
    Session fourth(files);
    fourth.form.Document().mnuReopenTape_Click();
    EXPECT_EQ(fourth.Lines(), (std::vector<std::string>{"+ 1.00", "+ 3.00", kSep}));
}

TEST_F(TapeDocumentTest, UndoOfAChangeOrNoteKeepsTheLinesTypedSince) {
    struct Case {
        std::string what;
        std::function<void(Session&)> action;
        std::vector<std::string> lines;  // after the undo
        std::vector<std::string> redone; // after more lines and a redo
        std::string note;
    };
    const std::vector<Case> cases = {
        {"a note",
         [](Session& r) {
             r.platform.inputAnswers = {"lunch"};
             r.form.Document().mnuNote_Click();
         },
         {"+ 10.00", "+ 20.00", "+ 30.00", "+ 40.00", "= 100.00"},
         {"+ 10.00", "+ 20.00", "+ 30.00", "+ 40.00", "= 100.00", kSep, "+ 5.00"},
         "lunch"},
        {"a change",
         [](Session& r) {
             r.form.Document().lstTape_DblClick();
             r.form.Document().ChangeTape().txtChangeTo = "25";
             r.form.Document().cmdSaveChange_Click();
         },
         {"+ 10.00", "+ 20.00", "+ 30.00", "+ 40.00", "= 100.00"},
         {"+ 10.00", "+ 25.00", "+ 30.00", "+ 40.00", "= 105.00", kSep, "+ 5.00"},
         ""},
    };
    for (const Case& c : cases) {
        Session r(files);
        r.Type("10+20+");
        c.action(r); // on the newest line, 20
        r.Type("30+40=");
        r.form.Document().mnuUndo_Click();
        EXPECT_EQ(r.Lines(), c.lines) << c.what;
        EXPECT_FALSE(r.form.lstTape().HasNotes()) << c.what;
        EXPECT_FALSE(r.form.Document().CanUndo()) << c.what;
        r.Type("=5+");
        EXPECT_EQ(r.form.Keys().lblGrandTotal(), "100.00 ") << c.what;
        // Redo puts it back on its line; the lines typed since the undo stay.
        r.form.Document().mnuRedo_Click();
        EXPECT_EQ(r.Lines(), c.redone) << c.what;
        EXPECT_EQ(r.form.lstTape().Note(1), c.note) << c.what;
    }
}

TEST_F(TapeDocumentTest, UndoOfAClearAsksBeforeDroppingTheLinesTypedSince) {
    run.Type("7+8=");
    run.Type("l5+6+");
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        run.platform.answers = {answer};
        run.form.Document().mnuUndo_Click();
        ASSERT_EQ(run.platform.Messages().size(), 1u);
        EXPECT_EQ(run.platform.Messages()[0].text,
                  "Undo brings back the earlier tape and drops the 2 lines typed since. Undo?");
        run.platform.Messages().clear();
    }
    EXPECT_EQ(run.Lines(), (std::vector<std::string>{"+ 7.00", "+ 8.00", "= 15.00"}));
    EXPECT_EQ(run.form.Keys().lblResult(), "15.00");
    // Redo asks the same, and brings back the tape as it was right before the undo.
    run.Type("1+"); // a separator, as the total was closed, and 1
    run.platform.answers = {MsgAnswer::Yes};
    run.form.Document().mnuRedo_Click();
    ASSERT_EQ(run.platform.Messages().size(), 1u);
    EXPECT_EQ(run.platform.Messages()[0].text,
              "Redo brings back the later tape and drops the 2 lines typed since. Redo?");
    run.platform.Messages().clear();
    EXPECT_EQ(run.Lines(), (std::vector<std::string>{"+ 5.00", "+ 6.00"}));
    // A new step ends what could be redone.
    run.form.Document().mnuUndo_Click();
    run.platform.inputAnswers = {"x"};
    run.form.Document().mnuNote_Click();
    EXPECT_FALSE(run.form.Document().CanRedo());
}

TEST_F(TapeDocumentTest, TheTitleNamesTheFileTheTapeCameFromOrWasSavedTo) {
    files.files["/in/March.tape"] = "+ 1.00\n";
    files.files[kJournal] = "+ 4.00\n"; // the last run's tape
    TapeDocument& doc = run.form.Document();
    run.platform.fileAnswers = {"/out/April.tape"};
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[] {}, "Sumwise"},
        {[&] { doc.OpenTapeFile("/in/March.tape"); }, "March.tape - Sumwise"},
        {[&] { run.Type("5+"); }, "March.tape - Sumwise"},
        {[&] { doc.mnuSaveTape_Click(); }, "April.tape - Sumwise"},
        {[&] { run.Type("l"); }, "Sumwise"},
        {[&] { doc.mnuUndo_Click(); }, "April.tape - Sumwise"},
        {[&] { doc.mnuRedo_Click(); }, "Sumwise"},
        {[&] { doc.mnuReopenTape_Click(); }, "Sumwise"},
        {[&] {
             doc.mnuUndo_Click(); // the reopen, then the clear
             doc.mnuUndo_Click();
         },
         "April.tape - Sumwise"},
    };
    for (const auto& [action, title] : steps) {
        action();
        EXPECT_EQ(doc.WindowTitle(), title);
    }
}

} // namespace
} // namespace sumwise
