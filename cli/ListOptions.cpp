#include "cli/ListOptions.h"

#include "cli/DeviceSelection.h"
#include "cli/ExitCodes.h"

namespace cli {

std::vector<OptionRule> ListOptionRules() {
    return {{"all"}, {"mice"}, {"json"}};
}

std::unique_ptr<device::TDeviceList> BuildList(const Arguments& args) {
    return std::make_unique<device::TDeviceList>(args.Has("mice"), args.Has("all"));
}

std::vector<device::TDevice*> SelectedDevices(device::TDeviceList& list, const Arguments& args) {
    if (args.positional.empty()) {
        throw UsageError(args.command + " needs a DEVICE");
    }
    std::vector<device::TDevice*> devices;
    std::vector<std::string> ids;
    for (const int index : SelectDevices(list, args.positional[0], args.Has("all-matching"))) {
        device::TDevice* device = &list.GetDevice(index);
        if (args.Has("parent")) {
            device = &device->GetParentDevice();
        }
        // Two interfaces of one composite device share their parent.
        std::string id = base::UpperAscii(device->GetInstanceId());
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
