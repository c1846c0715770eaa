#include "cli/DeviceFacts.h"

#include "cli/Arguments.h"
#include "config/FilterQuestions.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "device/Device.h"
#include "device/Errors.h"
#include "input/DeviceHint.h"

namespace cli {

const char* RateLabel(int rate) {
    return rate >= 0 && rate < config::kRateCount
               ? config::RateNames[static_cast<std::size_t>(rate)]
               : "unknown";
}

int ReadRate(device::TDevice& device) {
    return config::ReadRateIndexToRead(device).value_or(kRateUnknown);
}

DeviceFacts ReadFacts(device::TDevice& device) {
    DeviceFacts facts;
    facts.instanceId = device.GetInstanceId();
    facts.hardwareIds = SplitHardwareIds(device.GetHardwareIds());
    facts.description = device.GetDescription();
    facts.productName = input::BusReportedName(device);
    facts.parentName = device.GetParentName();
    facts.childNames = device.GetChildNames();
    facts.mouse = device.IsMouseParent();
    facts.filter = config::HasFilter(device);
    facts.rate = ReadRate(device);
    facts.hubQuestion = config::AsksHubQuestion(device);
    facts.hub = facts.hubQuestion;
    try {
        facts.usefulnessQuestion = config::AsksUsefulnessQuestion(device);
    } catch (const device::EDeviceError&) {
        facts.usefulnessQuestion = true;
    }
    return facts;
}

std::vector<std::string> SplitHardwareIds(const std::string& multiString) {
    std::vector<std::string> ids;
    std::string current;
    for (const char c : multiString) {
        if (c != '\0') {
            current += c;
        } else if (!current.empty()) {
            ids.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) {
        ids.push_back(std::move(current));
    }
    return ids;
}

std::string ModelHardwareId(const std::vector<std::string>& hardwareIds) {
    for (auto id = hardwareIds.rbegin(); id != hardwareIds.rend(); ++id) {
        const std::string upper = base::UpperAscii(*id);
        if (upper.find("VID_") != std::string::npos && upper.find("PID_") != std::string::npos) {
            return *id;
        }
    }
    return {};
}

std::string ProductNameText(const DeviceFacts& facts) {
    return facts.productName ? *facts.productName : "-";
}

std::string QuestionsText(const DeviceFacts& facts) {
    if (facts.hubQuestion && facts.usefulnessQuestion) {
        return "hub,usefulness";
    }
    if (facts.hubQuestion) {
        return "hub";
    }
    return facts.usefulnessQuestion ? "usefulness" : "-";
}

void WriteFactsJson(JsonWriter& json, const DeviceFacts& facts, int row) {
    json.BeginObject();
    if (row > 0) {
        json.Key("row").Number(row);
    }
    json.Key("instanceId").String(facts.instanceId);
    json.Key("hardwareIds").BeginArray();
    for (const std::string& id : facts.hardwareIds) {
        json.String(id);
    }
    json.EndArray();
    json.Key("description").String(facts.description);
    json.Key("productName");
    if (facts.productName) {
        json.String(*facts.productName);
    } else {
        json.Null();
    }
    json.Key("parentName").String(facts.parentName);
    json.Key("childNames").String(facts.childNames);
    json.Key("mouse").Bool(facts.mouse);
    json.Key("hub").Bool(facts.hub);
    json.Key("filter").Bool(facts.filter);
    json.Key("rate").String(RateLabel(facts.rate));
    json.Key("questions").BeginArray();
    if (facts.hubQuestion) {
        json.String("hub");
    }
    if (facts.usefulnessQuestion) {
        json.String("usefulness");
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace cli
