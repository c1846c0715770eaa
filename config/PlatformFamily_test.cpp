#include "config/PlatformFamily.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "config/DriverPackage.h"

namespace config {

TEST(PlatformFamily, OnlyPlatformIdOneIsThe9xFamilyAndItIsKept) {
    ConfigBench bench;
    for (DWORD id : {0u, 1u, 2u, 3u}) {
        bench.machine.platformId = id;
        const PlatformFamily family = id == 1 ? PlatformFamily::Win9x : PlatformFamily::NT;
        EXPECT_EQ(InitPlatformFamily(), family) << id;
        bench.machine.platformId = VER_PLATFORM_WIN32_NT;
        EXPECT_EQ(CurrentPlatformFamily(), family) << id;
    }
    EXPECT_EQ(bench.ArgsOf("GetVersionExA"),
              std::vector<std::string>(4, "size=" + std::to_string(sizeof(OSVERSIONINFOA))));

    bench.machine.platformId = VER_PLATFORM_WIN32_WINDOWS;
    bench.machine.versionQueryFails = true;
    EXPECT_EQ(InitPlatformFamily(), PlatformFamily::NT);
}

TEST(DriverPackage, NamesAndCommandLines) {
    EXPECT_STREQ(FilterName(PlatformFamily::Win9x), "quorvin.sys");
    EXPECT_STREQ(FilterName(PlatformFamily::NT), "quorvin");
    EXPECT_EQ(CompanionRestartParameters("USB\\VID_046D&PID_C08B\\6&1"),
              "U USB\\VID_046D&PID_C08B\\6&1");
}

}  // namespace config
