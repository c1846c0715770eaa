// Where the Windows suites find the programs they run or read. By default the build
// tree's: the suite lives in <tree>\tests\wine (or wine-gui), the programs at the
// top of the tree and the companion in its companion folder. Under WoW64 the 32-bit
// suite is pointed at the release folder instead (QUORVIN_PROGRAMS, a Windows path
// ending in a backslash), so that it runs the very files that ship, side by side.
#pragma once

#include <windows.h>

#include <string>

namespace winbed {

// This suite's own folder, with its closing backslash.
inline std::string SuiteFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1);
}

// The full path of a program of the package: "QuorvinSetup.exe", "quorvin.exe" or
// "kevra64.exe".
inline std::string ProgramFile(const std::string& name) {
    char folder[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("QUORVIN_PROGRAMS", folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return std::string(folder, length) + name;
    }
    const std::string tree = SuiteFolder() + "..\\..\\";
    return name == "kevra64.exe" ? tree + "companion\\" + name : tree + name;
}

// What a program run by a suite gave back: its exit code and its two output streams.
struct ProgramRun {
    DWORD code = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

}  // namespace winbed
