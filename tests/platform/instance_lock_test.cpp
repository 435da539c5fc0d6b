#include "instance_lock.h"

#include "folder_item.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <functional>
#include <memory>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Outcome = InstanceLock::Outcome;

std::string LockPath()
{
    return MakeTempFolder("lock") + "/Varno Preferences.lock";
}

Outcome TryLock(const std::string& path)
{
    InstanceLock lock { FolderItem(path) };
    return lock.TryAcquire();
}

// A copy of the program in another process: it takes the lock, says so
// through a pipe and holds the lock until it is killed or told to end.
class OtherCopy {
public:
    explicit OtherCopy(const std::string& path)
    {
        int ready[2];
        int finish[2];
        if (::pipe(ready) != 0 || ::pipe(finish) != 0)
            ADD_FAILURE() << "no pipes";
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(finish[1]);
            InstanceLock lock { FolderItem(path) };
            const char outcome = lock.TryAcquire() == Outcome::Acquired ? 'A' : 'N';
            static_cast<void>(::write(ready[1], &outcome, 1));
            char ignored = 0;
            static_cast<void>(::read(finish[0], &ignored, 1));
            ::_exit(0);
        }
        finish_ = finish[1];
        ::close(finish[0]);
        ::close(ready[1]);
        char outcome = 0;
        acquired_ = ::read(ready[0], &outcome, 1) == 1 && outcome == 'A';
        ::close(ready[0]);
    }
    ~OtherCopy() { Kill(); }

    bool Acquired() const { return acquired_; }
    // Ends the way a quit does: the lock is released with the process.
    void Quit() { End(false); }
    // Ends the way a crash does.
    void Kill() { End(true); }

private:
    void End(bool kill)
    {
        if (pid_ <= 0)
            return;
        if (kill)
            ::kill(pid_, SIGKILL);
        ::close(finish_);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    pid_t pid_ = -1;
    int finish_ = -1;
    bool acquired_ = false;
};

} // namespace

TEST(InstanceLock, SecondLockInTheSameProcessIsRefusedUntilTheFirstIsGone)
{
    const std::string path = LockPath();
    auto first = std::make_unique<InstanceLock>(FolderItem(path));
    ASSERT_EQ(first->TryAcquire(), Outcome::Acquired);
    EXPECT_EQ(first->TryAcquire(), Outcome::Acquired) << "a held lock is held again";
    EXPECT_EQ(TryLock(path), Outcome::HeldByAnother);
    first.reset();
    EXPECT_EQ(TryLock(path), Outcome::Acquired);
    EXPECT_TRUE(fs::is_regular_file(path)) << "the lock file stays after the release";
}

TEST(InstanceLock, ALockHeldByAnotherProcessEndsWithThatProcess)
{
    const std::string path = LockPath();
    {
        OtherCopy other(path);
        ASSERT_TRUE(other.Acquired());
        EXPECT_EQ(TryLock(path), Outcome::HeldByAnother);
        other.Quit();
        EXPECT_EQ(TryLock(path), Outcome::Acquired);
    }
    OtherCopy crashed(path);
    ASSERT_TRUE(crashed.Acquired());
    EXPECT_EQ(TryLock(path), Outcome::HeldByAnother);
    crashed.Kill();
    EXPECT_EQ(TryLock(path), Outcome::Acquired);
}

// Whatever a crash, a kill while it was made or another program left in the
// file, a lock file nobody holds is taken, and neither read nor written.
TEST(InstanceLock, ALeftOverFileLocksNobodyOutWhateverItHolds)
{
    const struct {
        const char* what;
        std::string content;
    } leftovers[] = {
        { "empty", "" },
        { "NULs", std::string(64, '\0') },
        { "garbage", "\x89\xff not a process number \x01\n" },
        { "another host's lock", "4242\nvarno\nsome-other-host\n1a2b3c\n" },
        { "a process that still runs", std::to_string(::getpid()) + "\nvarno\n" },
    };
    for (const auto& leftover : leftovers) {
        SCOPED_TRACE(leftover.what);
        const std::string path = LockPath();
        WriteFileBytes(path, leftover.content);
        // A stale removal marker of the old kind of lock beside it.
        WriteFileBytes(path + ".rmlock", "");
        EXPECT_EQ(TryLock(path), Outcome::Acquired);
        EXPECT_EQ(ReadFileBytes(path), leftover.content);
    }

    // A huge sparse file would cost memory if it were read.
    const std::string sparse = LockPath();
    WriteFileBytes(sparse, "");
    fs::resize_file(sparse, std::uintmax_t { 5 } << 30);
    EXPECT_EQ(TryLock(sparse), Outcome::Acquired);
    EXPECT_EQ(fs::file_size(sparse), std::uintmax_t { 5 } << 30);
}

