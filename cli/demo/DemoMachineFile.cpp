#include "cli/demo/DemoMachineFile.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#include <unistd.h>

#include "cli/Cli.h"
#include "cli/ExitCodes.h"
#include "cli/Profile.h"
#include "cli/TextFile.h"
#include "cli/demo/MachineLock.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimMachineFile.h"

namespace demo {

DemoOptions TakeDemoOptions(const std::vector<std::string>& args) {
    DemoOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--reset") {
            options.reset = true;
        } else if (arg == "--machine") {
            if (i + 1 >= args.size()) {
                throw cli::UsageError("option --machine needs a file");
            }
            options.machineFile = args[++i];
        } else if (arg.rfind("--machine=", 0) == 0) {
            options.machineFile = arg.substr(10);
            if (options.machineFile.empty()) {
                throw cli::UsageError("option --machine needs a file");
            }
        } else {
            options.rest.push_back(arg);
        }
    }
    return options;
}

std::string DefaultMachineFile(const char* xdgStateHome, const char* home) {
    std::filesystem::path base;
    if (xdgStateHome != nullptr && *xdgStateHome == '/') {
        base = xdgStateHome;
    } else if (home != nullptr && *home != '\0') {
        base = std::filesystem::path(home) / ".local" / "state";
    } else {
        return {};
    }
    return (base / "quorvin" / "demo-machine.txt").string();
}

void LoadOrBuild(sim::Machine& machine, const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (std::filesystem::exists(file)) {
            throw sim::MachineFileError("cannot read the machine file " + file);
        }
        sim::BuildDemoMachine(machine);
        return;
    }
    try {
        sim::LoadMachine(machine, in);
    } catch (const sim::MachineFileError& e) {
        throw sim::MachineFileError(file + ": " + e.what() + " (--reset starts again)");
    }
}

void Save(sim::Machine& machine, const std::string& file) {
    const std::filesystem::path path(file);
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    // Named per process: a run that does not hold the lock (or an older program that
    // knows none) never writes into another run's temporary file.
    const std::string temporary = file + ".new." + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        sim::SaveMachine(machine, out);
        out.close();
        if (!out) {
            std::filesystem::remove(temporary);
            throw std::runtime_error("cannot write the machine file " + temporary);
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::filesystem::remove(temporary);
        throw std::runtime_error("cannot replace the machine file " + file + ": " +
                                 renamed.message());
    }
}

int RunDemo(const DemoOptions& options) {
    const bool changes = options.reset || ChangesMachine(options.rest);
    std::optional<MachineLock> lock;
    if (changes) {
        lock.emplace(options.machineFile, kMachineLockWait);
    }
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    if (options.reset) {
        sim::BuildDemoMachine(machine);
    } else {
        LoadOrBuild(machine, options.machineFile);
    }
    machine.logging = false;
    if (options.reset && options.rest.empty()) {
        Save(machine, options.machineFile);
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
    // A run that only read leaves the file alone, so it works on one it may not write.
    if (changes) {
        Save(machine, options.machineFile);
    }
    cli::WriteStream(stdout, io.out);
    cli::WriteStream(stderr, io.err);
    return code;
}

}  // namespace demo
