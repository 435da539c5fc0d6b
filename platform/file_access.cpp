#include "file_access.h"
#include "file_access_testing.h"

#include "folder_item.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary file is named "<target name>.saving-" and six random letters or
// digits. The marker is one no person types, so the clean-up of what a killed
// save left behind never takes a copy the user made (".Backup", ".Copy01").
constexpr std::string_view kTemporaryMarker = ".saving-";
constexpr int kTemporarySuffixLength = 6;
constexpr char kTemporaryCharacters[]
    = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsTemporaryCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

struct SyncFailures {
    int file = 0;
    int folder = 0;
};

SyncFailures& InjectedSyncFailures()
{
    static SyncFailures failures;
    return failures;
}

// A file whose opening for reading fails on purpose, and with what.
struct OpenFailure {
    std::string path;
    int error = 0;
};

OpenFailure& InjectedOpenFailure()
{
    static OpenFailure failure;
    return failure;
}

// ::open for reading, unless a test made this file fail (-1 and errno set).
int OpenForReading(const std::string& path, int flags)
{
    const OpenFailure& failure = InjectedOpenFailure();
    if (failure.error != 0 && failure.path == path) {
        errno = failure.error;
        return -1;
    }
    return ::open(path.c_str(), flags);
}

// 0, or the errno value of the failed flush.
int SyncFile(int descriptor)
{
    if (InjectedSyncFailures().file != 0)
        return InjectedSyncFailures().file;
    return ::fdatasync(descriptor) == 0 ? 0 : errno;
}

int SyncFolder(int descriptor)
{
    if (InjectedSyncFailures().folder != 0)
        return InjectedSyncFailures().folder;
    if (::fsync(descriptor) == 0)
        return 0;
    // Some file systems cannot flush a folder at all; nothing is lost then.
    return errno == EINVAL || errno == ENOTSUP ? 0 : errno;
}

std::string SystemText(int error)
{
    return std::strerror(error);
}

void CloseDescriptor(int& descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

} // namespace

void SetSyncFailuresForTesting(int fileSyncError, int folderSyncError)
{
    InjectedSyncFailures() = { fileSyncError, folderSyncError };
}

void SetOpenFailureForTesting(const std::string& path, int error)
{
    InjectedOpenFailure() = { path, error };
}

FileIdentity FileIdentity::Of(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return {};
    return From(status);
}

FileIdentity FileIdentity::From(const struct stat& status)
{
    FileIdentity identity;
    identity.exists = true;
    identity.regularFile = S_ISREG(status.st_mode);
    identity.device = static_cast<std::uint64_t>(status.st_dev);
    identity.inode = static_cast<std::uint64_t>(status.st_ino);
    identity.size = static_cast<std::int64_t>(status.st_size);
    identity.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    return identity;
}

QString QtPath(const FolderItem& item)
{
    return QFile::decodeName(QByteArray::fromStdString(item.NativePath()));
}

