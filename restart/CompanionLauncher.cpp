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

// GetModuleFileNameW with a buffer that grows until the path fits.
WideString ProgramPath() {
    for (const DWORD size : kPathSizes) {
        std::vector<WCHAR> buffer(size, 0);
        const DWORD length = plat::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        // A full buffer means the path was cut short (and, on XP, not terminated).
        if (length < size) {
            return WideString(buffer.data(), length);
        }
    }
    return {};
}

bool IsFile(const WideString& path) {
    const DWORD attributes = plat::GetFileAttributesW(path.c_str());
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

WideString CompanionFile() {
    const WideString program = ProgramPath();
    const std::size_t slash = program.find_last_of(WCHAR('\\'));
    if (slash == WideString::npos) {
        return {};
    }
    return program.substr(0, slash + 1) + WidenAscii(config::kCompanion);
}

std::string CompanionPath() {
    return ShownInAnsi(CompanionFile());
}

namespace {

// A program the shell starts, waited for.
struct ShellStart {
    HWND owner = nullptr;
    WideString verb;  // empty: the file's default action
    WideString file;
    std::optional<WideString> parameters;
    // The shell's own error boxes: the companion's caller reports a missing or
    // unstartable companion itself, while for the install verb the shell's box is the
    // only place that says why a setup information file did not open.
    bool shellErrorBoxes = false;
    // What a start that hands back no process handle counts as: the companion always
    // gives one, so that is a lost run; the shell's installer may give none (a
    // DDE-started handler), and only reading the service back can tell then.
    CompanionRun::Kind withoutProcess = CompanionRun::Kind::Lost;
};

CompanionRun::Kind StartAndWait(const ShellStart& start, const MessagePump& pump, DWORD& exitCode) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(SHELLEXECUTEINFOW);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | (start.shellErrorBoxes ? 0 : SEE_MASK_FLAG_NO_UI);
    info.hwnd = start.owner;
    info.lpVerb = start.verb.empty() ? nullptr : start.verb.c_str();
    info.lpFile = start.file.c_str();
    info.lpParameters = start.parameters ? start.parameters->c_str() : nullptr;
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOW;
    if (!plat::ShellExecuteExW(&info)) {
        return CompanionRun::Kind::NotStarted;
    }
    const ProcessHandle process(info.hProcess);
    if (process.get() == nullptr) {
        return start.withoutProcess;
    }
    return WaitForProgram(process.get(), pump, exitCode);
}

}  // namespace

CompanionRun RunCompanionProgram(HWND owner, const std::string& parameters,
                                 const MessagePump& pump) {
    CompanionRun run;
    const WideString file = CompanionFile();
    run.path = ShownInAnsi(file);
    if (file.empty() || !IsFile(file)) {
        run.kind = CompanionRun::Kind::Missing;
        return run;
    }
    ShellStart start;
    start.owner = owner;
    start.file = file;
    start.parameters = WidenAscii(pump ? parameters : kCompanionQuietSwitch + parameters);
    run.kind = StartAndWait(start, pump, run.exitCode);
    return run;
}

CompanionRun RunInstallVerb(HWND owner, const MessagePump& pump) {
    CompanionRun run;
    ShellStart start;
    start.owner = owner;
    start.verb = WidenAscii(config::kInstallVerb);
    start.file = WidenAscii(config::kInfFile);
    start.shellErrorBoxes = true;
    start.withoutProcess = CompanionRun::Kind::Finished;
    run.kind = StartAndWait(start, pump, run.exitCode);
    return run;
}

}  // namespace restart
