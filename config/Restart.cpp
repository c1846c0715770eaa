#include "config/Restart.h"

#include <string>

#include "config/DriverPackage.h"
#include "config/PropertyChange.h"
#include "device/Device.h"
#include "platform/Platform.h"

void RestartDevice(TDevice& device) {
    RequestPropertyChange(device.DevInfoSet, device.DevInfoData);
}

void RequestDeviceRestart(TDevice& device, HWND owner) {
    if (!IsWow64()) {
        RestartDevice(device);
        return;
    }
    const std::string parameters = CompanionRestartParameters(device.GetInstanceId());
    plat::ShellExecuteA(owner, nullptr, kCompanion, parameters.c_str(), nullptr, SW_SHOW);
}

void RequestServiceInstall(HWND owner) {
    if (IsWow64()) {
        plat::ShellExecuteA(owner, nullptr, kCompanion, kCompanionInstallParameters, nullptr,
                            SW_SHOW);
    } else {
        plat::ShellExecuteA(owner, kInstallVerb, kInfFile, nullptr, nullptr, SW_SHOW);
    }
}
