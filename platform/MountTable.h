#pragma once

#include <functional>
#include <string>
#include <vector>

namespace dashcam {

// The file systems mounted now.
class IMountTable {
public:
    virtual ~IMountTable() = default;
    // The mount points of every mounted file system, in the order the system lists them.
    virtual std::vector<std::string> MountPoints() = 0;
};

// News that the mounted file systems may have changed (a card was inserted, mounted or pulled).
class IMountWatch {
public:
    virtual ~IMountWatch() = default;
    // From now on calls `changed` on the user-interface thread after every change, until Stop.
    virtual void Start(std::function<void()> changed) = 0;
    virtual void Stop() = 0;
};

} // namespace dashcam
