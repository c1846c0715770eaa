// quorvin on Linux: the command-line program over the simulated demo machine, whose
// state persists in a file between runs (DemoMachineFile.h).
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/ExitCodes.h"
#include "cli/Profile.h"
#include "cli/TextFile.h"
#include "cli/demo/DemoMachineFile.h"
#include "platform/sim/SimInput.h"

namespace {

int Fail(int code, const std::string& message) {
    std::string line;
    cli::PrintError(line, message);
    cli::WriteStream(stderr, line);
    return code;
}

}  // namespace

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
            cli::WriteStream(stdout, "demo machine reset: " + options.machineFile + '\n');
            return cli::kExitDone;
        }
        cli::CliIo io;
        io.readInput = [] {
            return cli::ReadStream(stdin, 2 * cli::kProfileMaxBytes).value_or(std::string());
        };
        io.progress = [](const std::string& line) { cli::WriteStream(stderr, line + '\n'); };
        // No hand moves a simulated mouse: the device's first HID collection is moved
        // for the whole measurement, at the interval the machine's state gives it.
        // One collection, as a hand moves the mouse and not the keys beside it.
        io.moveDevice = [&machine](const std::vector<std::string>& collections, double ms) {
            if (!collections.empty()) {
                sim::Move(machine, collections.front(), ms);
            }
        };
        const int code = cli::RunCli(options.rest, io);
        demo::Save(machine, options.machineFile);
        cli::WriteStream(stdout, io.out);
        cli::WriteStream(stderr, io.err);
        return code;
    } catch (const cli::UsageError& e) {
        return Fail(cli::kExitBadUsage, e.what());
    } catch (const std::exception& e) {
        return Fail(cli::kExitFailed, e.what());
    }
}
