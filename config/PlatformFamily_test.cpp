#include "config/PlatformFamily.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "config/DriverPackage.h"

TEST(PlatformFamily, OnlyPlatformIdOneIsThe9xFamily) {
    ConfigBench bench;
    const std::pair<DWORD, PlatformFamily> cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, PlatformFamily::Win9x},
        {VER_PLATFORM_WIN32_NT, PlatformFamily::NT},
        {VER_PLATFORM_WIN32s, PlatformFamily::NT},
        {3, PlatformFamily::NT}};
    for (const auto& [id, family] : cases) {
        bench.machine.platformId = id;
        EXPECT_EQ(InitPlatformFamily(), family) << id;
        EXPECT_EQ(CurrentPlatformFamily(), family) << id;
    }
}

TEST(PlatformFamily, FailedQueryIsTheNtFamily) {
    ConfigBench bench;
    bench.machine.platformId = VER_PLATFORM_WIN32_WINDOWS;
    bench.machine.versionQueryFails = true;
    EXPECT_EQ(InitPlatformFamily(), PlatformFamily::NT);
}

TEST(PlatformFamily, IsReadOnceAndKept) {
    ConfigBench bench;
    bench.machine.platformId = VER_PLATFORM_WIN32_WINDOWS;
    InitPlatformFamily();
    bench.machine.platformId = VER_PLATFORM_WIN32_NT;
    bench.machine.ClearCalls();
    EXPECT_EQ(CurrentPlatformFamily(), PlatformFamily::Win9x);
    EXPECT_EQ(bench.machine.CountCalls("GetVersionExA"), 0u);
}

TEST(DriverPackage, NamesAndCommandLines) {
    EXPECT_STREQ(FilterName(PlatformFamily::Win9x), "quorvin.sys");
    EXPECT_STREQ(FilterName(PlatformFamily::NT), "quorvin");
    EXPECT_EQ(CompanionRestartParameters("USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1"),
              "U USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1");
    EXPECT_EQ(CompanionRestartParameters(""), "U ");
}

TEST(PlatformFamily, AsksWithTheSizeOfTheBasicRecord) {
    ConfigBench bench;
    bench.machine.ClearCalls();
    InitPlatformFamily();
    EXPECT_EQ(bench.ArgsOf("GetVersionExA"),
              std::vector<std::string>{"size=" + std::to_string(sizeof(OSVERSIONINFOA))});
}
