// A replacing file really asks the system to put its bytes on the disk, and
// really hears when the system could not. The fault-injection hook sits in
// front of those calls, so it can tell neither; this executable defines
// fdatasync, fsync, close, renameat and openat itself, notes what each was
// called on, and passes the call on to the C library's own, or fails it the
// way the C library reports a failure: -1 and errno.

#include "file_access.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct SystemCalls {
    std::mutex mutex;
    std::vector<std::string> fileSyncs; // the path each fdatasync was called on
    std::vector<std::string> folderSyncs; // the path each fsync was called on
    int lastFileSynced = -1; // the descriptor of the last fdatasync
    bool failNextCloseOfSyncedFile = false;
    // The errno value each call fails with instead of reaching the system (0:
    // it reaches it).
    struct Failures {
        int fileSync = 0;
        int folderSync = 0;
        int rename = 0;
        int temporaryCreate = 0;
        int temporaryCreatesToFail = 0; // how many creations of a temporary file fail
    } failures;
    int temporaryCreates = 0; // openat calls for a temporary file's name
};

SystemCalls& Calls()
{
    static SystemCalls calls;
    return calls;
}

// What the descriptor is open on, as the system names it.
std::string PathOf(int descriptor)
{
    char path[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    const ssize_t length = ::readlink(link.c_str(), path, sizeof path);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

template <typename Function> Function Next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int Failed(int error)
{
    errno = error;
    return -1;
}

} // namespace

extern "C" int fdatasync(int descriptor)
{
    static const auto next = Next<int (*)(int)>("fdatasync");
    {
        std::lock_guard lock(Calls().mutex);
        Calls().fileSyncs.push_back(PathOf(descriptor));
        Calls().lastFileSynced = descriptor;
        if (Calls().failures.fileSync != 0)
            return Failed(Calls().failures.fileSync);
    }
    return next(descriptor);
}

extern "C" int fsync(int descriptor)
{
    static const auto next = Next<int (*)(int)>("fsync");
    {
        std::lock_guard lock(Calls().mutex);
        Calls().folderSyncs.push_back(PathOf(descriptor));
        if (Calls().failures.folderSync != 0)
            return Failed(Calls().failures.folderSync);
    }
    return next(descriptor);
}

extern "C" int renameat(int oldFolder, const char* oldName, int newFolder, const char* newName)
{
    static const auto next = Next<int (*)(int, const char*, int, const char*)>("renameat");
    {
        std::lock_guard lock(Calls().mutex);
        if (Calls().failures.rename != 0)
            return Failed(Calls().failures.rename);
    }
    return next(oldFolder, oldName, newFolder, newName);
}

// Only the temporary files of a save are failed (EACCES as a folder without
// write permission gives it, which root never sees; EROFS as a read-only
// mount): everything else this process opens goes through.
extern "C" int openat(int folder, const char* name, int flags, ...)
{
    static const auto next = Next<int (*)(int, const char*, int, ...)>("openat");
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        std::va_list arguments;
        va_start(arguments, flags);
        mode = static_cast<mode_t>(va_arg(arguments, unsigned int));
        va_end(arguments);
    }
    if (std::strstr(name, ".saving-") != nullptr) {
        std::lock_guard lock(Calls().mutex);
        ++Calls().temporaryCreates;
        if (Calls().failures.temporaryCreatesToFail > 0) {
            --Calls().failures.temporaryCreatesToFail;
            return Failed(Calls().failures.temporaryCreate);
        }
    }
    return next(folder, name, flags, mode);
}

// The close of the file just flushed fails once when asked to, as it can on a
// network file system that reports a write error only then. The descriptor is
// released all the same, as Linux always does.
extern "C" int close(int descriptor)
{
    static const auto next = Next<int (*)(int)>("close");
    bool fail = false;
    {
        std::lock_guard lock(Calls().mutex);
        if (Calls().failNextCloseOfSyncedFile && descriptor == Calls().lastFileSynced) {
            Calls().failNextCloseOfSyncedFile = false;
            fail = true;
        }
    }
    const int result = next(descriptor);
    if (fail) {
        errno = EIO;
        return -1;
    }
    return result;
}

namespace {

namespace fs = std::filesystem;

class FileSync : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::canonical(MakeTempFolder("sync")).string();
        target = folder + "/Varno Preferences";
        WriteFileBytes(target, "old");
        std::lock_guard lock(Calls().mutex);
        Calls().fileSyncs.clear();
        Calls().folderSyncs.clear();
        Calls().temporaryCreates = 0;
    }
    void TearDown() override { Fail({}); }

    static void Fail(const SystemCalls::Failures& failures)
    {
        std::lock_guard lock(Calls().mutex);
        Calls().failures = failures;
    }

    // Nothing but the target is left in the folder.
    void ExpectNoTemporaryFileLeft() const
    {
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
            << "a temporary file was left behind";
    }

    std::string folder;
    std::string target;
};

