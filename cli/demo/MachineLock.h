// The lock that runs of the native quorvin program hold while they load, change and
// save one demo machine file, so that runs side by side (as deployment scripts start
// them) never lose each other's changes: an exclusive advisory lock on a lock file
// beside the machine file ("<file>.lock"), waited for with a bound. Commands that only
// read take no lock: the file is replaced whole by a rename, so a reader sees the old
// machine or the new one, and a read-only file or folder still serves them.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace demo {

class MachineLock {
  public:
    // Raises std::runtime_error when the lock file cannot be made, or another run
    // holds the lock for longer than `wait`.
    MachineLock(const std::string& machineFile, std::chrono::milliseconds wait);
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;

  private:
    int fd_ = -1;
};

// How long a run waits for another one before it gives up.
inline constexpr std::chrono::seconds kMachineLockWait{60};

// Whether the command line may change the machine (everything but list, show,
// status, export, measure and help): those runs take the lock and save.
bool ChangesMachine(const std::vector<std::string>& quorvinArgs);

}  // namespace demo
