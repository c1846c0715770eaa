#include "hardening/DllSearch.h"

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"

namespace {

class DllSearch : public ::testing::Test {
  protected:
    sim::Machine machine;
    sim::ScopedMachine scope{machine};

    std::vector<std::string> Ops() const {
        std::vector<std::string> ops;
        for (const sim::Call& call : machine.Calls()) {
            ops.push_back(call.op + " " + call.args);
        }
        return ops;
    }
};

}  // namespace

TEST_F(DllSearch, SystemFolderAloneWhereWindowsOffersIt) {
    machine.hasDefaultDllDirectories = true;
    hardening::RestrictDllSearch();
    EXPECT_EQ(Ops(), (std::vector<std::string>{
                         "GetModuleHandleA name=kernel32.dll",
                         "GetProcAddress module=0x7C800000 name=SetDefaultDllDirectories",
                         "SetDefaultDllDirectories flags=0x800", "SetDllDirectoryA path="}));
    EXPECT_EQ(machine.defaultDllDirectories, 0x800u);
    EXPECT_EQ(machine.dllDirectory, "");
}

TEST_F(DllSearch, CurrentDirectoryLeavesTheSearchOnEveryWindows) {
    hardening::RestrictDllSearch();
    EXPECT_EQ(machine.defaultDllDirectories, 0u);
    EXPECT_EQ(machine.dllDirectory, "");
    EXPECT_EQ(machine.CountCalls("SetDefaultDllDirectories"), 0u);

    // A failing look-up or call still takes the current directory out.
    machine.hasDefaultDllDirectories = true;
    for (const char* op : {"GetModuleHandleA", "GetProcAddress", "SetDefaultDllDirectories"}) {
        machine.dllDirectory.reset();
        machine.ClearFaults();
        machine.AddFault(sim::Fault{op});
        hardening::RestrictDllSearch();
        EXPECT_EQ(machine.dllDirectory, "") << op;
        EXPECT_EQ(machine.defaultDllDirectories, 0u) << op;
    }
}