TEST_F(FileSync, TheFileAndItsFolderAreFlushedToTheDisk)
{
    ReplacingFile file(target, true);
    ASSERT_TRUE(file.Open()) << file.ErrorText();
    ASSERT_TRUE(file.Commit("new")) << file.ErrorText();

    std::lock_guard lock(Calls().mutex);
    // The file was flushed while it still had its temporary name, before it
    // took the old one's place; then the folder that holds the new name.
    ASSERT_EQ(Calls().fileSyncs.size(), 1u);
    const fs::path synced(Calls().fileSyncs[0]);
    EXPECT_EQ(synced.parent_path(), fs::path(folder));
    EXPECT_TRUE(ReplacingFile::IsTemporaryNameFor(synced.filename(), "Varno Preferences"))
        << synced;
    ASSERT_EQ(Calls().folderSyncs.size(), 1u);
    EXPECT_EQ(Calls().folderSyncs[0], folder);
    EXPECT_EQ(ReadFileBytes(target), "new");
}

TEST_F(FileSync, AFailedCloseFailsTheSaveAndKeepsTheOldFile)
{
    ReplacingFile file(target, true);
    ASSERT_TRUE(file.Open()) << file.ErrorText();
    {
        std::lock_guard lock(Calls().mutex);
        Calls().failNextCloseOfSyncedFile = true;
    }
    EXPECT_FALSE(file.Commit("new"));
    EXPECT_FALSE(file.TargetReplaced());
    EXPECT_EQ(file.ErrorText(), "closing the file failed: Input/output error");
    EXPECT_EQ(ReadFileBytes(target), "old");
    ExpectNoTemporaryFileLeft();
}

// The system's own refusal of each step after the writing is heard: the save
// fails with the step and the system's reason, and the old file stays unless
// the rename had already put the new one in its place. A file system that
// cannot flush a folder at all (EINVAL) loses nothing.
TEST_F(FileSync, AFailureTheSystemReportsFailsTheSaveWithItsReason)
{
    using Failures = SystemCalls::Failures;
    const struct {
        Failures failures;
        bool committed;
        const char* errorText;
        bool replaced;
    } cases[] = {
        { Failures { .fileSync = EIO }, false,
            "the file could not be flushed to the disk: Input/output error", false },
        { Failures { .rename = EIO }, false,
            "the new file could not be put in place of the old one: Input/output error", false },
        { Failures { .folderSync = EIO }, false,
            "the folder could not be flushed to the disk: Input/output error", true },
        { Failures { .folderSync = EINVAL }, true, "", true },
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.errorText);
        WriteFileBytes(target, "old");
        ReplacingFile file(target, true);
        ASSERT_TRUE(file.Open()) << file.ErrorText();
        Fail(each.failures);
        EXPECT_EQ(file.Commit("new"), each.committed);
        Fail({});
        EXPECT_EQ(file.ErrorText(), each.errorText);
        EXPECT_EQ(file.TargetReplaced(), each.replaced);
        EXPECT_EQ(ReadFileBytes(target), each.replaced ? "new" : "old");
        ExpectNoTemporaryFileLeft();
    }
}

// Only a name already taken is worth another try; any other refusal to create
// the temporary file ends the save at once, with the system's reason.
TEST_F(FileSync, ATemporaryFileTheSystemRefusesFailsTheOpenWithItsReason)
{
    using Failures = SystemCalls::Failures;
    const struct {
        Failures failures;
        bool opened;
        const char* errorText;
        int creates;
    } cases[] = {
        { Failures { .temporaryCreate = EACCES, .temporaryCreatesToFail = 100 }, false,
            "the file could not be created: Permission denied", 1 },
        { Failures { .temporaryCreate = EROFS, .temporaryCreatesToFail = 100 }, false,
            "the file could not be created: Read-only file system", 1 },
        { Failures { .temporaryCreate = EEXIST, .temporaryCreatesToFail = 3 }, true, "", 4 },
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.errorText);
        {
            std::lock_guard lock(Calls().mutex);
            Calls().temporaryCreates = 0;
        }
        Fail(each.failures);
        ReplacingFile file(target, true);
        EXPECT_EQ(file.Open(), each.opened);
        Fail({});
        EXPECT_EQ(file.ErrorText(), each.errorText);
        {
            std::lock_guard lock(Calls().mutex);
            EXPECT_EQ(Calls().temporaryCreates, each.creates);
        }
    }
    EXPECT_EQ(ReadFileBytes(target), "old");
    ExpectNoTemporaryFileLeft();
}

} // namespace
