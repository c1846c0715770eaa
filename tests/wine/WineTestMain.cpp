// The entry of the Windows test programs that run under Wine.
//
// A process that crashes inside Wine can still end with exit code 0, so the run
// script (scripts/wine/run.sh) passes a run only when the exit code is 0 and the
// last line printed is the passing summary below. A crash outside a test ends the
// process at once with a non-zero code, before any summary.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

constexpr UINT kCrashExitCode = 3;

LONG WINAPI ExitOnUnhandledException(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "QUORVIN-WINE-SUITE: CRASHED (exception 0x%08lX)\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    std::fflush(stderr);
    std::fflush(stdout);
    // The process may be in any state: end it without running more of its code.
    ::TerminateProcess(::GetCurrentProcess(), kCrashExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(ExitOnUnhandledException);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();

    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    const bool passed = result == 0 && unit.Passed();
    std::fflush(stderr);
    std::printf("QUORVIN-WINE-SUITE: %s %d tests (%d failed, %d skipped)\n",
                passed ? "PASSED" : "FAILED", unit.test_to_run_count(), unit.failed_test_count(),
                unit.skipped_test_count());
    std::fflush(stdout);
    return passed ? 0 : 1;
}
