// quorvin on Linux: the command-line program over the simulated demo machine, whose
// state persists in a file between runs (DemoMachineFile.h).
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/ExitCodes.h"
#include "cli/demo/DemoMachineFile.h"

int main(int argc, char** argv) {
    try {
        demo::DemoOptions options =
            demo::TakeDemoOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.machineFile.empty()) {
            options.machineFile =
                demo::DefaultMachineFile(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
            if (options.machineFile.empty()) {
                throw cli::UsageError("neither XDG_STATE_HOME nor HOME is set; give --machine");
            }
        }
        sim::Machine machine;
        sim::ScopedMachine use(machine);
        if (options.reset) {
            sim::BuildDemoMachine(machine);
        } else {
            demo::LoadOrBuild(machine, options.machineFile);
        }
        machine.logging = false;
        if (options.reset && options.rest.empty()) {
            demo::Save(machine, options.machineFile);
            std::cout << "demo machine reset: " << options.machineFile << '\n';
            return cli::kExitDone;
        }
        const int code = cli::RunCli(options.rest, std::cout, std::cerr, std::cin);
        demo::Save(machine, options.machineFile);
        return code;
    } catch (const cli::UsageError& e) {
        cli::PrintError(std::cerr, e.what());
        return cli::kExitBadUsage;
    } catch (const std::exception& e) {
        cli::PrintError(std::cerr, e.what());
        return cli::kExitFailed;
    }
}
