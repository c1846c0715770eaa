// The shared seam agreement tests on the real platform: Wine's SetupAPI and registry.
#include "tests/wine/Win32DeviceBed.h"

namespace {

std::unique_ptr<DeviceBed> MakeWin32DeviceBed() {
    return std::make_unique<Win32DeviceBed>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Wine, SeamAgreement, ::testing::Values(&MakeWin32DeviceBed),
                         [](const auto&) { return std::string("Wine"); });
