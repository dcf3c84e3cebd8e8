// A settings file that cannot be used must not cost the user the backup that can: start-up
// takes the defaults, leaves both files alone, says so once, and Restore Backup still works.
// Failures name the file and the system's reason.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "form/CalcForm.h"
#include "settings/SettingsSchema.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace sumwise {
namespace {

namespace fs = std::filesystem;

// Real files, where one path can be made unreadable (root reads any mode) or the disk full.
class FaultyDisk : public DiskFileOps {
public:
    std::string unreadable;
    bool full = false;

    bool ReadFile(const std::string& path, std::string& bytes) override {
        if (path == unreadable) {
            return FailWithError(path, EACCES);
        }
        return DiskFileOps::ReadFile(path, bytes);
    }

protected:
    // New files cannot be written; appending to the log still can, so the failures are kept.
    bool WriteNewFile(const std::string& path, const std::string& bytes,
                      const std::optional<FileIdentity>& keep) override {
        if (full) {
            return FailWithError(path, ENOSPC);
        }
        return DiskFileOps::WriteNewFile(path, bytes, keep);
    }
};

class DamagedSettingsTest : public ::testing::Test {
public: // the damage of each case works on the fixture
    void SetUp() override { platform.folder = folder.string(); }
    static std::string Read(const fs::path& path) { return testing::ReadFileBytes(path); }
    static void Write(const fs::path& path, const std::string& text) {
        testing::WriteFileBytes(path, text);
    }
    fs::path ini() const { return folder / kSettingsFileName; }
    fs::path sbk() const { return folder / kBackupFileName; }

    // A run that names the first account, so the backup the next start makes holds it.
    void RunThatNamesAnAccount() {
        {
            CalcForm form(platform, &disk);
            form.Form_Load();
            platform.inputAnswers = {"Rent"};
            form.Banks().lblAccounts_Click(0);
            form.Form_Unload();
        }
        CalcForm form(platform, &disk);
        form.Form_Load(); // backs the named account up
        platform.Messages().clear();
    }

    testing::TempFolder temp;
    const fs::path folder = temp.path();
    testing::FakePlatform platform;
    FaultyDisk disk;
};

TEST_F(DamagedSettingsTest, StartUsesDefaultsKeepsTheBackupAndSaysHowToRestore) {
    const struct {
        const char* what;
        std::function<void(DamagedSettingsTest&)> damage;
        const char* reason;  // in the message
        bool restoreInPlace; // Restore Backup can replace what is there
    } cases[] = {
        {"2 KB of random bytes", [](auto& t) { Write(t.ini(), testing::RandomBytes(2048, 16)); },
         "no [Settings] section", true},
        {"no settings section", [](auto& t) { Write(t.ini(), "[Other]\r\nAccount0=Gone\r\n"); },
         "no [Settings] section", true},
        {"unreadable", [](auto& t) { t.disk.unreadable = t.ini().string(); }, "Permission denied",
         true},
        // Opening a FIFO to read would wait for a writer forever.
        {"a FIFO",
         [](auto& t) {
             fs::remove(t.ini());
             ASSERT_EQ(::mkfifo(t.ini().c_str(), 0600), 0);
         },
         "not a regular file", false},
        // Reading a device would never end.
        {"a link to a device",
         [](auto& t) {
             fs::remove(t.ini());
             fs::create_symlink("/dev/zero", t.ini());
         },
         "not a regular file", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        disk.unreadable.clear();
        RunThatNamesAnAccount();
        const std::string backup = Read(sbk());
        ASSERT_NE(backup.find("Account0=Rent"), std::string::npos);
        c.damage(*this);

        CalcForm form(platform, &disk);
        form.Form_Load();
        EXPECT_EQ(form.Banks().lblAccounts[0], "Account") << "the defaults";
        EXPECT_EQ(Read(sbk()), backup) << "the backup is left as it was";
        ASSERT_EQ(platform.Messages().size(), 1u);
        const testing::ShownMessage& box = platform.Messages()[0];
        EXPECT_EQ(box.title, "Sumwise");
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_NE(box.text.find(ini().string()), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.reason), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("File > Restore Backup"), std::string::npos) << box.text;

        disk.unreadable.clear();
        platform.Messages().clear();
        platform.answers = {MsgAnswer::Yes};
        form.Settings().mnuRestore_Click();
        if (c.restoreInPlace) {
            EXPECT_EQ(form.Banks().lblAccounts[0], "Rent") << "the backup brings the name back";
            EXPECT_EQ(Read(ini()), backup);
        } else {
            // Nothing replaces a FIFO or a device; the refusal is said with its reason.
            ASSERT_EQ(platform.Messages().size(), 2u) << "the question, then the refusal";
            EXPECT_NE(platform.Messages()[1].text.find("Sumwise.ini: not a regular file"),
                      std::string::npos)
                << platform.Messages()[1].text;
            EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(ini())));
        }
    }
}

TEST_F(DamagedSettingsTest, NonRegularBackupOrLogIsNeverOpened) {
    ASSERT_EQ(::mkfifo(sbk().c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder / kErrorLogName).c_str(), 0600), 0);
    CalcForm form(platform, &disk);
    form.Form_Load(); // the backup cannot be written over a FIFO: said, and logged nowhere
    ASSERT_EQ(platform.Messages().size(), 2u) << "the failure, then that the log is not kept";
    EXPECT_NE(platform.Messages()[0].text.find("SaveBackup"), std::string::npos);
    EXPECT_NE(platform.Messages()[0].text.find("Sumwise.sbk: not a regular file"),
              std::string::npos)
        << platform.Messages()[0].text;
    EXPECT_TRUE(fs::is_fifo(sbk()));
    EXPECT_TRUE(fs::is_fifo(folder / kErrorLogName));
}

TEST_F(DamagedSettingsTest, FailuresNameTheFileAndTheReason) {
    RunThatNamesAnAccount();
    const std::string settings = Read(ini());
    // Both files have to be written: a backup from before the account was named, and a
    // decimal place that differs from the settings file's.
    testing::WriteFileBytes(sbk().string(), "[Settings]\r\nAccount0=Account\r\n");
    disk.full = true;
    CalcForm form(platform, &disk);
    form.Form_Load();
    form.Keys().cboDecPlace_Click(4);
    form.Form_Unload();
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_NE(platform.Messages()[0].text.find("Path/File access error: " + sbk().string() +
                                               ": No space left on device"),
              std::string::npos)
        << platform.Messages()[0].text;
    EXPECT_NE(platform.Messages()[1].text.find("Path/File access error: " + ini().string() +
                                               ": No space left on device"),
              std::string::npos)
        << platform.Messages()[1].text;
    const std::string log = Read(folder / kErrorLogName);
    EXPECT_NE(log.find("Sumwise.ini: No space left on device"), std::string::npos) << log;

    // A restore that cannot copy is said too, and leaves the settings file as it was.
    platform.Messages().clear();
    platform.answers = {MsgAnswer::Yes};
    form.Settings().mnuRestore_Click();
    ASSERT_EQ(platform.Messages().size(), 2u) << "the question, then the failure";
    EXPECT_NE(platform.Messages()[1].text.find("mnuRestore_Click"), std::string::npos);
    EXPECT_NE(platform.Messages()[1].text.find("Sumwise.ini: No space left on device"),
              std::string::npos)
        << platform.Messages()[1].text;
    EXPECT_EQ(Read(ini()), settings);
}

} // namespace
} // namespace sumwise
