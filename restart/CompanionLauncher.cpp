#include "restart/CompanionLauncher.h"

#include <utility>
#include <vector>

#include "config/DriverPackage.h"
#include "platform/Platform.h"

namespace {

// Long paths are allowed for, up to the longest a module path can have.
constexpr DWORD kPathSizes[] = {MAX_PATH, 4096, 32768};

class ProcessHandle {
  public:
    explicit ProcessHandle(HANDLE process) : process_(process) {}
    ~ProcessHandle() {
        if (process_ != nullptr) {
            plat::CloseHandle(process_);
        }
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE get() const { return process_; }

  private:
    HANDLE process_;
};

std::string ProgramPath() {
    for (const DWORD size : kPathSizes) {
        std::vector<char> buffer(size, '\0');
        const DWORD length = plat::GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        // A full buffer means the path was cut short (and, on XP, not terminated).
        if (length < size) {
            return std::string(buffer.data(), length);
        }
    }
    return {};
}

bool IsFile(const std::string& path) {
    const DWORD attributes = plat::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Waits until the process ends; false when the wait itself failed.
bool WaitForEnd(HANDLE process, const MessagePump& pump) {
    if (!pump) {
        return plat::WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0;
    }
    for (;;) {
        const DWORD woken =
            plat::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) {
            return true;
        }
        if (woken != WAIT_OBJECT_0 + 1) {
            return false;
        }
        pump();
    }
}

}  // namespace

std::string CompanionPath() {
    const std::string program = ProgramPath();
    const std::size_t slash = program.find_last_of('\\');
    if (slash == std::string::npos) {
        return {};
    }
    return program.substr(0, slash + 1) + kCompanion;
}

CompanionRun RunCompanionProgram(HWND owner, const std::string& parameters,
                                 const MessagePump& pump) {
    CompanionRun run;
    run.path = CompanionPath();
    if (run.path.empty() || !IsFile(run.path)) {
        run.kind = CompanionRun::Kind::Missing;
        return run;
    }
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(SHELLEXECUTEINFOA);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = nullptr;
    info.lpFile = run.path.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOW;
    if (!plat::ShellExecuteExA(&info)) {
        run.kind = CompanionRun::Kind::NotStarted;
        return run;
    }
    const ProcessHandle process(info.hProcess);
    DWORD exitCode = 0;
    if (process.get() == nullptr || !WaitForEnd(process.get(), pump) ||
        !plat::GetExitCodeProcess(process.get(), &exitCode)) {
        run.kind = CompanionRun::Kind::Lost;
        return run;
    }
    run.kind = CompanionRun::Kind::Finished;
    run.exitCode = exitCode;
    return run;
}
