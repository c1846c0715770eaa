#include "companion/Companion.h"

#include <optional>

#include "companion/CommandLine.h"
#include "companion/InfFile.h"
#include "companion/ShownText.h"
#include "restart/DriverService.h"
#include "restart/RestartOutcome.h"
#include "restart/VerifiedRestart.h"
#include "device/DevInfoSetHandle.h"
#include "platform/Platform.h"

namespace companion {

namespace {

constexpr int kFailed = restart::kCompanionFailed;
constexpr int kUsage = restart::kCompanionUsage;

CompanionOutcome Failed(std::string message) {
    return CompanionOutcome{kFailed, std::move(message)};
}

// The shell's "install" verb for a setup information file: its DefaultInstall
// section, 128 (files relative to the file's own folder) + 4 (ask before a reboot).
constexpr const char* kDefaultInstall = "DefaultInstall 132 ";

CompanionOutcome RestartByInstanceId(const restart::WideString& wideId) {
    // Windows keeps instance IDs ASCII: any other character names no device.
    if (!restart::IsAscii(wideId)) {
        return Failed("kevra64: no device with instance ID " +
                      ShownText(restart::ShownInAnsi(wideId)));
    }
    const std::string instanceId = restart::NarrowAscii(wideId);
    const device::DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    if (!set.valid()) {
        return Failed("kevra64: cannot create a device information set");
    }
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!plat::SetupDiOpenDeviceInfoA(set.get(), instanceId.c_str(), nullptr, 0, &element)) {
        return Failed("kevra64: no device with instance ID " + ShownText(instanceId));
    }
    // The outcome of a restart that did happen is the caller's to tell, by the exit
    // code alone, so that the user hears of it once.
    const restart::RestartOutcome outcome =
        restart::RestartAndVerify(set.get(), element, instanceId);
    if (outcome.kind == restart::RestartOutcome::Kind::Failed) {
        return Failed("kevra64: the restart of " + ShownText(instanceId) + " was refused");
    }
    return CompanionOutcome{CompanionExitCode(outcome), {}};
}

// The file's full path from the platform's own path rules, in UTF-16 so that a
// folder named in any script keeps its name. Nothing when the platform cannot form it.
std::optional<restart::WideString> FullPath(const restart::WideString& file) {
    DWORD size = plat::GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
    // The size can grow between the calls if the current directory changes.
    for (int attempt = 0; attempt < 2 && size != 0; ++attempt) {
        restart::WideString path(size, WCHAR(0));
        const DWORD length = plat::GetFullPathNameW(file.c_str(), size, path.data(), nullptr);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < size) {
            path.resize(length);
            return path;
        }
        size = length;
    }
    return std::nullopt;
}

bool OpensAsSetupInformation(const restart::WideString& path) {
    UINT errorLine = 0;
    const InfFile inf(plat::SetupOpenInfFileW(path.c_str(), nullptr, INF_STYLE_WIN4, &errorLine));
    return inf.valid();
}

CompanionOutcome InstallSetupInformation(const restart::WideString& file) {
    const std::optional<restart::WideString> path = FullPath(file);
    if (!path) {
        return Failed("kevra64: cannot resolve the path of " +
                      ShownText(restart::ShownInAnsi(file)));
    }
    const std::string shownPath = ShownText(restart::ShownInAnsi(*path));
    if (!OpensAsSetupInformation(*path)) {
        return Failed("kevra64: cannot open the setup information file " + shownPath);
    }
    const restart::WideString commandLine = restart::WidenAscii(kDefaultInstall) + *path;
    plat::InstallHinfSectionW(nullptr, nullptr, commandLine.c_str(), 0);
    // InstallHinfSection returns nothing: the service manager tells what it did.
    const restart::DriverServiceState service = restart::ReadFilterService();
    if (!service.installed || service.CannotLoad()) {
        return Failed("kevra64: " + shownPath +
                      " was installed, but the filter's driver service is not usable: " +
                      ShownText(UsabilityProblem(service)));
    }
    return {};
}

}  // namespace

CompanionOutcome RunCompanion(const restart::WideString& commandLine) {
    restart::WideString arguments = commandLine;
    const bool quiet = TakeQuietSwitch(arguments);
    const std::optional<CompanionCommand> command = ParseCompanionCommand(arguments);
    CompanionOutcome outcome;
    if (!command) {
        outcome = CompanionOutcome{
            kUsage, "usage: kevra64 [/q] U <instance ID> | kevra64 [/q] e install <file>"};
    } else {
        outcome = command->kind == CompanionCommand::Kind::Restart
                      ? RestartByInstanceId(command->argument)
                      : InstallSetupInformation(command->argument);
    }
    outcome.quiet = quiet;
    return outcome;
}

}  // namespace companion
