#pragma once

#include <memory>

class FolderItem;

// A lock file that one running copy of the program holds from start to end,
// so that a second copy can tell it is not alone. The file names the process
// that holds it: one left behind by a copy that crashed counts as stale and is
// taken over.
class InstanceLock final {
public:
    enum class Outcome {
        Acquired,
        HeldByAnother, // another running copy holds it
        Unavailable, // the lock file cannot be made (no folder, no rights)
    };

    explicit InstanceLock(const FolderItem& lockFile);
    ~InstanceLock(); // releases the lock when held
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Never waits.
    Outcome TryAcquire();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
