#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/FormRun.h"
#include "support/MemoryFiles.h"
#include "tape/TapeLine.h"

namespace sumwise {
namespace {

const std::string kHistory = "/sumwise-test/history";
const std::string kJournal = "/sumwise-test/Sumwise.tape";

// Memory files whose writes in the history fail as on a full disk.
class Files : public testing::MemoryFiles {
public:
    bool historyFull = false;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        if (historyFull && path.starts_with(kHistory)) {
            return Fail(path, "No space left on device");
        }
        return MemoryFiles::WriteFileAtomic(path, bytes);
    }
};

// One run of the program, started as the program starts; ended by Unload or by a kill.
struct Session : testing::FormRun {
    explicit Session(Files& files) : FormRun(files, Start::Whole) {}
};

class TapeHistoryKeepingTest : public ::testing::Test {
protected:
    // The kept tapes' texts, newest first.
    std::vector<std::string> Kept() {
        std::vector<std::string> texts;
        TapeHistory history(files, kHistory);
        for (const auto& entry : history.List()) {
            texts.push_back(files.files[history.PathOf(entry.fileName)]);
        }
        return texts;
    }
    Files files;
};

TEST_F(TapeHistoryKeepingTest, EveryWayATapeLeavesTheScreenKeepsIt) {
    struct Case {
        const char* how;
        std::function<void(Session&)> leave;
    };
    const Case cases[] = {
        {"L", [](Session& r) { r.Type("L"); }},
        {"the button", [](Session& r) { r.form.Document().cmdClear_Click(); }},
        {"Open", [](Session& r) { r.form.Document().OpenTapeFile("/sumwise-test/day.tape"); }},
        {"Reopen",
         [](Session& r) {
             r.platform.answers = {MsgAnswer::Yes};
             r.form.Document().mnuReopenTape_Click();
         }},
        {"the end", [](Session& r) { r.form.Form_Unload(); }},
    };
    for (const Case& c : cases) {
        files.files = {{"/sumwise-test/day.tape", "+ 9.00\n"}, {kJournal, "+ 8.00\n"}};
        Session run(files);
        run.Type("1+2+");
        c.leave(run);
        ASSERT_FALSE(Kept().empty()) << c.how;
        // The end presses C, whose separator is part of the tape.
        EXPECT_EQ(Kept().front().substr(0, 14), "+ 1.00\n+ 2.00\n") << c.how;
        run.platform.Messages().clear();
        files.locks.clear();
    }
}

TEST_F(TapeHistoryKeepingTest, TapesWithoutEntriesAndTheNewestAgainAreNotKept) {
    files.files["/sumwise-test/total.tape"] = "= 5.00\n";
    Session run(files);
    run.Type("L");
    run.form.Document().OpenTapeFile("/sumwise-test/total.tape");
    run.Type("L");
    EXPECT_TRUE(Kept().empty());
    run.Type("1+L");
    run.form.Document().mnuUndo_Click();
    run.Type("L"); // the same tape once more
    EXPECT_EQ(Kept().size(), 1u);
    // The last tape reopened and closed unchanged is the newest kept one.
    run.Type("2+");
    run.form.Form_Unload();
    files.locks.clear(); // the run has ended
    Session next(files);
    next.form.Document().mnuReopenTape_Click();
    next.form.Form_Unload();
    EXPECT_EQ(Kept(), (std::vector<std::string>{"+ 2.00\n" + std::string(kSeparatorLine) + "\n",
                                                "+ 1.00\n"}));
}

TEST_F(TapeHistoryKeepingTest, ARunKilledLeavesItsTapeForTheNextRunToKeep) {
    {
        Session run(files);
        run.Type("1+2+L3+");
        files.locks.clear(); // killed: no unload
    }
    EXPECT_EQ(Kept(), std::vector<std::string>{"+ 1.00\n+ 2.00\n"}) << "kept at the clear";
    Session next(files);
    EXPECT_EQ(Kept().size(), 1u) << "start-up reads no history";
    next.form.Document().History();
    EXPECT_EQ(Kept().front(), "+ 3.00\n");
    next.Type("4+");
    next.form.Form_Unload();
    EXPECT_EQ(Kept().size(), 3u);
    // A normal end already kept the journal's tape: the next run adds nothing for it.
    Session third(files);
    third.Type("5+");
    EXPECT_EQ(Kept().size(), 3u);
}

TEST_F(TapeHistoryKeepingTest, TurnedOffKeepsNothingNewAndTheOptionsFileOnlyThen) {
    const std::string options = "/sumwise-test/Sumwise.options";
    Session run(files);
    run.Type("1+L");
    EXPECT_EQ(files.files.count(options), 0u);
    run.form.Settings().SetKeepHistory(false);
    EXPECT_NE(files.files[options].find("KeepHistory=0"), std::string::npos);
    run.Type("2+L");
    run.form.Form_Unload();
    Session next(files);
    EXPECT_FALSE(next.form.Settings().CurrentOptions().keepHistory);
    next.Type("3+L");
    EXPECT_EQ(Kept(), std::vector<std::string>{"+ 1.00\n"});
}

TEST_F(TapeHistoryKeepingTest, AHistoryThatCannotBeWrittenIsSaidOnceWithFileAndReason) {
    files.historyFull = true;
    Session run(files);
    run.Type("1+L2+L");
    ASSERT_EQ(run.platform.Messages().size(), 1u);
    const std::string said = run.platform.Messages()[0].text;
    EXPECT_NE(said.find(kHistory + "/2026-12-08_14-30-05.tape"), std::string::npos) << said;
    EXPECT_NE(said.find("No space left on device"), std::string::npos) << said;
    run.platform.Messages().clear();
}

TEST_F(TapeHistoryKeepingTest, AKeptTapeOpensInPlaceUndoesAndDeletesAfterAYes) {
    Session run(files);
    run.Type("1+L2+");
    TapeHistory& history = run.form.Document().History();
    const std::string first = history.List().front().fileName;
    ASSERT_TRUE(run.form.Document().OpenKeptTape(first));
    EXPECT_EQ(run.Lines(), std::vector<std::string>{"+ 1.00"});
    EXPECT_EQ(run.form.Document().WindowTitle(), "Sumwise");
    EXPECT_EQ(Kept().front(), "+ 2.00\n") << "the replaced tape is kept";
    run.form.Document().mnuUndo_Click();
    EXPECT_EQ(run.Lines(), std::vector<std::string>{"+ 2.00"});
    run.form.Document().mnuRedo_Click();
    run.Type("L"); // the kept tape left unchanged is not kept twice
    EXPECT_EQ(Kept().size(), 2u);
    // Lines typed on a cleared tape are kept when an undo brings the tape before back.
    run.Type("3+");
    run.platform.answers = {MsgAnswer::Yes};
    run.form.Document().mnuUndo_Click();
    EXPECT_EQ(Kept().front(), "+ 3.00\n");
    run.form.Document().cmdClear_Click();
    ASSERT_EQ(Kept().size(), 3u);
    run.platform.Messages().clear();

    run.platform.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(run.form.Document().DeleteKeptTape(first));
    EXPECT_TRUE(run.form.Document().DeleteKeptTape(first));
    EXPECT_EQ(Kept(), (std::vector<std::string>{"+ 3.00\n", "+ 2.00\n"}));
    ASSERT_EQ(run.platform.Messages().size(), 2u);
    EXPECT_EQ(run.platform.Messages()[0].text,
              "Delete the tape kept on 2026-12-08 14:30:05 from the tape history? It cannot be "
              "brought back.");
    run.platform.Messages().clear();
}

} // namespace
} // namespace sumwise
