// What the machine or a bad file can do to the settings: the program starts, keeps what it
// can, says what it could not save, and never leaves a settings file half written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "form/CalcForm.h"
#include "settings/ProfileText.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsSchema.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace sumwise {
namespace {

namespace fs = std::filesystem;

// Real files whose writes can be made to fail, as on a full disk, or refused where the system
// would refuse them (root may write anywhere).
class FullDiskFileOps : public DiskFileOps {
public:
    bool full = false;
    int refusal = 0;     // met by every new file (path is the temporary) and append
    int folderError = 0; // met by making a missing folder

protected:
    int OpenRegularForWriting(const std::string& path, int flags, off_t& size) override {
        return refusal != 0 ? (FailWithError(path, refusal), -1)
                            : DiskFileOps::OpenRegularForWriting(path, flags, size);
    }
    int CreateRefusal(const std::string& folder) override {
        return folderError != 0 ? folderError : DiskFileOps::CreateRefusal(folder);
    }
    bool WriteNewFile(const std::string& path, const std::string& bytes,
                      const std::optional<FileIdentity>& keep) override {
        if (refusal != 0) {
            return FailWithError(path, refusal);
        }
        if (full) {
            // Part of the bytes reach the new file, then the disk is full.
            DiskFileOps::WriteNewFile(path, bytes.substr(0, bytes.size() / 2), keep);
            fs::remove(path);
            return FailWithError(path, ENOSPC);
        }
        return DiskFileOps::WriteNewFile(path, bytes, keep);
    }
};

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override { platform.folder = folder.string(); }
    static std::string Read(const fs::path& path) { return testing::ReadFileBytes(path); }
    static void Write(const fs::path& path, const std::string& text) {
        testing::WriteFileBytes(path, text);
    }
    fs::path ini() const { return folder / kSettingsFileName; }
    fs::path log() const { return folder / kErrorLogName; }
    std::size_t FilesInFolder() const { return temp.EntryCount(); }

    testing::TempFolder temp;
    const fs::path folder = temp.path();
    testing::FakePlatform platform;
};

TEST_F(FaultTest, BadSettingsFilesStartAndSaveCleanly) {
    std::string big = "[Settings]\r\nMem1=12.5\r\n";
    while (big.size() < 10 * 1024 * 1024) {
        big += "; a comment line that nobody reads, kept as it stands\r\n";
    }
    const struct {
        const char* what;
        std::string content;
        std::string mem1;      // the bank text loaded
        std::string account0;  // the account name loaded
        std::size_t infoBoxes; // a file with no settings section is said at start
    } cases[] = {
        {"10 MB", big, "12.5", "Account", 0},
        {"binary garbage", testing::RandomBytes(64 * 1024, 7), "0", "Account", 1},
        {"garbage in the section", "[Settings]\r\nMem1=3\r\n" + testing::RandomBytes(4096, 9), "3",
         "Account", 0},
        {"invalid UTF-8", "[Settings]\r\nAccount0=Caf\xE9 \xFF\xFE\r\nMem1=\xC3\x28\r\n",
         "\xC3\x83(", "Caf\xC3\xA9 \xC3\xBF\xC3\xBE", 0},
        {"a 1 MB value", "[Settings]\r\nAccount0=" + std::string(1024 * 1024, 'n') + "\r\n", "0",
         std::string(kMaxProfileValueChars, 'n'), 0},
        // A bank text is kept byte for byte, NULs too.
        {"NUL bytes in a line", std::string("[Settings]\r\nMem1=4\0\0x\r\n", 23),
         std::string("4\0\0x", 4), "Account", 0},
    };
    for (const auto& c : cases) {
        platform.Messages().clear();
        Write(ini(), c.content);
        {
            CalcForm form(platform);
            ASSERT_NO_THROW(form.Form_Load()) << c.what;
            EXPECT_EQ(form.Banks().txtMem[1], c.mem1) << c.what;
            EXPECT_EQ(form.Banks().lblAccounts[0], c.account0) << c.what;
            form.Banks().txtMem[2] = "77";
            ASSERT_NO_THROW(form.Form_Unload()) << c.what;
        }
        ASSERT_EQ(platform.Messages().size(), c.infoBoxes) << c.what;
        for (const testing::ShownMessage& box : platform.Messages()) {
            EXPECT_EQ(box.icon, MsgIcon::Information) << c.what << ": " << box.text;
        }
        platform.Messages().clear();
        CalcForm again(platform);
        again.Form_Load();
        EXPECT_EQ(again.Banks().txtMem[2], "77") << c.what << ": the save did not stick";
        EXPECT_EQ(again.Banks().txtMem[1], c.mem1) << c.what;
        EXPECT_TRUE(platform.Messages().empty()) << c.what << ": the saved file reads cleanly";
        fs::remove(folder / kBackupFileName);
    }
}

