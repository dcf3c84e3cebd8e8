// Replacing a file keeps what the user made of it: a link stays a link, the mode and group
// stay, the new copy is never readable by more people than the old one, and what a killed
// save left behind is cleared at the next start.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "form/CalcForm.h"
#include "platform/FileOps.h"
#include "settings/SettingsSchema.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace sumwise {
namespace {

namespace fs = std::filesystem;

// Real files; notes the mode and group the new file has while its bytes go in, which is what
// a killed save would leave.
class WatchedDisk : public DiskFileOps {
public:
    unsigned modeWhileWriting = 0;
    unsigned gidWhileWriting = 0;

protected:
    bool WriteBytes(int fd, const std::string& path, const std::string& bytes) override {
        struct stat info {};
        ::fstat(fd, &info);
        modeWhileWriting = info.st_mode & 07777;
        gidWhileWriting = info.st_gid;
        return DiskFileOps::WriteBytes(fd, path, bytes);
    }
};

class FileReplaceTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder / "real"); }

    static std::string Read(const fs::path& path) { return testing::ReadFileBytes(path); }
    static void Write(const fs::path& path, const std::string& text) {
        testing::WriteFileBytes(path, text);
    }
    static struct stat Stat(const fs::path& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info;
    }

    testing::TempFolder temp;
    const fs::path folder = temp.path();
    WatchedDisk disk;
};

TEST_F(FileReplaceTest, ModeAndGroupAreKeptAndNeverLooserWhileWriting) {
    // Root may give any group; another user only one of its own.
    const gid_t otherGroup = ::getuid() == 0 ? 4242 : ::getgid();
    for (const unsigned mode : {0600u, 0640u, 0644u, 0660u, 0400u}) {
        SCOPED_TRACE(mode);
        const fs::path file = folder / "Sumwise.ini";
        Write(file, "old");
        ASSERT_EQ(::chown(file.c_str(), static_cast<uid_t>(-1), otherGroup), 0);
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);

        ASSERT_TRUE(disk.WriteFileAtomic(file.string(), "new"));
        EXPECT_EQ(Read(file), "new");
        EXPECT_EQ(Stat(file).st_mode & 07777, mode);
        EXPECT_EQ(Stat(file).st_gid, otherGroup);
        EXPECT_EQ(disk.modeWhileWriting & ~mode, 0u) << "the copy was looser than the file";
        EXPECT_EQ(disk.gidWhileWriting, otherGroup);
    }
}

TEST_F(FileReplaceTest, LinksStayLinksAndTheirTargetIsReplaced) {
    const fs::path target = folder / "real" / "Sumwise.ini";
    Write(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    const struct {
        const char* what;
        fs::path link;
        fs::path pointsTo;
    } cases[] = {
        {"relative", folder / "Sumwise.ini", "real/Sumwise.ini"},
        {"absolute", folder / "abs.ini", target},
        {"a link to a link", folder / "twice.ini", "Sumwise.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::create_symlink(c.pointsTo, c.link);
        ASSERT_TRUE(disk.WriteFileAtomic(c.link.string(), c.what)) << disk.FailureText();
        EXPECT_TRUE(fs::is_symlink(c.link));
        EXPECT_EQ(fs::read_symlink(c.link), c.pointsTo);
        EXPECT_EQ(Read(target), c.what);
        EXPECT_EQ(Stat(target).st_mode & 07777, 0600u);
    }
    // A dangling link gets its target created.
    fs::create_symlink("real/new.ini", folder / "dangling.ini");
    ASSERT_TRUE(disk.WriteFileAtomic((folder / "dangling.ini").string(), "made"));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.ini"));
    EXPECT_EQ(Read(folder / "real" / "new.ini"), "made");
}

TEST_F(FileReplaceTest, WhatIsNoRegularFileIsRefusedAndLeftAsItWas) {
    const fs::path toNull = folder / "null.ini";
    fs::create_symlink("/dev/null", toNull);
    const fs::path fifo = folder / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path loop = folder / "loop.ini";
    fs::create_symlink("loop.ini", loop);
    for (const fs::path& path : {toNull, fifo, loop}) {
        SCOPED_TRACE(path.filename().string());
        EXPECT_FALSE(disk.WriteFileAtomic(path.string(), "x"));
        EXPECT_FALSE(disk.FailureText().empty());
        std::string bytes;
        EXPECT_FALSE(disk.ReadFile(path.string(), bytes));
    }
    EXPECT_TRUE(fs::is_symlink(toNull));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Stat("/dev/null").st_mode & 0777, 0666u);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(disk.FailureText(), loop.string() + ": Too many levels of symbolic links");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4)
        << "no temporary file left";
}

