#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "history/TapeHistory.h"
#include "support/MemoryFiles.h"
#include "support/TempFolder.h"

namespace sumwise {
namespace {

constexpr const char* kFolder = "/cfg/history";

TEST(KeptTapeNameTest, NamesReadBackAndForeignNamesAreNotTheHistorys) {
    const KeptTapeName second{{2026, 12, 8, 14, 30, 5}, 2};
    EXPECT_EQ(KeptTapeFileName(second), "2026-12-08_14-30-05_2.tape");
    ASSERT_TRUE(ReadKeptTapeFileName("2026-12-08_14-30-05_2.tape"));
    EXPECT_EQ(ReadKeptTapeFileName("2026-12-08_14-30-05_2.tape")->copy, 2);
    EXPECT_TRUE(ReadKeptTapeFileName("2026-12-08_14-30-05.tape"));
    for (const char* foreign : {"notes.tape", "2026-12-08_14-30-05.txt", "2026-13-08_14-30-05.tape",
                                "2026-12-08_14-30-05_1.tape", "2026-12-08_14-30-05_02.tape",
                                "2026-12-08 14-30-05.tape", "2026-12-08_14-30-05_x.tape"}) {
        EXPECT_FALSE(ReadKeptTapeFileName(foreign)) << foreign;
    }
}

class TapeHistoryTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& entry : history.List()) {
            names.push_back(entry.fileName);
        }
        return names;
    }
    testing::MemoryFiles files;
    TapeHistory history{files, kFolder};
    DateTime now{2026, 12, 8, 14, 30, 5};
};

TEST_F(TapeHistoryTest, KeepsNewestFirstWithUniqueNamesAndNotTheNewestTwice) {
    EXPECT_EQ(history.Keep("+ 1.00\n", now), TapeHistory::KeepOutcome::Kept);
    EXPECT_EQ(history.Keep("+ 1.00\n", now), TapeHistory::KeepOutcome::Same);
    EXPECT_EQ(history.Keep("+ 2.00\n", now), TapeHistory::KeepOutcome::Kept);
    // An older tape is not the newest: kept again.
    EXPECT_EQ(history.Keep("+ 1.00\n", now), TapeHistory::KeepOutcome::Kept);
    // A clock set back still files the new tape as the newest.
    EXPECT_EQ(history.Keep("+ 3.00\n", {2026, 12, 8, 13, 0, 0}), TapeHistory::KeepOutcome::Kept);
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"2026-12-08_14-30-05_4.tape", "2026-12-08_14-30-05_3.tape",
                                        "2026-12-08_14-30-05_2.tape", "2026-12-08_14-30-05.tape"}));
    EXPECT_EQ(files.files[std::string(kFolder) + "/2026-12-08_14-30-05_4.tape"], "+ 3.00\n");
    EXPECT_TRUE(files.folders.count(kFolder));
    // Nor the kept tape it was opened from.
    EXPECT_EQ(history.Keep("+ 2.00\n", now, "2026-12-08_14-30-05_2.tape"),
              TapeHistory::KeepOutcome::Same);
    // Nor that tape closed by the C at the end of a run; one more line is a new tape.
    EXPECT_EQ(history.Keep("+ 2.00\n***********************\n", now, "2026-12-08_14-30-05_2.tape"),
              TapeHistory::KeepOutcome::Same);
    EXPECT_EQ(history.Keep("+ 2.00\n= 2.00\n", now, "2026-12-08_14-30-05_2.tape"),
              TapeHistory::KeepOutcome::Kept);
}

TEST_F(TapeHistoryTest, KeepsTheNewestThousandWithinFiftyMegabytes) {
    files.files[std::string(kFolder) + "/mine.tape"] = "+ 9.00\n"; // not the history's own
    for (int i = 0; i < 1001; ++i) {
        now.second = i % 60;
        now.minute = i / 60;
        history.Keep("+ " + std::to_string(i) + ".00\n", now);
    }
    std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), TapeHistory::kMaxTapes);
    EXPECT_EQ(names.back(), "2026-12-08_14-00-01.tape") << "the oldest went";
    EXPECT_TRUE(files.Exists(std::string(kFolder) + "/mine.tape"));

    const std::string big(20u * 1024 * 1024, '\n');
    now.minute = 0;
    now.second = 1;
    for (int i = 0; i < 3; ++i) {
        now.hour = 20 + i;
        history.Keep(big + std::to_string(i), now);
    }
    names = Names();
    ASSERT_EQ(names.size(), 2u) << "three of 20 MB pass 50 MB";
    EXPECT_EQ(names.front(), "2026-12-08_22-00-01.tape");
}

TEST_F(TapeHistoryTest, AFailedWriteKeepsNothingAndSaysWhere) {
    files.writeFailure = "No space left on device";
    EXPECT_EQ(history.Keep("+ 1.00\n", now), TapeHistory::KeepOutcome::Failed);
    EXPECT_EQ(files.LastFailure().reason, "No space left on device");
    EXPECT_TRUE(Names().empty());
}

TEST(TapeHistoryOnDiskTest, MakesItsFolderAndRemovesWhatAKilledKeepLeft) {
    const pid_t child = ::fork(); // a pid no process has once reaped
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    testing::TempFolder folder;
    const std::string history = (folder / "history").string();
    DiskFileOps files;
    TapeHistory kept(files, history);
    EXPECT_TRUE(kept.List().empty());
    const DateTime now{2026, 12, 8, 14, 30, 5};
    ASSERT_EQ(kept.Keep("+ 1.00\n", now), TapeHistory::KeepOutcome::Kept);
    const std::string dead = "2026-12-08_14-30-05.tape.tmp." + std::to_string(child) + ".0";
    const std::string alive = "2026-12-08_14-30-05.tape.tmp." + std::to_string(::getpid()) + ".1";
    testing::WriteFileBytes(folder / "history" / dead, "+ 1");
    testing::WriteFileBytes(folder / "history" / alive, "+ 1");
    ASSERT_EQ(kept.Keep("+ 2.00\n", now), TapeHistory::KeepOutcome::Kept);
    EXPECT_FALSE(files.Exists(history + "/" + dead));
    EXPECT_TRUE(files.Exists(history + "/" + alive)) << "a keep under way";
    ASSERT_EQ(kept.List().size(), 2u);
    EXPECT_EQ(kept.List().front().fileName, "2026-12-08_14-30-05_2.tape");
}

} // namespace
} // namespace sumwise
