#include "cli/ListOptions.h"

#include "cli/DeviceSelection.h"
#include "cli/ExitCodes.h"

namespace cli {

std::vector<OptionRule> ListOptionRules() {
    return {{"all"}, {"mice"}, {"json"}};
}

std::unique_ptr<TDeviceList> BuildList(const Arguments& args) {
    return std::make_unique<TDeviceList>(args.Has("mice"), args.Has("all"));
}

std::vector<TDevice*> SelectedDevices(TDeviceList& list, const Arguments& args) {
    if (args.positional.empty()) {
        throw UsageError(args.command + " needs a DEVICE");
    }
    std::vector<TDevice*> devices;
    std::vector<std::string> ids;
    for (const int index : SelectDevices(list, args.positional[0], args.Has("all-matching"))) {
        TDevice* device = &list.GetDevice(index);
        if (args.Has("parent")) {
            device = &device->GetParentDevice();
        }
        // Two interfaces of one composite device share their parent.
        std::string id = UpperAscii(device->GetInstanceId());
        bool seen = false;
        for (const std::string& known : ids) {
            seen = seen || known == id;
        }
        if (!seen) {
            ids.push_back(std::move(id));
            devices.push_back(device);
        }
    }
    return devices;
}

}  // namespace cli
