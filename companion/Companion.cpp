#include "companion/Companion.h"

#include <filesystem>
#include <optional>

#include "companion/CommandLine.h"
#include "companion/InfFile.h"
#include "config/RestartOutcome.h"
#include "config/VerifiedRestart.h"
#include "device/DevInfoSetHandle.h"
#include "platform/Platform.h"

namespace {

constexpr int kFailed = kCompanionFailed;
constexpr int kUsage = kCompanionUsage;

// The shell's "install" verb for a setup information file: its DefaultInstall
// section, 128 (files relative to the file's own folder) + 4 (ask before a reboot).
constexpr const char* kDefaultInstall = "DefaultInstall 132 ";

int RestartByInstanceId(const std::string& instanceId, std::ostream& err) {
    const DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    if (!set.valid()) {
        err << "kevra64: cannot create a device information set\n";
        return kFailed;
    }
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!plat::SetupDiOpenDeviceInfoA(set.get(), instanceId.c_str(), nullptr, 0, &element)) {
        err << "kevra64: no device with instance ID " << instanceId << '\n';
        return kFailed;
    }
    // The outcome of a restart that did happen is the caller's to tell, by the exit
    // code alone, so that the user hears of it once.
    const RestartOutcome outcome = RestartAndVerify(set.get(), element, instanceId);
    if (outcome.kind == RestartOutcome::Kind::Failed) {
        err << "kevra64: the restart of " << instanceId << " was refused\n";
    }
    return CompanionExitCode(outcome);
}

std::optional<std::string> FullPath(const std::string& file) {
    try {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::absolute(file, error);
        if (error) {
            return std::nullopt;
        }
        return path.string();
    } catch (const std::exception&) {
        // A name the path conversion cannot represent.
        return std::nullopt;
    }
}

bool OpensAsSetupInformation(const std::string& path) {
    UINT errorLine = 0;
    const InfFile inf(plat::SetupOpenInfFileA(path.c_str(), nullptr, INF_STYLE_WIN4, &errorLine));
    return inf.valid();
}

int InstallSetupInformation(const std::string& file, std::ostream& err) {
    const std::optional<std::string> path = FullPath(file);
    if (!path) {
        err << "kevra64: cannot resolve the path of " << file << '\n';
        return kFailed;
    }
    if (!OpensAsSetupInformation(*path)) {
        err << "kevra64: cannot open the setup information file " << *path << '\n';
        return kFailed;
    }
    const std::string commandLine = kDefaultInstall + *path;
    plat::InstallHinfSectionA(nullptr, nullptr, commandLine.c_str(), 0);
    return 0;
}

}  // namespace

int RunCompanion(const std::string& commandLine, std::ostream& err) {
    const std::optional<CompanionCommand> command = ParseCompanionCommand(commandLine);
    if (!command) {
        err << "usage: kevra64 U <instance ID> | kevra64 e install <file>\n";
        return kUsage;
    }
    return command->kind == CompanionCommand::Kind::Restart
               ? RestartByInstanceId(command->argument, err)
               : InstallSetupInformation(command->argument, err);
}