// A lock file of the user's own without permissions (root is never stopped by
// them, so root tries it as another user) is given them back and taken.
TEST(InstanceLock, ALockFileWithoutPermissionsIsTakenAllTheSame)
{
    const std::string folder = MakeTempFolder("lock-closed");
    const std::string path = folder + "/Varno Preferences.lock";
    WriteFileBytes(path, "");
    ::chmod(path.c_str(), 0);
    const bool asAnotherUser = ::geteuid() == 0;
    struct stat root { };
    ASSERT_EQ(::stat(TestRootFolder().c_str(), &root), 0);
    if (asAnotherUser) {
        // The other user passes through the test's private folder to its own.
        ASSERT_EQ(::chmod(TestRootFolder().c_str(), 0711), 0);
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (asAnotherUser && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        InstanceLock lock { FolderItem(path) };
        ::_exit(lock.TryAcquire() == Outcome::Acquired ? 0 : 1);
    }
    int status = 0;
    const pid_t ended = ::waitpid(child, &status, 0);
    ::chmod(TestRootFolder().c_str(), root.st_mode & 07777);
    ASSERT_EQ(ended, child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    struct stat after { };
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0600u);
}

TEST(InstanceLock, ANewLockFileIsTheUsersAlone)
{
    const std::string path = LockPath();
    const mode_t previous = ::umask(0);
    const Outcome outcome = TryLock(path);
    ::umask(previous);
    ASSERT_EQ(outcome, Outcome::Acquired);
    struct stat status { };
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(status.st_size, 0);
}

// What is not a regular file of the user's is never written through, never
// read and never waited on; the lock is then unavailable and says why.
TEST(InstanceLock, WhatIsNotARegularFileOfOursIsNeverUsed)
{
    const std::string folder = MakeTempFolder("lock-targets");
    WriteFileBytes(folder + "/precious", "the user's own file\n");

    struct Case {
        const char* what;
        std::function<void(const std::string&)> plant;
        const char* why;
    };
    const Case cases[] = {
        { "link to a file",
            [&](const std::string& path) { fs::create_symlink(folder + "/precious", path); },
            "it is a symbolic link" },
        { "link to nothing",
            [&](const std::string& path) { fs::create_symlink(folder + "/nothing", path); },
            "it is a symbolic link" },
        { "link to /dev/zero",
            [](const std::string& path) { fs::create_symlink("/dev/zero", path); },
            "it is a symbolic link" },
        { "folder", [](const std::string& path) { fs::create_directory(path); }, "it is a folder" },
        { "named pipe", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
            "it is not an ordinary file" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = LockPath();
        c.plant(path);
        InstanceLock lock { FolderItem(path) };
        EXPECT_EQ(lock.TryAcquire(), Outcome::Unavailable);
        EXPECT_EQ(lock.Problem(), c.why);
    }
    EXPECT_EQ(ReadFileBytes(folder + "/precious"), "the user's own file\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder + "/nothing")));

    // No folder to make it in: the system's reason.
    InstanceLock homeless { FolderItem(folder + "/missing/Varno Preferences.lock") };
    EXPECT_EQ(homeless.TryAcquire(), Outcome::Unavailable);
    EXPECT_EQ(homeless.Problem(), "No such file or directory");
}

TEST(InstanceLock, AFileOfAnotherUserIsNotTaken)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const std::string path = LockPath();
    WriteFileBytes(path, "");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    InstanceLock lock { FolderItem(path) };
    EXPECT_EQ(lock.TryAcquire(), Outcome::Unavailable);
    EXPECT_EQ(lock.Problem(), "it belongs to another user");
}
