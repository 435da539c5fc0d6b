// A replacing file really asks the system to put its bytes on the disk. The
// fault-injection hook sits in front of those calls, so it cannot tell; this
// executable defines fdatasync, fsync and close itself, notes what each was
// called on, and passes the call on to the C library's own.

#include "file_access.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>
#include <dlfcn.h>
#include <unistd.h>

namespace {

struct SystemCalls {
    std::mutex mutex;
    std::vector<std::string> fileSyncs; // the path each fdatasync was called on
    std::vector<std::string> folderSyncs; // the path each fsync was called on
    int lastFileSynced = -1; // the descriptor of the last fdatasync
    bool failNextCloseOfSyncedFile = false;
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

} // namespace

extern "C" int fdatasync(int descriptor)
{
    static const auto next = Next<int (*)(int)>("fdatasync");
    {
        std::lock_guard lock(Calls().mutex);
        Calls().fileSyncs.push_back(PathOf(descriptor));
        Calls().lastFileSynced = descriptor;
    }
    return next(descriptor);
}

extern "C" int fsync(int descriptor)
{
    static const auto next = Next<int (*)(int)>("fsync");
    {
        std::lock_guard lock(Calls().mutex);
        Calls().folderSyncs.push_back(PathOf(descriptor));
    }
    return next(descriptor);
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
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "a temporary file was left behind";
}

} // namespace
