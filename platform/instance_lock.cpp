#include "instance_lock.h"

#include "file_access.h"
#include "folder_item.h"

#include <QLockFile>

struct InstanceLock::Private {
    explicit Private(const QString& path)
        : file(path)
    {
    }
    QLockFile file;
};

InstanceLock::InstanceLock(const FolderItem& lockFile)
    : d(std::make_unique<Private>(QtPath(lockFile)))
{
    // Stale only when its process is gone, never by age: a copy may run for
    // days.
    d->file.setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

InstanceLock::Outcome InstanceLock::TryAcquire()
{
    if (d->file.isLocked() || d->file.tryLock(0))
        return Outcome::Acquired;
    return d->file.error() == QLockFile::LockFailedError ? Outcome::HeldByAnother
                                                         : Outcome::Unavailable;
}
