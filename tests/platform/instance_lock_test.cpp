#include "instance_lock.h"

#include "folder_item.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Outcome = InstanceLock::Outcome;

std::string LockPath()
{
    return MakeTempFolder("lock") + "/Varno Preferences.lock";
}

// Another copy of the program: a child that takes the lock and holds it until
// it is killed. Its process id once it holds the lock, else -1.
pid_t LockInAnotherProcess(const std::string& path)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        InstanceLock lock { FolderItem(path) };
        const char held = lock.TryAcquire() == Outcome::Acquired ? 'A' : 'N';
        static_cast<void>(::write(ready[1], &held, 1));
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char held = 0;
    const bool holds = ::read(ready[0], &held, 1) == 1 && held == 'A';
    ::close(ready[0]);
    if (holds)
        return child;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

} // namespace

// A lock is held while its holder lives, in this process or another, and no
// longer: a crash releases it. The lock file is the user's alone and empty.
TEST(InstanceLock, IsHeldExactlyAsLongAsItsHolder)
{
    const std::string path = LockPath();
    const mode_t umask = ::umask(0);
    auto first = std::make_unique<InstanceLock>(FolderItem(path));
    const Outcome taken = first->TryAcquire();
    ::umask(umask);
    ASSERT_EQ(taken, Outcome::Acquired);
    EXPECT_EQ(first->TryAcquire(), Outcome::Acquired) << "a held lock is held again";
    EXPECT_EQ(InstanceLock(FolderItem(path)).TryAcquire(), Outcome::HeldByAnother);
    first.reset();
    struct stat status { };
    ASSERT_EQ(::stat(path.c_str(), &status), 0) << "the lock file stays after the release";
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(status.st_size, 0);

    const pid_t other = LockInAnotherProcess(path);
    ASSERT_GT(other, 0);
    EXPECT_EQ(InstanceLock(FolderItem(path)).TryAcquire(), Outcome::HeldByAnother);
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    EXPECT_EQ(InstanceLock(FolderItem(path)).TryAcquire(), Outcome::Acquired);
}

