#include "config/DriverPackage.h"

namespace config {

const char* FilterName(PlatformFamily family) {
    return family == PlatformFamily::Win9x ? "quorvin.sys" : "quorvin";
}

std::string CompanionRestartParameters(const std::string& instanceId) {
    return "U " + instanceId;
}

}  // namespace config
