// set, restart and install: the window's device commands and its two buttons.
#include "cli/ChangeReport.h"
#include "cli/Commands.h"
#include "cli/ConfirmChange.h"
#include "cli/DeviceActions.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/ListOptions.h"
#include "device/Device.h"

namespace cli {

namespace {

std::vector<OptionRule> DeviceCommandRules() {
    std::vector<OptionRule> options = ListOptionRules();
    options.push_back({"all-matching"});
    options.push_back({"parent"});
    return options;
}

}  // namespace

int SetCommand(const CommandArgs& argv, Console& console) {
    std::vector<OptionRule> options = DeviceCommandRules();
    options.push_back({"filter", true});
    options.push_back({"rate", true});
    options.push_back({"restart"});
    options.push_back({"force"});
    options.push_back({kConfirmOption, true});
    const Arguments args = ParseArguments(argv, options, 1);
    const std::unique_ptr<ChangeConfirmation> confirmation =
        ChangeConfirmation::FromArguments(args);

    // Every value is checked before the list is built, so bad input touches nothing.
    DesiredSetting setting;
    if (const std::string* filter = args.Value("filter")) {
        setting.filter = ParseOnOff("filter", *filter);
    }
    if (const std::string* rate = args.Value("rate")) {
        setting.rate = ParseRate(*rate);
    }
    if (!setting.filter && !setting.rate && !args.Has("restart")) {
        throw UsageError("set needs --filter, --rate or --restart");
    }
    if (args.positional.empty()) {
        throw UsageError("set needs a DEVICE");
    }

    const auto list = BuildList(args);
    const std::vector<device::TDevice*> devices = SelectedDevices(*list, args);
    for (device::TDevice* device : devices) {
        CheckQuestions(*device, setting, args.Has("force"));
    }
    ChangeReport report{"set", {}, {}};
    for (device::TDevice* device : devices) {
        confirm::WatchedDevice watched;
        if (confirmation) {
            watched = confirmation->Before(*device);
        }
        DeviceChange change = ApplySetting(*device, setting, args.Has("force"));
        change.matchedBy = "device";
        if (args.Has("restart") && !change.failed) {
            watched.changed = confirm::ReadDriveSettings(*device);
            RestartAndReread(*device, change);
        }
        if (confirmation) {
            confirmation->AfterRestart(std::move(watched), report.changes.size(), change);
        }
        report.changes.push_back(std::move(change));
    }
    if (confirmation) {
        confirmation->Wait(report.changes, console);
    }
    return PrintChangeReport(report, args.Has("json"), console.out);
}

int RestartCommand(const CommandArgs& argv, Console& console) {
    const Arguments args = ParseArguments(argv, DeviceCommandRules(), 1);
    if (args.positional.empty()) {
        throw UsageError("restart needs a DEVICE");
    }
    const auto list = BuildList(args);
    ChangeReport report{"restart", {}, {}};
    for (device::TDevice* device : SelectedDevices(*list, args)) {
        DeviceChange change = ApplySetting(*device, DesiredSetting{}, false);
        change.matchedBy = "device";
        RestartAndReread(*device, change);
        report.changes.push_back(std::move(change));
    }
    return PrintChangeReport(report, args.Has("json"), console.out);
}

int InstallCommand(const CommandArgs& argv, Console& console) {
    const Arguments args = ParseArguments(argv, {{"json"}}, 0);
    const InstallResult install = InstallDriverService();
    if (args.Has("json")) {
        JsonWriter json;
        json.BeginObject().Key("version").Number(1).Key("command").String("install");
        json.Key("result").String(ActionResultName(install.result));
        if (!install.why.empty()) {
            json.Key("message").String(install.why);
        }
        json.EndObject();
        console.out += json.Text() + '\n';
    } else {
        console.out += std::string("install ") + ActionResultName(install.result) + '\n';
    }
    if (install.result == ActionResult::Failed) {
        throw CommandFailed("the driver service could not be installed" +
                            (install.why.empty() ? std::string() : ": " + install.why));
    }
    return install.result == ActionResult::RebootNeeded ? kExitRebootNeeded : kExitDone;
}

}  // namespace cli
