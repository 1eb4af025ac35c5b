#pragma once
// One running window per user: a lock file in the user's runtime folder. The
// system drops the lock when the process ends, however it ends.
#include <string>

namespace platform {

class InstanceLock {
public:
    // Takes the lock "<runtime folder>/<name>.lock". A lock file that cannot be
    // made stops no one: only a lock held by another process counts.
    explicit InstanceLock(const std::string& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    bool AnotherInstanceRuns() const { return anotherRuns_; }

private:
    int fd_ = -1;
    bool anotherRuns_ = false;
};

// $XDG_RUNTIME_DIR, else a folder of the user's own under the system temp folder.
std::string RuntimeDir();

}  // namespace platform
