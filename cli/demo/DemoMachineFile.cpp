#include "cli/demo/DemoMachineFile.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "cli/ExitCodes.h"
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
    const std::string temporary = file + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        sim::SaveMachine(machine, out);
        out.close();
        if (!out) {
            throw std::runtime_error("cannot write the machine file " + temporary);
        }
    }
    std::filesystem::rename(temporary, path);
}

}  // namespace demo