// A pid no process has: a child that has ended and been reaped.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(FileReplaceTest, StartAndSavesRemoveOnlyTheTemporariesOfEndedSaves) {
    const std::string dead = std::to_string(EndedProcess());
    const std::string alive = std::to_string(::getpid());
    const struct {
        std::string name;
        bool removed;
    } cases[] = {
        {"Sumwise.ini.tmp." + dead + ".0", true},
        {"Sumwise.sbk.tmp." + dead + ".12", true},
        {"Sumwise.tape.tmp." + dead + ".2", true},
        {"Sumwise.options.tmp." + dead + ".5", true},
        {"Sumwise.ini.tmp." + alive + ".3", false}, // a save under way
        {"Sumwise.ini.tmp.abc.1", false},
        {"Sumwise.ini.tmp." + dead, false},
        {"Sumwise.ini.tmp." + dead + ".1x", false},
        {"Other.ini.tmp." + dead + ".0", false},
        {"Sumwise.ini.bak", false},
    };
    for (const auto& c : cases) {
        Write(folder / c.name, "left by a save");
    }
    fs::create_directory(folder / ("Sumwise.ini.tmp." + dead + ".7")); // never a folder

    testing::FakePlatform platform;
    platform.folder = folder.string();
    CalcForm form(platform, &disk);
    form.Form_Load();
    for (const auto& c : cases) {
        EXPECT_EQ(!fs::exists(folder / c.name), c.removed) << c.name;
    }
    EXPECT_TRUE(fs::is_directory(folder / ("Sumwise.ini.tmp." + dead + ".7")));
    EXPECT_TRUE(platform.Messages().empty());
    // Beside a file of the user's, the next save clears what a killed one left.
    Write(folder / ("day.tape.tmp." + dead + ".4"), "left by a save");
    ASSERT_TRUE(disk.WriteFileAtomic((folder / "day.tape").string(), "+ 1.00\n"));
    EXPECT_FALSE(fs::exists(folder / ("day.tape.tmp." + dead + ".4")));
}

TEST_F(FileReplaceTest, ALockIsHeldByOneHolderAtATime) {
    const std::string path = (folder / "Sumwise.tape.lock").string();
    std::unique_ptr<FileLock> first;
    std::unique_ptr<FileLock> second;
    ASSERT_EQ(disk.TryLock(path, first), LockOutcome::Held);
    EXPECT_EQ(DiskFileOps().TryLock(path, second), LockOutcome::Busy);
    EXPECT_EQ(second, nullptr);
    first.reset();
    EXPECT_EQ(DiskFileOps().TryLock(path, second), LockOutcome::Held);
    // A FIFO in the lock's place is never waited on.
    const fs::path fifo = folder / "fifo.lock";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(disk.TryLock(fifo.string(), first), LockOutcome::Unavailable);
}

// A disk that fills up halfway through a write.
class FillingDisk : public DiskFileOps {
protected:
    bool WriteBytes(int fd, const std::string& path, const std::string& bytes) override {
        DiskFileOps::WriteBytes(fd, path, bytes.substr(0, bytes.size() / 2));
        return Fail(path, "No space left on device");
    }
};

TEST(FileAppendTest, AnAppendThatCannotBeWrittenWholeIsTakenBackOut) {
    testing::TempFolder temp;
    const fs::path journal = temp.path() / "Sumwise.tape";
    testing::WriteFileBytes(journal, "+ 1.00\n");
    FillingDisk full;
    EXPECT_FALSE(full.AppendFile(journal.string(), "+ 2.00\n+ 3.00\n"));
    EXPECT_EQ(full.FailureText(), journal.string() + ": No space left on device");
    EXPECT_EQ(testing::ReadFileBytes(journal), "+ 1.00\n");
    DiskFileOps disk;
    EXPECT_TRUE(disk.AppendFile(journal.string(), "+ 2.00\n"));
    EXPECT_TRUE(disk.SyncFile(journal.string()));
    EXPECT_EQ(testing::ReadFileBytes(journal), "+ 1.00\n+ 2.00\n");
    EXPECT_FALSE(disk.SyncFile((temp.path() / "missing").string()));
}

} // namespace
} // namespace sumwise
