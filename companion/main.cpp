// kevra64.exe: the command line as Windows gives it, in UTF-16 and program name
// dropped, so that an instance ID reaches the companion unit for unit and a file's
// path whole in whatever script its folder is named. The exit code is the
// command's: 0 done, 1 failed, 2 not understood.
#include "companion/CommandLine.h"
#include "companion/Companion.h"
#include "companion/MessageOutput.h"
#include "hardening/DllSearch.h"
#include "platform/WinTypes.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    hardening::RestrictDllSearch();
    const companion::CompanionOutcome outcome =
        companion::RunCompanion(companion::CommandLineArguments(::GetCommandLineW()));
    if (!outcome.message.empty()) {
        companion::ShowCompanionMessage(outcome.message, outcome.exitCode != 0, outcome.quiet);
    }
    return outcome.exitCode;
}
