#include "config/DriverPackage.h"

const char* FilterName(PlatformFamily family) {
    return family == PlatformFamily::Win9x ? "quorvin.sys" : "quorvin";
}

std::string CompanionRestartParameters(const std::string& instanceId) {
    return "U " + instanceId;
}
