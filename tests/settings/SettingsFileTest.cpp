#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "platform/FileOps.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsSchema.h"
#include "support/TempFolder.h"

namespace sumwise {
namespace {

namespace fs = std::filesystem;

const std::string kDefaultFile = "[Settings]\r\nLeft=1000\r\nTop=1000\r\nOnTop=False\r\n"
                                 "Mem0=0\r\nMem1=0\r\nMem2=0\r\nMem3=0\r\nMem4=0\r\n"
                                 "optMem0=True\r\noptMem1=False\r\noptMem2=False\r\n"
                                 "optMem3=False\r\noptMem4=False\r\n"
                                 "Banks=True\r\nConverter=False\r\nTape=True\r\nPoints=2\r\n"
                                 "Account0=Account\r\nAccount1=Account\r\nAccount2=Account\r\n"
                                 "Account3=Account\r\nAccount4=Account\r\n";

// Real files on disk whose write can be made to fail at one step.
class FaultyDiskFileOps : public DiskFileOps {
public:
    bool failRename = false;
    bool failHalfway = false;
    bool failRead = false;

    bool ReadFile(const std::string& path, std::string& bytes) override {
        return !failRead && DiskFileOps::ReadFile(path, bytes);
    }

protected:
    bool WriteNewFile(const std::string& path, const std::string& bytes,
                      const std::optional<FileIdentity>& keep) override {
        if (failHalfway) {
            DiskFileOps::WriteNewFile(path, bytes.substr(0, bytes.size() / 2), keep);
            return false;
        }
        return DiskFileOps::WriteNewFile(path, bytes, keep);
    }
    bool RenameOver(const std::string& from, const std::string& to) override {
        return !failRename && DiskFileOps::RenameOver(from, to);
    }
};

class SettingsFile : public ::testing::Test {
protected:
    static void Put(const std::string& path, const std::string& bytes) {
        testing::WriteFileBytes(path, bytes);
    }
    static std::string Get(const std::string& path) { return testing::ReadFileBytes(path); }
    std::size_t FilesInFolder() const { return temp_.EntryCount(); }

