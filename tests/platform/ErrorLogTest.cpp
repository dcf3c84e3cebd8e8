#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "form/CalcForm.h"
#include "platform/ErrorLog.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace sumwise {
namespace {

TEST(ErrorLog, RecordFormat) {
    struct Case {
        DateTime when;
        std::string number, description, module, routine, user, computer;
        std::string record;
    };
    const Case cases[] = {
        {{2026, 12, 8, 14, 30, 5},
         "5",
         "Invalid argument",
         "frmCalc",
         "cmdFunction_Click0",
         "ann",
         "desk",
         "#2026-12-08 14:30:05#,\"5\",\"Invalid argument\",\"frmCalc\",\"cmdFunction_Click0\","
         "\"Sumwise v1.0.0\",\"ann\",\"desk\"\r\n"},
        // Midnight writes the date alone; empty fields are two quotation marks.
        {{2027, 1, 2, 0, 0, 0},
         "11",
         "",
         "frmCalc",
         "StartNewTotal",
         "",
         "",
         "#2027-01-02#,\"11\",\"\",\"frmCalc\",\"StartNewTotal\",\"Sumwise v1.0.0\",\"\",\"\"\r\n"},
        // One second past midnight keeps the time.
        {{2027, 1, 2, 0, 0, 1},
         "6",
         "Overflow",
         "m",
         "r",
         "u",
         "c",
         "#2027-01-02 00:00:01#,\"6\",\"Overflow\",\"m\",\"r\",\"Sumwise v1.0.0\",\"u\",\"c\"\r\n"},
        // Quotation marks inside a field are written as they are.
        {{2026, 3, 4, 5, 6, 7},
         "1",
         "say \"hi\"",
         "",
         "",
         "o'neil",
         "pc",
         "#2026-03-04 05:06:07#,\"1\",\"say \"hi\"\",\"\",\"\",\"Sumwise v1.0.0\",\"o'neil\","
         "\"pc\"\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorLog::Record(c.when, c.number, c.description, c.module, c.routine, c.user,
                                   c.computer),
                  c.record);
    }
}

TEST(ErrorLog, MessageText) {
    EXPECT_EQ(ErrorLog::MessageText("11", "Division by zero", "frmCalc", "cmdFunction_Click2"),
              "Error occured: 11\r\nDescription: Division by zero\r\nModule: frmCalc\r\n"
              "Function: cmdFunction_Click2");
    EXPECT_EQ(ErrorLog::MessageText("", "", "", ""), "Error occured: \r\n");
    EXPECT_EQ(ErrorLog::MessageText("5", "", "frmCalc", ""),
              "Error occured: 5\r\nModule: frmCalc\r\n");
}

class ErrorLogFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.folder = folder.string();
        platform.environment = {{"username", "ann"}};
    }

    testing::TempFolder temp;
    const std::filesystem::path folder = temp.path();
    testing::FakePlatform platform;
};

TEST_F(ErrorLogFileTest, EachFailureAppendsOneRecord) {
    std::ofstream(folder / "ErrorLog.txt", std::ios::binary) << "earlier line\r\n";
    CalcForm form(platform);
    form.Register().Load(-4);
    form.Keys().cmdFunction_Click(0);
    form.Register().Load(0);
    form.Keys().cmdFunction_Click(2);
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(
        testing::ReadFileBytes(folder / "ErrorLog.txt"),
        "earlier line\r\n"
        "#2026-12-08 14:30:05#,\"5\",\"Invalid argument\",\"frmCalc\",\"cmdFunction_Click0\","
        "\"Sumwise v1.0.0\",\"ann\",\"\"\r\n"
        "#2026-12-08 14:30:05#,\"11\",\"Division by zero\",\"frmCalc\",\"cmdFunction_Click2\","
        "\"Sumwise v1.0.0\",\"ann\",\"\"\r\n");
}

TEST_F(ErrorLogFileTest, MissingLogIsCreated) {
    DiskFileOps disk;
    ErrorLog log(platform, platform, disk);
    log.LogError(false, "1", "d", "m", "r");
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_TRUE(std::filesystem::exists(folder / "ErrorLog.txt"));
}

TEST_F(ErrorLogFileTest, UnwritableLogStillShowsTheMessage) {
    // A folder that does not exist cannot take the log, even for root.
    platform.folder = (folder / "missing" / "deeper").string();
    DiskFileOps disk;
    ErrorLog log(platform, platform, disk);
    EXPECT_NO_THROW(log.LogError(true, "6", "Overflow", "frmCalc", "StartNewTotal"));
    ASSERT_EQ(platform.Messages().size(), 2u) << "the failure, then that the log is not kept";
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Critical);
    // The log path is a folder: the failure is shown, the log's is not said twice in a run.
    platform.folder = folder.string();
    std::filesystem::create_directory(folder / "ErrorLog.txt");
    EXPECT_NO_THROW(log.LogError(true, "6", "Overflow", "frmCalc", "StartNewTotal"));
    EXPECT_EQ(platform.Messages().size(), 3u);
}

} // namespace
} // namespace sumwise
