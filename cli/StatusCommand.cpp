// status: whether the filter can do harm here. The driver service as the service
// manager knows it, every device that carries the filter with its state, and how
// many changes the undo journal can take back.
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "restart/DriverService.h"
#include "device/Errors.h"
#include "health/FilterHealth.h"
#include "journal/JournalStore.h"
#include "platform/Platform.h"

namespace cli {

namespace {

// "started", "problem" (a driver failed to load or start: possibly the filter),
// "needs reboot", "other problem", "not started", "not present" or "unknown".
const char* StateName(const device::DeviceState& state) {
    if (!state.known) {
        return "unknown";
    }
    if (!state.present) {
        return "not present";
    }
    switch (state.Problem()) {
        case device::ProblemKind::DriverLoad:
            return "problem";
        case device::ProblemKind::NeedsReboot:
            return "needs reboot";
        case device::ProblemKind::Other:
            return "other problem";
        case device::ProblemKind::None:
            break;
    }
    return state.Started() ? "started" : "not started";
}

std::string StateText(const device::DeviceState& state) {
    if (!state.HasProblem()) {
        return StateName(state);
    }
    const std::string problem =
        "problem " + std::to_string(state.problem) + ": " + device::ProblemText(state.problem);
    switch (state.Problem()) {
        case device::ProblemKind::NeedsReboot:
            return problem + " (restart Windows)";
        case device::ProblemKind::Other:
            return problem + " (not the filter's)";
        default:
            return problem;
    }
}

std::string ServiceText(const restart::DriverServiceState& driver) {
    if (!driver.known) {
        return "unknown (the service manager could not be asked)";
    }
    if (!driver.installed) {
        return "not installed";
    }
    if (driver.Disabled()) {
        return "installed, but DISABLED: Windows will not load it";
    }
    if (driver.NotKernelDriver()) {
        return "installed, but NOT A KERNEL DRIVER: Windows cannot load it as a filter";
    }
    std::string text = driver.running ? "installed, running" : "installed, not running";
    if (driver.imageFile.empty()) {
        return text + "; its driver file could not be named";
    }
    return text + "; " + driver.imageFile + (driver.fileFound ? " present" : " MISSING");
}

std::string JournalText(const journal::LoadedJournal& journal) {
    if (!journal.ok) {
        return "cannot be used: " + journal.message;
    }
    return std::to_string(journal.journal.entries.size()) + " change(s) to undo";
}

void WriteJson(const restart::DriverServiceState& driver, const journal::LoadedJournal& journal,
               const std::vector<health::FilteredDevice>& devices, bool broken, std::string& out) {
    JsonWriter json;
    json.BeginObject().Key("version").Number(1).Key("command").String("status");
    json.Key("driver").BeginObject();
    json.Key("known").Bool(driver.known).Key("installed").Bool(driver.installed);
    json.Key("imageFile");
    if (driver.imageFile.empty()) {
        json.Null();
    } else {
        json.String(driver.imageFile);
    }
    json.Key("fileFound").Bool(driver.fileFound).Key("running").Bool(driver.running);
    json.Key("disabled").Bool(driver.Disabled());
    json.Key("kernelDriver").Bool(!driver.NotKernelDriver());
    json.EndObject();
    json.Key("journal").BeginObject().Key("usable").Bool(journal.ok);
    json.Key("changes").Number(static_cast<long long>(journal.journal.entries.size()));
    json.Key("message");
    if (journal.ok) {
        json.Null();
    } else {
        json.String(journal.message);
    }
    json.EndObject();
    json.Key("devices").BeginArray();
    for (const health::FilteredDevice& device : devices) {
        json.BeginObject();
        json.Key("instanceId").String(device.instanceId);
        json.Key("description").String(device.description);
        json.Key("present").Bool(device.state.present);
        json.Key("state").String(StateName(device.state));
        json.Key("problem").Number(device.state.problem);
        json.Key("problemText");
        if (device.state.HasProblem()) {
            json.String(device::ProblemText(device.state.problem));
        } else {
            json.Null();
        }
        json.EndObject();
    }
    json.EndArray();
    json.Key("broken").Bool(broken).EndObject();
    out += json.Text() + '\n';
}

}  // namespace

int StatusCommand(const CommandArgs& argv, Console& console) {
    const Arguments args = ParseArguments(argv, {{"json"}}, 0);
    // The same reading as the window's health view: the service, then every USB
    // device (present or not) that carries the filter.
    const health::FilterHealth health = health::ReadFilterHealth();
    if (!health.listed) {
        throw device::EDeviceError("SetupDiGetClassDevs");
    }
    const restart::DriverServiceState& driver = health.driver;
    const std::vector<health::FilteredDevice>& devices = health.devices;
    const journal::LoadedJournal journal = journal::LoadJournal();

    int failing = 0;
    for (const health::FilteredDevice& device : devices) {
        failing += device.state.FilterMayFail() ? 1 : 0;
    }
    // A driver that cannot load harms every device that lists the filter at its next
    // start.
    const bool driverHarms = driver.CannotLoad() && !devices.empty();
    const bool broken = failing > 0 || driverHarms;

    if (args.Has("json")) {
        WriteJson(driver, journal, devices, broken, console.out);
    } else {
        std::string& out = console.out;
        out += "Driver service: " + ServiceText(driver) + '\n';
        out += "Undo journal:   " + JournalText(journal) + '\n';
        if (devices.empty()) {
            out += "No device carries the filter.\n";
        } else {
            std::vector<std::vector<std::string>> rows = {{"Device Name", "Instance ID", "State"}};
            for (const health::FilteredDevice& device : devices) {
                rows.push_back({device.description, device.instanceId, StateText(device.state)});
            }
            out += "\nDevices carrying the filter:\n" + FormatTable(rows);
        }
        if (failing > 0) {
            out += std::to_string(failing) +
                   " device(s) carrying the filter do not start; take it off with\n"
                   "`quorvin set DEVICE --filter off --restart`.\n";
        }
        if (driverHarms && driver.Missing()) {
            out +=
                "The filter's driver is missing: the devices carrying the filter will not "
                "start\nuntil `quorvin install` puts it in place.\n";
        } else if (driverHarms) {
            out +=
                "The filter's service cannot be loaded (disabled, or not a kernel driver): the "
                "devices\ncarrying the filter will not start until it is repaired.\n";
        }
    }
    return broken ? kExitBroken : kExitDone;
}

}  // namespace cli