TEST_F(FaultTest, SettingsFileThatIsAFolderIsLeftAloneAndTheFailureSaid) {
    fs::create_directory(ini());
    Write(ini() / "inside.txt", "kept");
    CalcForm form(platform);
    ASSERT_NO_THROW(form.Form_Load());
    EXPECT_EQ(form.Keys().DecimalPlaces(), 2) << "the defaults";
    ASSERT_NO_THROW(form.Form_Unload());
    EXPECT_TRUE(fs::is_directory(ini()));
    EXPECT_EQ(Read(ini() / "inside.txt"), "kept");
    ASSERT_EQ(platform.Messages().size(), 2u) << "said at start, and the save at exit failed";
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Information);
    EXPECT_NE(platform.Messages()[1].text.find("SaveSettings"), std::string::npos);
    EXPECT_NE(platform.Messages()[1].text.find("Sumwise.ini: not a regular file"),
              std::string::npos);
    EXPECT_NE(Read(log()).find("SaveSettings"), std::string::npos);
}

TEST_F(FaultTest, FullDiskKeepsTheOldSettingsWholeAndSaysSo) {
    FullDiskFileOps disk;
    {
        CalcForm form(platform, &disk);
        form.Form_Load();
        form.Banks().txtMem[0] = "1234.5";
        form.Form_Unload();
    }
    const std::string saved = Read(ini());
    ASSERT_NE(saved.find("Mem0=1234.5"), std::string::npos);

    disk.full = true;
    CalcForm form(platform, &disk);
    form.Form_Load(); // the backup cannot be written either
    form.Banks().txtMem[0] = "99";
    form.Form_Unload();
    EXPECT_EQ(Read(ini()), saved) << "the old file, byte for byte";
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_NE(platform.Messages()[0].text.find("SaveBackup"), std::string::npos);
    EXPECT_NE(platform.Messages()[1].text.find("SaveSettings"), std::string::npos);
    EXPECT_EQ(FilesInFolder(), 4u) << "settings, backup, log and journal lock; no temporary file";
}

TEST_F(FaultTest, FailuresNameTheFileWithItsFolderAndTheTrueReason) {
    const std::string cannot = "its folder is missing and cannot be created in " + folder.string();
    const struct {
        fs::path in; // the settings folder
        int refusal, folderError;
        std::string reason;
    } cases[] = {{folder, EACCES, 0, "Permission denied"},
                 {folder, EROFS, 0, "Read-only file system"},
                 {folder, ENOSPC, 0, "No space left on device"},
                 {folder / "gone", 0, 0, "No such file or directory"},
                 {folder / "gone" / "deeper", 0, EACCES, cannot + ": Permission denied"}};
    for (const auto& c : cases) {
        platform.folder = c.in.string();
        FullDiskFileOps disk;
        disk.refusal = c.refusal;
        disk.folderError = c.folderError;
        CalcForm form(platform, &disk);
        form.Form_Load();
        form.Form_Unload();
        const auto description = [&](const char* file) {
            return "\r\nDescription: Path/File access error: " + (c.in / file).string() + ": " +
                   c.reason + "\r\n";
        };
        const std::vector<testing::ShownMessage>& said = platform.Messages();
        ASSERT_EQ(said.size(), 3u) << c.reason;
        EXPECT_NE(said[0].text.find(description(kBackupFileName)), std::string::npos);
        EXPECT_EQ(said[1].text, "The error log cannot be kept in \"" +
                                    (c.in / kErrorLogName).string() + "\": " + c.reason + ".");
        EXPECT_NE(said[2].text.find(description(kSettingsFileName)), std::string::npos);
        platform.Messages().clear();
    }
}

TEST_F(FaultTest, ErrorLogThatCannotBeWrittenStillShowsTheMessage) {
    fs::create_directory(log()); // no file can be appended there
    CalcForm form(platform);
    form.Form_Load();
    form.Keys().cmdFunction_Click(2); // the reciprocal of 0 fails: a message and a log record
    ASSERT_EQ(platform.Messages().size(), 2u) << "the failure, then that the log is not kept";
    EXPECT_NE(platform.Messages()[0].text.find("Division by zero"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(log()));
}

TEST_F(FaultTest, KillDuringSaveLeavesTheOldOrTheNewFileNeverAMix) {
    // Two states whose files differ everywhere, large enough for a write to take a while.
    SettingsValues first, second;
    first.Account[0] = std::string(900, 'a');
    second.Account[0] = std::string(900, 'b');
    first.Mem[1] = "1";
    second.Mem[1] = "2";
    DiskFileOps disk;
    const std::string path = ini().string();
    ASSERT_TRUE(SaveSettingsValues(disk, path, second));
    const std::string secondText = Read(ini());
    ASSERT_TRUE(SaveSettingsValues(disk, path, first));
    const std::string firstText = Read(ini());

    std::mt19937 random(42);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                SaveSettingsValues(disk, path, i % 2 == 0 ? second : first);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 5000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = Read(ini());
        ASSERT_TRUE(now == firstText || now == secondText)
            << "round " << round << ": " << now.size() << " bytes of neither";
    }
    // A killed save can leave its temporary file; the settings file itself is whole.
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == kSettingsFileName || name.starts_with("Sumwise.ini.tmp.")) << name;
    }
}

TEST_F(FaultTest, HugeClipboardIsRefusedAtOnce) {
    CalcForm form(platform);
    form.Form_Load();
    platform.clipboard = std::string(10 * 1024 * 1024, '7');
    const std::string before = form.Keys().lblResult();
    const std::size_t lines = form.lstTape().Count();
    form.Keys().mnuPaste_Click();
    EXPECT_EQ(form.Keys().lblResult(), before);
    EXPECT_EQ(form.lstTape().Count(), lines);
}

} // namespace
} // namespace sumwise
