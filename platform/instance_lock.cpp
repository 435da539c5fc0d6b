#include "instance_lock.h"

#include "folder_item.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lock file of the user's own whose permissions were taken away is given
// back the ones it is made with, so it cannot keep Varno from its lock. The
// file is reached without following a link, and changed only when it is a
// regular file of the user's. errno is left as it was: when nothing could be
// given back, the reason the lock file could not be opened is what counts.
bool GiveBackPermissions(const std::string& path)
{
    const int openError = errno;
    const int file = ::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0) {
        errno = openError;
        return false;
    }
    struct stat status { };
    bool given = false;
    if (::fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid()) {
        const std::string self = "/proc/self/fd/" + std::to_string(file);
        given = ::chmod(self.c_str(), 0600) == 0;
    }
    ::close(file);
    errno = openError;
    return given;
}

// Takes a write lock on the whole file without waiting: 0, or the errno
// value. It is the open file's own lock (not the process's), so it ends when
// the last descriptor of that open file is closed, and it is the kind of
// lock a network file system passes on to its server, which grants a write
// lock only on a file open for writing.
int LockWholeFile(int descriptor)
{
    struct flock lock { };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    for (;;) {
        if (::fcntl(descriptor, F_OFD_SETLK, &lock) == 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}

} // namespace

struct InstanceLock::Private {
    std::string path;
    int descriptor = -1;
    std::string problem;

    InstanceLock::Outcome Unavailable(std::string why)
    {
        problem = std::move(why);
        return InstanceLock::Outcome::Unavailable;
    }
};

InstanceLock::InstanceLock(const FolderItem& lockFile)
    : d(std::make_unique<Private>())
{
    d->path = lockFile.NativePath();
}

InstanceLock::~InstanceLock()
{
    // Closing the file releases the lock. The file stays: removing it would
    // let a copy that opened it just before lock a file nobody else sees.
    if (d->descriptor >= 0)
        ::close(d->descriptor);
}

InstanceLock::Outcome InstanceLock::TryAcquire()
{
    if (d->descriptor >= 0)
        return Outcome::Acquired;
    d->problem.clear();

    // A link at the lock's name is never followed, a pipe opens without
    // waiting for a writer, and the lock is not handed on to the programs
    // this one starts (a help viewer must not keep Varno locked). The file
    // is opened for writing only because a write lock needs it; nothing is
    // ever written.
    constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int descriptor = ::open(d->path.c_str(), kFlags | O_CREAT, 0600);
    if (descriptor < 0 && errno == EACCES && GiveBackPermissions(d->path))
        descriptor = ::open(d->path.c_str(), kFlags);
    if (descriptor < 0) {
        const int error = errno;
        if (error == ELOOP)
            return d->Unavailable("it is a symbolic link");
        if (error == EISDIR)
            return d->Unavailable("it is a folder");
        if (error == ENXIO)
            return d->Unavailable("it is not an ordinary file");
        return d->Unavailable(std::strerror(error));
    }

    struct stat status { };
    std::string why;
    if (::fstat(descriptor, &status) != 0)
        why = std::strerror(errno);
    else if (!S_ISREG(status.st_mode))
        why = "it is not an ordinary file";
    else if (status.st_uid != ::geteuid())
        why = "it belongs to another user";
    if (!why.empty()) {
        ::close(descriptor);
        return d->Unavailable(why);
    }

    const int error = LockWholeFile(descriptor);
    if (error == 0) {
        d->descriptor = descriptor;
        return Outcome::Acquired;
    }
    ::close(descriptor);
    if (error == EAGAIN || error == EACCES)
        return Outcome::HeldByAnother;
    return d->Unavailable(std::strerror(error));
}

const std::string& InstanceLock::Problem() const
{
    return d->problem;
}
