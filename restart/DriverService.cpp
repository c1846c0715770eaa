#include "restart/DriverService.h"

#include <cstdint>
#include <vector>

#include "base/AsciiCase.h"
#include "config/DriverPackage.h"
#include "restart/FileSystemRedirection.h"
#include "config/PlatformFamily.h"
#include "restart/ServiceHandle.h"
#include "platform/Platform.h"

namespace restart {

namespace {

// The service manager never hands out more than 8 KiB of configuration.
constexpr DWORD kMaxConfigSize = 8 * 1024;

std::string ExpandEnvironment(const std::string& text) {
    DWORD size = plat::ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < 2 && size != 0; ++attempt) {
        std::vector<char> buffer(size);
        const DWORD needed = plat::ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size);
        if (needed != 0 && needed <= size) {
            return std::string(buffer.data());
        }
        size = needed;  // the environment grew between the two calls
    }
    return {};
}

// The service's configuration (its binary path, type and start type), if it could be read.
bool ReadConfig(SC_HANDLE service, std::string& imagePath, DriverServiceState& state) {
    DWORD needed = 0;
    if (plat::QueryServiceConfigA(service, nullptr, 0, &needed) || needed == 0 ||
        needed > kMaxConfigSize) {
        return false;
    }
    // Whole 64-bit words, so that the record at its start is aligned.
    std::vector<std::uint64_t> buffer((needed + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (!plat::QueryServiceConfigA(service, config, needed, &needed)) {
        return false;
    }
    imagePath = config->lpBinaryPathName != nullptr ? config->lpBinaryPathName : "";
    state.configRead = true;
    state.serviceType = config->dwServiceType;
    state.startType = config->dwStartType;
    return true;
}

bool IsFile(const std::string& path) {
    const FileSystemRedirectionOff redirectionOff;
    const DWORD attributes = plat::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool DriverServiceState::Missing() const {
    return known && (!installed || (!imageFile.empty() && !fileFound));
}

std::string UsabilityProblem(const DriverServiceState& driver) {
    if (driver.Unknown()) {
        return "its state could not be read (error " + std::to_string(driver.error) + ")";
    }
    if (!driver.known) {
        return {};
    }
    if (!driver.installed) {
        return "it is not installed";
    }
    if (!driver.imageFile.empty() && !driver.fileFound) {
        return "its driver file " + driver.imageFile + " is missing";
    }
    if (driver.Disabled()) {
        return "its service is disabled";
    }
    if (driver.NotKernelDriver()) {
        return "it is not a kernel driver";
    }
    return {};
}

bool DriverServiceState::Disabled() const {
    return known && installed && configRead && startType == SERVICE_DISABLED;
}

bool DriverServiceState::NotKernelDriver() const {
    return known && installed && configRead && serviceType != SERVICE_KERNEL_DRIVER;
}

std::string DriverImageFile(const std::string& imagePath, const std::string& serviceName) {
    std::string path = imagePath;
    if (path.empty()) {
        path = "System32\\drivers\\" + serviceName + ".sys";
    }
    if (base::StartsWithNoCaseAscii(path, "\\SystemRoot\\")) {
        path = "%SystemRoot%" + path.substr(11);
    } else if (path.starts_with("\\??\\")) {
        path = path.substr(4);
    } else if (path.find('%') == std::string::npos && path.find(':') == std::string::npos &&
               !path.starts_with("\\")) {
        path = "%SystemRoot%\\" + path;
    }
    return ExpandEnvironment(path);
}

DriverServiceState ReadDriverService(const std::string& serviceName) {
    DriverServiceState state;
    state.asked = true;
    const ServiceHandle manager(plat::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.valid()) {
        state.error = plat::GetLastError();
        return state;
    }
    const ServiceHandle service(plat::OpenServiceA(manager.get(), serviceName.c_str(),
                                                   SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
    if (!service.valid()) {
        const DWORD error = plat::GetLastError();
        state.known = error == ERROR_SERVICE_DOES_NOT_EXIST;
        state.error = state.known ? 0 : error;
        return state;
    }
    state.known = true;
    state.installed = true;
    std::string imagePath;
    if (ReadConfig(service.get(), imagePath, state)) {
        state.imageFile = DriverImageFile(imagePath, serviceName);
        state.fileFound = !state.imageFile.empty() && IsFile(state.imageFile);
    }
    SERVICE_STATUS status{};
    state.running = plat::QueryServiceStatus(service.get(), &status) != 0 &&
                    status.dwCurrentState == SERVICE_RUNNING;
    return state;
}

DriverServiceState ReadFilterService() {
    if (config::CurrentPlatformFamily() == config::PlatformFamily::Win9x) {
        return {};
    }
    return ReadDriverService(FilterName(config::PlatformFamily::NT));
}

}  // namespace restart
