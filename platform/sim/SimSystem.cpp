// The simulated machine's services, folders and device starts, as the builders and
// the seam functions of platform/sim share them.
#include "platform/sim/SimSystem.h"

#include "platform/sim/SimInput.h"
#include "platform/sim/SimText.h"

namespace sim {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string> SplitMultiString(const std::string& bytes) {
    std::vector<std::string> entries;
    std::string entry;
    for (const char c : bytes) {
        if (c != '\0') {
            entry += c;
        } else if (!entry.empty()) {
            entries.push_back(std::exchange(entry, {}));
        }
    }
    if (!entry.empty()) {
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace

Service* System::FindService(std::string_view name) {
    for (Service& service : services) {
        if (EqualNoCase(service.name, name)) {
            return &service;
        }
    }
    return nullptr;
}

std::string System::ImageFile(const Service& service) const {
    std::string path = service.imagePath;
    if (path.empty()) {
        return windowsDirectory + "\\System32\\drivers\\" + service.name + ".sys";
    }
    for (const std::string_view variable : {"%SystemRoot%", "%windir%"}) {
        if (StartsWithNoCase(path, variable)) {
            return windowsDirectory + path.substr(variable.size());
        }
    }
    if (StartsWithNoCase(path, "\\SystemRoot\\")) {
        return windowsDirectory + path.substr(11);
    }
    if (path.starts_with("\\??\\")) {
        return path.substr(4);
    }
    if (path.size() >= 2 && path[1] == ':') {
        return path;
    }
    return windowsDirectory + "\\" + path;
}

DWORD FileAttributes(Machine& machine, std::string_view path) {
    for (const std::string& file : machine.files) {
        if (EqualNoCase(file, path)) {
            return FILE_ATTRIBUTE_ARCHIVE;
        }
    }
    for (const std::string& file : machine.files) {
        if (file.size() > path.size() && StartsWithNoCase(file, path) &&
            file[path.size()] == '\\') {
            return FILE_ATTRIBUTE_DIRECTORY;
        }
    }
    return INVALID_FILE_ATTRIBUTES;
}

void InstallDriverService(Machine& machine, const std::string& name, bool withFile) {
    System& system = machine.system();
    Service service;
    service.name = name;
    service.imagePath = "\\SystemRoot\\System32\\drivers\\" + name + ".sys";
    system.services.push_back(service);
    if (withFile) {
        machine.files.push_back(system.ImageFile(service));
    }
}

bool InstallFromInf(Machine& machine, const std::string& infPath) {
    if (FileAttributes(machine, infPath) != FILE_ATTRIBUTE_ARCHIVE || infPath.size() < 5 ||
        !EqualNoCase(std::string_view(infPath).substr(infPath.size() - 4), ".inf")) {
        return false;
    }
    const std::size_t slash = infPath.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? "" : infPath.substr(0, slash + 1);
    const std::string name = infPath.substr(folder.size(), infPath.size() - folder.size() - 4);
    if (machine.system().FindService(name) == nullptr) {
        InstallDriverService(machine, name, false);
    }
    const std::string driverFile = machine.system().ImageFile(*machine.system().FindService(name));
    if (FileAttributes(machine, folder + name + ".sys") == FILE_ATTRIBUTE_ARCHIVE &&
        FileAttributes(machine, driverFile) == INVALID_FILE_ATTRIBUTES) {
        machine.files.push_back(driverFile);
    }
    return true;
}

ULONG StartDevice(Machine& machine, const std::string& instanceId) {
    System& system = machine.system();
    ULONG problem = 0;
    const auto standing = system.standingProblems.find(instanceId);
    const std::optional<RegValue> filters = machine.Property(instanceId, SPDRP_LOWERFILTERS);
    if (standing != system.standingProblems.end()) {
        problem = standing->second;
    } else if (machine.platformId != VER_PLATFORM_WIN32_WINDOWS && filters) {
        for (const std::string& name : SplitMultiString(filters->data)) {
            const Service* service = system.FindService(name);
            if (service != nullptr && service->startType == SERVICE_DISABLED) {
                problem = CM_PROB_DISABLED_SERVICE;
            } else if (service == nullptr || service->type != SERVICE_KERNEL_DRIVER ||
                       !service->startable ||
                       FileAttributes(machine, system.ImageFile(*service)) ==
                           INVALID_FILE_ATTRIBUTES) {
                problem = CM_PROB_DRIVER_FAILED_LOAD;
            }
            if (problem != 0) {
                break;  // the first filter that cannot load ends the start
            }
        }
    }
    system.problems[instanceId] = problem;
    const auto delay = system.startDelays.find(instanceId);
    if (delay != system.startDelays.end()) {
        system.settlesAt[instanceId] = Clock(machine) + Ticks(delay->second);
    }
    return problem;
}

}  // namespace sim