WholeFile ReadWholeFile(const FolderItem& item, std::uint64_t maxBytes)
{
    // No bound needs more than this, and it leaves room to count past it.
    maxBytes = std::min<std::uint64_t>(maxBytes, std::numeric_limits<std::size_t>::max() / 4);
    WholeFile result;
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    int descriptor
        = OpenForReading(item.NativePath(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        result.fault
            = error == ENOENT || error == ENOTDIR ? ReadFault::Missing : ReadFault::Unreadable;
        result.errorText = SystemText(error);
        return result;
    }
    struct stat status { };
    if (::fstat(descriptor, &status) != 0) {
        result.fault = ReadFault::Unreadable;
        result.errorText = SystemText(errno);
    } else if (S_ISDIR(status.st_mode)) {
        result.fault = ReadFault::Missing;
    } else if (!S_ISREG(status.st_mode)) {
        result.fault = ReadFault::NotRegular;
    } else if (static_cast<std::uint64_t>(status.st_size) > maxBytes) {
        result.fault = ReadFault::TooLarge;
    }
    if (result.fault != ReadFault::None) {
        CloseDescriptor(descriptor);
        return result;
    }

    // The size is only a hint (the file may grow while it is read); the bound
    // is what counts. The bytes are read straight into the string, which has
    // room for one byte more than the size, so a file that grew is noticed.
    std::string content(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t size = 0;
    for (;;) {
        if (size == content.size())
            content.resize(
                static_cast<std::size_t>(std::min<std::uint64_t>(size * 2, maxBytes) + 1));
        const ssize_t got = ::read(descriptor, content.data() + size, content.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.fault = ReadFault::Unreadable;
            result.errorText = SystemText(errno);
            break;
        }
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
        if (size > maxBytes) {
            result.fault = ReadFault::TooLarge;
            break;
        }
    }
    content.resize(size);
    CloseDescriptor(descriptor);
    if (result.fault == ReadFault::None) {
        result.content = std::move(content);
        // The status from before the read is the file that was read: one
        // written to meanwhile (another copy saving) counts as another file.
        result.identity = FileIdentity::From(status);
    }
    return result;
}

std::string ReplacedPath(const std::string& targetPath, bool followLink)
{
    if (!followLink)
        return targetPath;
    struct stat linkStatus { };
    if (::lstat(targetPath.c_str(), &linkStatus) != 0 || !S_ISLNK(linkStatus.st_mode))
        return targetPath;
    char resolved[PATH_MAX];
    if (::realpath(targetPath.c_str(), resolved) == nullptr)
        return targetPath;
    return resolved;
}

ReplacingFile::ReplacingFile(std::string targetPath, bool followLink)
    : targetPath_(std::move(targetPath))
    , followLink_(followLink)
{
}

ReplacingFile::~ReplacingFile()
{
    Discard();
}

bool ReplacingFile::Fail(const std::string& step, int error)
{
    errorText_ = step + ": " + SystemText(error);
    Discard();
    return false;
}

void ReplacingFile::Discard()
{
    CloseDescriptor(fileDescriptor_);
    if (!temporaryName_.empty() && folderDescriptor_ >= 0)
        ::unlinkat(folderDescriptor_, temporaryName_.c_str(), 0);
    temporaryName_.clear();
    CloseDescriptor(folderDescriptor_);
}

bool ReplacingFile::Open()
{
    Discard();
    errorText_.clear();
    replaced_ = false;
    written_ = {};

    const std::string target = ReplacedPath(targetPath_, followLink_);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
        : slash == 0                                      ? std::string("/")
                                                          : target.substr(0, slash);
    targetName_ = slash == std::string::npos ? target : target.substr(slash + 1);

    // Without links, not even the folder is reached through one.
    folderDescriptor_ = ::open(
        folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink_ ? 0 : O_NOFOLLOW));
    if (folderDescriptor_ < 0) {
        const int error = errno;
        return Fail("the folder could not be opened", error);
    }

    // A new file keeps the permissions of the one it replaces.
    mode_t mode = 0666;
    struct stat old { };
    if (::fstatat(folderDescriptor_, targetName_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(old.st_mode))
        mode = old.st_mode & 07777;

    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = targetName_ + std::string(kTemporaryMarker);
        for (int i = 0; i < kTemporarySuffixLength; ++i)
            name += kTemporaryCharacters[QRandomGenerator::system()->bounded(
                static_cast<int>(sizeof kTemporaryCharacters - 1))];
        fileDescriptor_ = ::openat(folderDescriptor_, name.c_str(),
            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fileDescriptor_ >= 0) {
            temporaryName_ = name;
            if (S_ISREG(old.st_mode))
                ::fchmod(fileDescriptor_, mode);
            return true;
        }
        const int error = errno;
        if (error != EEXIST)
            return Fail("the file could not be created", error);
    }
    return Fail("the file could not be created", EEXIST);
}

bool ReplacingFile::Commit(std::string_view bytes)
{
    if (fileDescriptor_ < 0) {
        if (errorText_.empty())
            errorText_ = "the file was not open";
        return false;
    }
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fileDescriptor_, next, left);
        const int error = written < 0 ? errno : ENOSPC;
        if (written < 0 && error == EINTR)
            continue;
        if (written <= 0)
            return Fail("writing the file failed", error);
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (const int error = SyncFile(fileDescriptor_); error != 0)
        return Fail("the file could not be flushed to the disk", error);
    // Its identity once the bytes are in: the rename keeps it.
    struct stat status { };
    written_
        = ::fstat(fileDescriptor_, &status) == 0 ? FileIdentity::From(status) : FileIdentity {};
    const int closing = ::close(fileDescriptor_);
    const int closeError = errno;
    fileDescriptor_ = -1;
    if (closing != 0 && closeError != EINTR)
        return Fail("closing the file failed", closeError);
    if (::renameat(
            folderDescriptor_, temporaryName_.c_str(), folderDescriptor_, targetName_.c_str())
        != 0) {
        const int error = errno;
        return Fail("the new file could not be put in place of the old one", error);
    }
    temporaryName_.clear();
    replaced_ = true;
    if (const int error = SyncFolder(folderDescriptor_); error != 0)
        return Fail("the folder could not be flushed to the disk", error);
    CloseDescriptor(folderDescriptor_);
    return true;
}

bool ReplacingFile::IsTemporaryNameFor(const std::string& fileName, const std::string& targetName)
{
    const std::string prefix = targetName + std::string(kTemporaryMarker);
    if (fileName.size() != prefix.size() + kTemporarySuffixLength || !fileName.starts_with(prefix))
        return false;
    const std::string_view suffix = std::string_view(fileName).substr(prefix.size());
    return std::all_of(suffix.begin(), suffix.end(), IsTemporaryCharacter);
}