    testing::TempFolder temp_;
    const fs::path folder_ = temp_.path();
    const std::string ini_ = (folder_ / kSettingsFileName).string();
    const std::string sbk_ = (folder_ / kBackupFileName).string();
    FaultyDiskFileOps files_;
};

TEST_F(SettingsFile, FirstRunCreatesBothFilesWithTheDefaults) {
    for (const std::string& path : {ini_, sbk_}) {
        EXPECT_FALSE(FileExists(files_, path));
        EXPECT_TRUE(WriteDefaultSettings(files_, path));
        EXPECT_TRUE(FileExists(files_, path));
        EXPECT_EQ(Get(path), kDefaultFile);
    }
    // Saving what the defaults load as rewrites the same bytes.
    EXPECT_TRUE(SaveSettingsValues(files_, sbk_, LoadSettingsValues(files_, ini_)));
    EXPECT_EQ(Get(sbk_), kDefaultFile);
    EXPECT_FALSE(FileExists(files_, folder_.string()));
}

TEST_F(SettingsFile, DefaultValues) {
    const SettingsValues v = LoadSettingsValues(files_, ini_); // no file: the defaults
    EXPECT_EQ(v.Left, 1000);
    EXPECT_EQ(v.Top, 1000);
    EXPECT_FALSE(v.OnTop);
    EXPECT_EQ(v.Mem, (std::array<std::string, 5>{"0", "0", "0", "0", "0"}));
    EXPECT_EQ(v.optMem, (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_TRUE(v.Banks);
    EXPECT_FALSE(v.Converter);
    EXPECT_TRUE(v.Tape);
    EXPECT_EQ(v.Points, 2);
    EXPECT_EQ(v.Account[4], "Account");
    EXPECT_EQ(SelectedBankAfterLoad(v), 0);
}

TEST_F(SettingsFile, MissingFileReadsEmptyNotTheDefault) {
    EXPECT_EQ(ReadIniString(files_, "Settings", "Left", "1000", ini_), "");
    Put(ini_, "[Settings]\r\n");
    EXPECT_EQ(ReadIniString(files_, "Settings", "Left", "1000", ini_), "1000");
}

TEST_F(SettingsFile, MissingKeyLoadsItsDefaultAndIsAppendedAtTheEndOfTheSection) {
    std::string content = kDefaultFile;
    content.erase(content.find("Banks=True\r\n"), 12);
    Put(ini_, content + "[Other]\r\nBanks=False\r\n");
    SettingsValues v = LoadSettingsValues(files_, ini_);
    EXPECT_TRUE(v.Banks);

    v.Banks = false;
    ASSERT_TRUE(SaveSettingsValues(files_, ini_, v));
    std::string expected = content;
    expected.replace(expected.find("Account4=Account\r\n"), 18,
                     "Account4=Account\r\nBanks=False\r\n");
    EXPECT_EQ(Get(ini_), expected + "[Other]\r\nBanks=False\r\n");
}

TEST_F(SettingsFile, SaveKeepsOtherKeysCommentsAndSpacing) {
    Put(ini_, "; Sumwise settings\r\n[Window]\r\nLeft=1\r\n\r\n[settings]\r\n  LEFT = 20\r\n"
              "Mine = keep me \r\n;optMem0=False\r\nTop=30\r\n");
    SettingsValues v = LoadSettingsValues(files_, ini_);
    EXPECT_EQ(v.Left, 20);
    EXPECT_EQ(v.Top, 30);
    v.Left = 1234.5;
    ASSERT_TRUE(SaveSettingsValues(files_, ini_, v));
    EXPECT_EQ(Get(ini_),
              "; Sumwise settings\r\n[Window]\r\nLeft=1\r\n\r\n[settings]\r\n  LEFT = 1234.5\r\n"
              "Mine = keep me \r\n;optMem0=False\r\nTop=30\r\n" +
                  kDefaultFile.substr(kDefaultFile.find("OnTop=")));
    EXPECT_EQ(LoadSettingsValues(files_, ini_).Left, 1234.5);
}

TEST_F(SettingsFile, ValuesRoundTrip) {
    SettingsValues v;
    v.Left = -150;
    v.Top = 99999;
    v.OnTop = true;
    v.Mem = {"12.50", "-3", "", " 7 ", "1E+20"};
    v.optMem = {false, true, false, true, false};
    v.Converter = true;
    v.Points = 0;
    v.Account = {"Rent=Home", "Caf\xC3\xA9", "\"Joe\"", "a = b", "Account"};
    ASSERT_TRUE(SaveSettingsValues(files_, ini_, v));
    EXPECT_NE(Get(ini_).find("Account0=Rent=Home\r\n"), std::string::npos);
    EXPECT_NE(Get(ini_).find("Left=-150\r\n"), std::string::npos);

    const SettingsValues back = LoadSettingsValues(files_, ini_);
    EXPECT_EQ(back.Left, -150);
    EXPECT_EQ(back.Top, 99999);
    EXPECT_TRUE(back.OnTop);
    EXPECT_EQ(back.Mem, v.Mem);
    EXPECT_EQ(back.optMem, v.optMem);
    EXPECT_EQ(SelectedBankAfterLoad(back), 3);
    EXPECT_TRUE(back.Converter);
    EXPECT_EQ(back.Points, 0);
    EXPECT_EQ(back.Account, v.Account);

    ASSERT_TRUE(WriteIniString(files_, "Settings", "Account2", "x=y=", ini_));
    EXPECT_EQ(ReadIniString(files_, "settings", "ACCOUNT2", "", ini_), "x=y=");
}

TEST_F(SettingsFile, LfOnlyAndWindows1252FilesLoad) {
    Put(ini_, "[Settings]\nLeft=15\nAccount0=Caf\xE9 \x80\x96\nAccount1=\xC3\xA9t\xC3\xA9\n");
    const SettingsValues v = LoadSettingsValues(files_, ini_);
    EXPECT_EQ(v.Left, 15);
    EXPECT_EQ(v.Account[0], "Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93");
    EXPECT_EQ(v.Account[1], "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(v.Account[2], "Account");

    // The first save writes the file as UTF-8.
    ASSERT_TRUE(SaveSettingsValues(files_, ini_, v));
    EXPECT_TRUE(Get(ini_).starts_with(
        "[Settings]\nLeft=15\r\nAccount0=Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93\r\n"
        "Account1=\xC3\xA9t\xC3\xA9\r\nTop=1000\r\n"));
}

TEST_F(SettingsFile, ValuesThatDoNotConvertUseTheDefault) {
    const struct {
        const char* line;
        SettingId id;
        const char* loaded; // as the value saves
    } cases[] = {
        {"Left=abc", SettingId::Left, "1000"},       {"Left=12abc", SettingId::Left, "1000"},
        {"Left=1e400", SettingId::Left, "1000"},     {"Left=3e9", SettingId::Left, "1000"},
        {"Left=inf", SettingId::Left, "1000"},       {"Left=", SettingId::Left, "1000"},
        {"Left= -1.5E3 ", SettingId::Left, "-1500"}, {"Top=+7.", SettingId::Top, "7"},
        {"Points=9", SettingId::Points, "2"},        {"Points=-1", SettingId::Points, "2"},
        {"Points=two", SettingId::Points, "2"},      {"Points=6", SettingId::Points, "6"},
        {"Points=0", SettingId::Points, "0"},        {"Points=2.5", SettingId::Points, "2"},
        {"OnTop=maybe", SettingId::OnTop, "False"},  {"OnTop=tRUE", SettingId::OnTop, "True"},
        {"OnTop=-1", SettingId::OnTop, "True"},      {"Tape=0", SettingId::Tape, "False"},
        {"Tape=", SettingId::Tape, "True"},          {"optMem0=FALSE", SettingId::optMem0, "False"},
        {"Mem2=abc", SettingId::Mem2, "abc"},
    };
    for (const auto& c : cases) {
        const SettingsValues v = SettingsValuesFromText(std::string("[Settings]\r\n") + c.line);
        EXPECT_EQ(SettingText(v, c.id), c.loaded) << c.line;
    }
}

TEST_F(SettingsFile, FailedWriteLeavesTheOldFileIntact) {
    const std::string old = "[Settings]\r\nLeft=1\r\n; keep\r\n";
    SettingsValues v;
    v.Left = 5;
    for (bool halfway : {false, true}) {
        Put(ini_, old);
        files_.failRename = !halfway;
        files_.failHalfway = halfway;
        EXPECT_FALSE(SaveSettingsValues(files_, ini_, v));
        EXPECT_FALSE(WriteIniString(files_, "Settings", "Left", "5", ini_));
        EXPECT_FALSE(WriteDefaultSettings(files_, ini_));
        EXPECT_EQ(Get(ini_), old);
        EXPECT_EQ(FilesInFolder(), 1u) << "a temporary file was left behind";
    }
    // An existing file that cannot be read is not overwritten either.
    files_.failRename = files_.failHalfway = false;
    files_.failRead = true;
    EXPECT_FALSE(SaveSettingsValues(files_, ini_, v));
    EXPECT_FALSE(WriteIniString(files_, "Settings", "Left", "5", ini_));
    EXPECT_EQ(Get(ini_), old);
}

TEST_F(SettingsFile, ValueWithLineBreakIsSkippedAndReported) {
    WriteDefaultSettings(files_, ini_);
    SettingsValues v;
    v.Mem[1] = "1\r\nLeft=0";
    v.Top = 20;
    EXPECT_FALSE(SaveSettingsValues(files_, ini_, v));
    const SettingsValues back = LoadSettingsValues(files_, ini_);
    EXPECT_EQ(back.Mem[1], "0");
    EXPECT_EQ(back.Left, 1000);
    EXPECT_EQ(back.Top, 20);
}

TEST_F(SettingsFile, WriteKeepsPermissionsCopyAndLastModified) {
    Put(ini_, "[Settings]\r\n");
    fs::permissions(ini_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteIniString(files_, "Settings", "Left", "1", ini_));
    struct stat info {};
    ASSERT_EQ(::stat(ini_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ASSERT_TRUE(files_.Copy(ini_, sbk_));
    EXPECT_EQ(Get(sbk_), "[Settings]\r\nLeft=1\r\n");
    EXPECT_TRUE(files_.Remove(ini_));
    EXPECT_FALSE(files_.Remove(ini_));
    EXPECT_FALSE(files_.Copy(ini_, sbk_));

    const std::time_t when = 1781000000;
    const timeval times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimes(sbk_.c_str(), times), 0);
    std::tm local{};
    ::localtime_r(&when, &local);
    const std::optional<DateTime> modified = files_.LastModified(sbk_);
    ASSERT_TRUE(modified.has_value());
    EXPECT_EQ(modified->year, local.tm_year + 1900);
    EXPECT_EQ(modified->month, local.tm_mon + 1);
    EXPECT_EQ(modified->day, local.tm_mday);
    EXPECT_EQ(modified->hour, local.tm_hour);
    EXPECT_EQ(modified->minute, local.tm_min);
    EXPECT_EQ(modified->second, local.tm_sec);
    EXPECT_FALSE(files_.LastModified(ini_).has_value());
}

TEST_F(SettingsFile, SavingWhatTheFileHoldsOnlyMarksItAsWrittenNow) {
    // An unchanged file keeps its bytes and its inode, but its time says it was saved now:
    // the restore question shows that time as the backup's.
    SettingsValues v = SettingsValuesFromText(kDefaultFile);
    const std::string cp1252 = "[Settings]\r\nAccount0=Caf\xE9\r\n";
    v.Account[0] = "Caf\xC3\xA9";
    const struct {
        const char* what;
        std::optional<std::string> before; // empty: what the save writes; nullopt: no file
        bool rewritten;
    } cases[] = {
        {"the same bytes", "", false},
        {"another value", "[Settings]\r\nAccount0=Home\r\n", true},
        {"the same text in another encoding", cp1252, true},
        {"no file", std::nullopt, true},
    };
    const std::time_t old = 1781000000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(sbk_);
        if (c.before) {
            if (c.before->empty()) {
                ASSERT_TRUE(SaveSettingsValues(files_, sbk_, v));
            } else {
                Put(sbk_, *c.before);
            }
            const timeval times[2] = {{old, 0}, {old, 0}};
            ASSERT_EQ(::utimes(sbk_.c_str(), times), 0);
        }
        struct stat before {};
        const bool existed = ::stat(sbk_.c_str(), &before) == 0;
        const std::time_t start = std::time(nullptr);
        ASSERT_TRUE(SaveSettingsValues(files_, sbk_, v));
        struct stat after {};
        ASSERT_EQ(::stat(sbk_.c_str(), &after), 0);
        EXPECT_EQ(LoadSettingsValues(files_, sbk_).Account[0], "Caf\xC3\xA9");
        EXPECT_GE(after.st_mtime, start);
        EXPECT_EQ(existed && after.st_ino == before.st_ino, !c.rewritten);
        EXPECT_EQ(FilesInFolder(), 1u);
    }
}

} // namespace
} // namespace sumwise
