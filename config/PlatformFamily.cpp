#include "config/PlatformFamily.h"

#include "platform/Platform.h"

namespace config {

namespace {

// Written once by InitPlatformFamily on the GUI thread before any reader runs.
PlatformFamily currentFamily = PlatformFamily::NT;

}  // namespace

PlatformFamily InitPlatformFamily() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    const bool known = plat::GetVersionExA(&info) != 0;
    currentFamily = known && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? PlatformFamily::Win9x
                                                                             : PlatformFamily::NT;
    return currentFamily;
}

PlatformFamily CurrentPlatformFamily() {
    return currentFamily;
}

}  // namespace config
