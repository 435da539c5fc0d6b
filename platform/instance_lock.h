#pragma once

#include <memory>
#include <string>

class FolderItem;

// A lock that one running copy of the program holds from start to end, so
// that a second copy can tell it is not alone. It is the kernel's advisory
// write lock on the open lock file, which ends with the process however it
// ends: a lock file left behind holds nobody out, whatever it contains. The
// file is never read or written.
class InstanceLock final {
public:
    enum class Outcome {
        Acquired,
        HeldByAnother, // another running copy holds it
        Unavailable, // no lock could be taken here; Problem says why
    };

    explicit InstanceLock(const FolderItem& lockFile);
    ~InstanceLock(); // releases the lock when held
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Never waits.
    Outcome TryAcquire();

    // Why the last TryAcquire gave Unavailable, in words for the user ("it is
    // a symbolic link", "No space left on device").
    const std::string& Problem() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
