#include "cli/demo/MachineLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "cli/Arguments.h"

namespace demo {

MachineLock::MachineLock(const std::string& machineFile, std::chrono::milliseconds wait) {
    const std::filesystem::path path(machineFile);
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    const std::string lockFile = machineFile + ".lock";
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        throw std::runtime_error("cannot open the lock file " + lockFile + ": " +
                                 std::strerror(errno));
    }
    const auto until = std::chrono::steady_clock::now() + wait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const std::string why = std::strerror(errno);
            ::close(fd_);
            throw std::runtime_error("cannot lock " + lockFile + ": " + why);
        }
        if (std::chrono::steady_clock::now() >= until) {
            ::close(fd_);
            throw std::runtime_error("another quorvin run holds " + lockFile + " for more than " +
                                     std::to_string(wait.count() / 1000) +
                                     " s; nothing was changed");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

MachineLock::~MachineLock() {
    // Closing the file releases the lock; the file stays for the next run.
    ::close(fd_);
}

bool ChangesMachine(const std::vector<std::string>& quorvinArgs) {
    static const char* const kReadOnly[] = {"list", "show", "status", "export", "measure"};
    if (std::find(quorvinArgs.begin(), quorvinArgs.end(), "--help") != quorvinArgs.end()) {
        return false;
    }
    const std::string command = cli::FindCommand(quorvinArgs);
    return std::none_of(std::begin(kReadOnly), std::end(kReadOnly),
                        [&](const char* name) { return command == name; }) &&
           !command.empty() && command != "help";
}

}  // namespace demo
