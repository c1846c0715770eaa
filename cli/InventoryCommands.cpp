// list and show: what the window's grid shows, as text or JSON.
#include "cli/Commands.h"
#include "cli/DeviceFacts.h"
#include "cli/JsonWriter.h"
#include "cli/ListOptions.h"
#include "cli/TextTable.h"
#include "config/Rate.h"
#include "device/DeviceList.h"

namespace cli {

namespace {

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

const char* ModeName(const Arguments& args) {
    if (args.Has("all")) {
        return "all";
    }
    return args.Has("mice") ? "mice" : "hid";
}

}  // namespace

int ListCommand(const CommandArgs& argv, Console& console) {
    const Arguments args = ParseArguments(argv, ListOptionRules(), 0);
    const auto list = BuildList(args);
    std::vector<DeviceFacts> facts;
    for (int i = 0; i < list->Count(); ++i) {
        facts.push_back(ReadFacts(list->GetDevice(i)));
    }
    if (args.Has("json")) {
        JsonWriter json;
        json.BeginObject();
        json.Key("version").Number(1);
        json.Key("command").String("list");
        json.Key("mode").String(ModeName(args));
        json.Key("devices").BeginArray();
        for (std::size_t i = 0; i < facts.size(); ++i) {
            WriteFactsJson(json, facts[i], static_cast<int>(i) + 1);
        }
        json.EndArray().EndObject();
        console.out += json.Text() + '\n';
        return 0;
    }
    std::vector<std::vector<std::string>> rows = {{"Row", "Device Name", "Product Name", "Mouse",
                                                   "Filter", "Rate", "Questions", "Instance ID"}};
    for (std::size_t i = 0; i < facts.size(); ++i) {
        const DeviceFacts& f = facts[i];
        rows.push_back({std::to_string(i + 1), f.description, ProductNameText(f), YesNo(f.mouse),
                        YesNo(f.filter), RateLabel(f.rate), QuestionsText(f), f.instanceId});
    }
    console.out += FormatTable(rows);
    return 0;
}

int ShowCommand(const CommandArgs& argv, Console& console) {
    std::vector<OptionRule> options = ListOptionRules();
    options.push_back({"all-matching"});
    options.push_back({"parent"});
    const Arguments args = ParseArguments(argv, options, 1);
    const auto list = BuildList(args);
    const std::vector<device::TDevice*> devices = SelectedDevices(*list, args);
    JsonWriter json;
    json.BeginObject().Key("version").Number(1).Key("command").String("show");
    json.Key("devices").BeginArray();
    bool first = true;
    for (device::TDevice* device : devices) {
        const DeviceFacts f = ReadFacts(*device);
        WriteFactsJson(json, f, 0);
        if (args.Has("json")) {
            continue;
        }
        if (!first) {
            console.out += '\n';
        }
        first = false;
        std::vector<std::vector<std::string>> rows = {{"Instance ID:", f.instanceId},
                                                      {"Device Name:", f.description},
                                                      {"Product Name:", ProductNameText(f)},
                                                      {"Parent Name:", f.parentName},
                                                      {"Child Name(s):", f.childNames},
                                                      {"Mouse:", YesNo(f.mouse)},
                                                      {"USB hub:", YesNo(f.hub)},
                                                      {"Filter:", YesNo(f.filter)},
                                                      {"Rate:", RateLabel(f.rate)},
                                                      {"Questions:", QuestionsText(f)}};
        for (std::size_t i = 0; i < f.hardwareIds.size(); ++i) {
            rows.push_back({i == 0 ? "Hardware IDs:" : "", f.hardwareIds[i]});
        }
        console.out += FormatTable(rows);
    }
    json.EndArray().EndObject();
    if (args.Has("json")) {
        console.out += json.Text() + '\n';
    }
    return 0;
}

}  // namespace cli
