#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "form/CalcForm.h"
#include "settings/SettingsSchema.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace sumwise {
namespace {

namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { platform.folder = folder.string(); }

    std::string Read(const char* name) const { return testing::ReadFileBytes(folder / name); }
    void Write(const char* name, const std::string& text) const {
        testing::WriteFileBytes(folder / name, text);
    }
    void Type(CalcForm& form, const std::string& keys) {
        for (char c : keys) {
            int code = c;
            form.CheckKeyPress(code);
        }
    }

    testing::TempFolder temp;
    const fs::path folder = temp.path();
    testing::FakePlatform platform;
};

TEST_F(StartupTest, FirstRunCreatesBothFilesWithTheDefaults) {
    CalcForm form(platform);
    form.Form_Load();
    EXPECT_EQ(Read("Sumwise.ini"), DefaultSettingsText());
    EXPECT_EQ(Read("Sumwise.sbk"), DefaultSettingsText());
    EXPECT_TRUE(DefaultSettingsText().starts_with("[Settings]\r\nLeft=1000\r\nTop=1000\r\n"));
    EXPECT_EQ(form.Settings().View().Left, 1000);
    EXPECT_TRUE(form.Settings().View().mnuBanks);
    EXPECT_FALSE(form.Settings().View().mnuConverter);
    EXPECT_TRUE(form.Settings().View().mnuTape);
    EXPECT_FALSE(form.Settings().View().mnuTop);
    EXPECT_EQ(form.Keys().DecimalPlaces(), 2);
    EXPECT_EQ(form.Banks().SelectedBank, 0);
    EXPECT_EQ(form.Banks().lblAccounts[4], "Account");
    EXPECT_EQ(form.Conversions().cboCategories().items.size(), 7u);
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(StartupTest, ExitSavesBeforeTheCKeyAndTheNextRunLoadsIt) {
    {
        CalcForm form(platform);
        form.Form_Load();
        Type(form, "42");
        form.Banks().cmdMemory_Click(kMemPlus);
        form.Banks().SelectBank(3);
        platform.inputAnswers = {"Rent = due"};
        form.Banks().lblAccounts_Click(3);
        form.Keys().cboDecPlace_Click(4);
        form.Settings().mnuConverter_Click();
        form.Form_Unload();
        EXPECT_EQ(form.Keys().lblResult(), "."); // the C key ran after the save
    }
    CalcForm next(platform);
    next.Form_Load();
    EXPECT_EQ(next.Banks().txtMem[0], "42.00");
    EXPECT_EQ(next.Banks().SelectedBank, 3);
    EXPECT_EQ(next.Banks().lblAccounts[3], "Rent = due");
    EXPECT_EQ(next.Keys().DecimalPlaces(), 4);
    EXPECT_TRUE(next.Settings().View().ConverterVisible());
    // The backup holds the state this run started with.
    EXPECT_EQ(Read("Sumwise.sbk"), Read("Sumwise.ini"));
}

TEST_F(StartupTest, OptionGroupAndMissingKeys) {
    Write("Sumwise.ini", "[Settings]\r\noptMem1=True\r\noptMem3=True\r\noptMem0=False\r\n"
                         "Points=9\r\nLeft=abc\r\n");
    CalcForm form(platform);
    form.Form_Load();
    EXPECT_EQ(form.Banks().SelectedBank, 3);
    EXPECT_EQ(form.Keys().DecimalPlaces(), 2);
    EXPECT_EQ(form.Settings().View().Left, 1000);
    EXPECT_TRUE(form.Settings().View().mnuBanks) << "a missing key loads its default";
    form.Form_Unload();
    const std::string saved = Read("Sumwise.ini");
    EXPECT_NE(saved.find("optMem3=True\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Banks=True\r\n"), std::string::npos) << "appended at the end";
}

TEST_F(StartupTest, RestoreBackup) {
    CalcForm form(platform);
    form.Form_Load();
    Type(form, "5+");
    form.Banks().cmdMemory_Click(kMemPlus);
    platform.inputAnswers = {"Changed"};
    form.Banks().lblAccounts_Click(0);
    form.Settings().SaveSettings();
    const std::string settings = Read("Sumwise.ini");

    platform.answers = {MsgAnswer::No};
    form.Settings().mnuRestore_Click();
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.Messages()[0].text.starts_with(
        "Are you sure you want to restore the backup created "));
    EXPECT_TRUE(platform.Messages()[0].text.ends_with(" ?"));
    EXPECT_EQ(platform.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Read("Sumwise.ini"), settings);
    EXPECT_EQ(form.Banks().lblAccounts[0], "Changed");

    platform.answers = {MsgAnswer::Yes};
    form.Settings().mnuRestore_Click();
    EXPECT_EQ(form.Banks().lblAccounts[0], "Account");
    EXPECT_EQ(form.Banks().txtMem[0], "0");
    EXPECT_EQ(form.lstTape().Count(), 1u) << "the tape is left alone";
    EXPECT_EQ(form.Conversions().cboCategories().items.size(), 7u);

    fs::remove(folder / "Sumwise.sbk");
    form.Settings().mnuRestore_Click();
    EXPECT_EQ(platform.Messages().back().text, "There is no backup to restore.");
}

TEST_F(StartupTest, AFolderThatCannotBeWrittenStartsWithDefaultsAndSaysItCannotSave) {
    platform.folder = (folder / "missing").string();
    CalcForm form(platform);
    EXPECT_NO_THROW(form.Form_Load());
    EXPECT_EQ(form.Keys().DecimalPlaces(), 2);
    EXPECT_NO_THROW(form.Form_Unload());
    ASSERT_EQ(platform.Messages().size(), 3u) << "the backup, the log once, the settings";
    EXPECT_NE(platform.Messages()[0].text.find("SaveBackup"), std::string::npos);
    EXPECT_NE(platform.Messages()[2].text.find("SaveSettings"), std::string::npos);
}

} // namespace
} // namespace sumwise