// A program Varno starts (a help viewer) may outlive it; it must not take the
// lock with it.
TEST(InstanceLock, ProgramsStartedWhileItIsHeldDoNotKeepIt)
{
    const std::string path = LockPath();
    auto held = std::make_unique<InstanceLock>(FolderItem(path));
    ASSERT_EQ(held->TryAcquire(), Outcome::Acquired);
    const pid_t viewer = ::fork();
    if (viewer == 0) {
        ::execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(viewer, 0);
    // Once the child runs sleep, whatever it inherited is in place.
    std::string running;
    for (int i = 0; i < 500 && running.find("sleep") == std::string::npos; ++i) {
        ::usleep(10000);
        running = ReadFileBytes("/proc/" + std::to_string(viewer) + "/comm");
    }
    held.reset();
    EXPECT_EQ(InstanceLock(FolderItem(path)).TryAcquire(), Outcome::Acquired);
    ::kill(viewer, SIGKILL);
    ::waitpid(viewer, nullptr, 0);
}

// Whatever a crash, a kill while it was made or another program left at the
// lock's name: a regular file of the user's is taken and never read or
// written; anything else is never opened through, and is said to be in the way.
TEST(InstanceLock, WhatIsFoundAtItsNameNeverKeepsTheUserOut)
{
    const std::string folder = MakeTempFolder("lock-targets");
    WriteFileBytes(folder + "/precious", "the user's own file\n");
    const auto contents = [](std::string bytes) {
        return [bytes](const std::string& path) { WriteFileBytes(path, bytes); };
    };
    const auto link = [](std::string target) {
        return [target](const std::string& path) { fs::create_symlink(target, path); };
    };
    struct Case {
        const char* what;
        std::function<void(const std::string&)> plant;
        const char* why; // "" when the lock is taken
    };
    const Case cases[] = {
        { "empty", contents(""), "" },
        { "NULs", contents(std::string(64, '\0')), "" },
        { "garbage", contents("\x89\xff not a process number \x01\n"), "" },
        { "another host's lock", contents("4242\nvarno\nsome-other-host\n1a2b3c\n"), "" },
        { "a process that still runs", contents(std::to_string(::getpid()) + "\nvarno\n"), "" },
        { "5 GB sparse, which would cost memory if read",
            [](const std::string& path) {
                WriteFileBytes(path, "");
                fs::resize_file(path, std::uintmax_t { 5 } << 30);
            },
            "" },
        { "link to a file", link(folder + "/precious"), "it is a symbolic link" },
        { "link to nothing", link(folder + "/nothing"), "it is a symbolic link" },
        { "link to /dev/zero", link("/dev/zero"), "it is a symbolic link" },
        { "folder", [](const std::string& path) { fs::create_directory(path); }, "it is a folder" },
        { "named pipe", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); },
            "it is not an ordinary file" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = LockPath();
        c.plant(path);
        // A stale removal marker of the old kind of lock beside it.
        WriteFileBytes(path + ".rmlock", "");
        const bool regular = fs::is_regular_file(fs::symlink_status(path));
        const std::uintmax_t size = regular ? fs::file_size(path) : 0;
        const std::string before = regular && size < 1024 ? ReadFileBytes(path) : std::string();
        InstanceLock lock { FolderItem(path) };
        EXPECT_EQ(lock.TryAcquire(), *c.why ? Outcome::Unavailable : Outcome::Acquired);
        EXPECT_EQ(lock.Problem(), c.why);
        if (regular) {
            EXPECT_EQ(fs::file_size(path), size);
            EXPECT_EQ(size < 1024 ? ReadFileBytes(path) : std::string(), before);
        }
    }
    EXPECT_EQ(ReadFileBytes(folder + "/precious"), "the user's own file\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder + "/nothing")));

    // No folder to make it in: the system's reason.
    InstanceLock homeless { FolderItem(folder + "/missing/Varno Preferences.lock") };
    EXPECT_EQ(homeless.TryAcquire(), Outcome::Unavailable);
    EXPECT_EQ(homeless.Problem(), "No such file or directory");
}

// A lock file without permissions is given them back and taken when it is
// the user's own, and left alone when it is another user's; a folder without
// them says so. Root is never stopped by permissions, so root tries its own
// as another user.
TEST(InstanceLock, PermissionsDecideOnlyForTheUsersOwnFile)
{
    const std::string folder = MakeTempFolder("lock-closed");
    const std::string path = folder + "/Varno Preferences.lock";
    WriteFileBytes(path, "");
    ::chmod(path.c_str(), 0);
    const bool asAnotherUser = ::geteuid() == 0;
    struct stat root { };
    ASSERT_EQ(::stat(TestRootFolder().c_str(), &root), 0);
    if (asAnotherUser) {
        // The root process itself finds a file of another user.
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        InstanceLock foreign { FolderItem(path) };
        EXPECT_EQ(foreign.TryAcquire(), Outcome::Unavailable);
        EXPECT_EQ(foreign.Problem(), "it belongs to another user");
        // The other user passes through the test's private folder to its own.
        ASSERT_EQ(::chmod(TestRootFolder().c_str(), 0711), 0);
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    }
    // A folder the user may not write in: no lock file can be made there, and
    // the system's reason for that is the one given.
    const std::string closedFolder = MakeTempFolder("lock-no-room");
    ASSERT_EQ(::chmod(closedFolder.c_str(), 0555), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (asAnotherUser && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        InstanceLock lock { FolderItem(path) };
        if (lock.TryAcquire() != Outcome::Acquired)
            ::_exit(1);
        InstanceLock refused { FolderItem(closedFolder + "/Varno Preferences.lock") };
        const bool toldWhy = refused.TryAcquire() == Outcome::Unavailable
            && refused.Problem() == "Permission denied";
        ::_exit(toldWhy ? 0 : 3);
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
