// quorvin on Linux: the command-line program over the simulated demo machine, whose
// state persists in a file between runs (DemoMachineFile.h).
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/ExitCodes.h"
#include "cli/TextFile.h"
#include "cli/demo/DemoMachineFile.h"

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
        return demo::RunDemo(options);
    } catch (const cli::UsageError& e) {
        return Fail(cli::kExitBadUsage, e.what());
    } catch (const std::exception& e) {
        return Fail(cli::kExitFailed, e.what());
    }
}
