#include "restart/CompanionLauncher.h"

#include <optional>
#include <utility>
#include <vector>

#include "config/DriverPackage.h"
#include "platform/Platform.h"

namespace restart {

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

// Milliseconds from the performance counter, or nothing when it cannot be read.
std::optional<double> NowMs() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    if (!plat::QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 ||
        !plat::QueryPerformanceCounter(&counter)) {
        return std::nullopt;
    }
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Waits until the process ends: WAIT_OBJECT_0, WAIT_TIMEOUT, or WAIT_FAILED.
DWORD WaitForEnd(HANDLE process, const MessagePump& pump) {
    if (!pump) {
        return plat::WaitForSingleObject(process, kProgramWaitMs);
    }
    const std::optional<double> start = NowMs();
    DWORD left = kProgramWaitMs;
    for (;;) {
        const DWORD woken =
            plat::MsgWaitForMultipleObjectsEx(1, &process, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1) {
            return woken == WAIT_OBJECT_0 || woken == WAIT_TIMEOUT ? woken : WAIT_FAILED;
        }
        pump();
        // Messages shorten the wait by the time they took; without a clock each
        // round of them counts as a second.
        const std::optional<double> now = NowMs();
        const double spent = start && now ? *now - *start : kProgramWaitMs - left + 1000.0;
        if (spent >= kProgramWaitMs) {
            return WAIT_TIMEOUT;
        }
        left = static_cast<DWORD>(kProgramWaitMs - spent);
    }
}

}  // namespace

CompanionRun::Kind WaitForProgram(HANDLE process, const MessagePump& pump, DWORD& exitCode) {
    exitCode = 0;
    const DWORD waited = WaitForEnd(process, pump);
    if (waited == WAIT_TIMEOUT) {
        return CompanionRun::Kind::TimedOut;
    }
    if (waited != WAIT_OBJECT_0 || !plat::GetExitCodeProcess(process, &exitCode)) {
        return CompanionRun::Kind::Lost;
    }
    return CompanionRun::Kind::Finished;
}

std::string CompanionPath() {
    const std::string program = ProgramPath();
    const std::size_t slash = program.find_last_of('\\');
    if (slash == std::string::npos) {
        return {};
    }
    return program.substr(0, slash + 1) + config::kCompanion;
}

CompanionRun RunCompanionProgram(HWND owner, const std::string& parameters,
                                 const MessagePump& pump) {
    CompanionRun run;
    run.path = CompanionPath();
    if (run.path.empty() || !IsFile(run.path)) {
        run.kind = CompanionRun::Kind::Missing;
        return run;
    }
    const std::string arguments = pump ? parameters : kCompanionQuietSwitch + parameters;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(SHELLEXECUTEINFOA);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = nullptr;
    info.lpFile = run.path.c_str();
    info.lpParameters = arguments.c_str();
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOW;
    if (!plat::ShellExecuteExA(&info)) {
        run.kind = CompanionRun::Kind::NotStarted;
        return run;
    }
    const ProcessHandle process(info.hProcess);
    if (process.get() == nullptr) {
        run.kind = CompanionRun::Kind::Lost;
        return run;
    }
    run.kind = WaitForProgram(process.get(), pump, run.exitCode);
    return run;
}

CompanionRun RunInstallVerb(HWND owner, const MessagePump& pump) {
    CompanionRun run;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(SHELLEXECUTEINFOA);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = owner;
    info.lpVerb = config::kInstallVerb;
    info.lpFile = config::kInfFile;
    info.lpParameters = nullptr;
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOW;
    if (!plat::ShellExecuteExA(&info)) {
        run.kind = CompanionRun::Kind::NotStarted;
        return run;
    }
    const ProcessHandle process(info.hProcess);
    if (process.get() == nullptr) {
        run.kind = CompanionRun::Kind::Finished;
        return run;
    }
    run.kind = WaitForProgram(process.get(), pump, run.exitCode);
    return run;
}

}  // namespace restart
