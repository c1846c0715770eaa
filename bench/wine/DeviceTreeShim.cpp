#include "bench/wine/DeviceTreeShim.h"

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

#include <cstring>
#include <map>
#include <memory>

#include "bench/wine/CallTimer.h"
#include "device/DevInfoSetHandle.h"

namespace winbench {
namespace {

struct Shim {
    ParentOf parentOf;
    device::DevInfoSetHandle parents{::SetupDiCreateDeviceInfoList(nullptr, nullptr)};
    std::map<std::string, DEVINST> opened;  // parent instance ID -> its node
    void* original = nullptr;
};
std::unique_ptr<Shim> shim;

CONFIGRET WINAPI GetParent(PDEVINST parent, DEVINST node, ULONG flags) {
    char id[MAX_DEVICE_ID_LEN + 1] = "";
    if (flags != 0 || ::CM_Get_Device_IDA(node, id, sizeof id, 0) != CR_SUCCESS) {
        return CR_INVALID_DEVNODE;
    }
    const std::string parentId = shim->parentOf(id);
    if (parentId.empty()) {
        return CR_NO_SUCH_DEVNODE;
    }
    auto found = shim->opened.find(parentId);
    if (found == shim->opened.end()) {
        SP_DEVINFO_DATA element{};
        element.cbSize = sizeof element;
        if (!::SetupDiOpenDeviceInfoA(shim->parents.get(), parentId.c_str(), nullptr, 0,
                                      &element)) {
            return CR_NO_SUCH_DEVNODE;
        }
        found = shim->opened.emplace(parentId, element.DevInst).first;
    }
    *parent = found->second;
    return CR_SUCCESS;
}

template <typename T>
void* Address(T pointer) {
    void* address = nullptr;
    std::memcpy(&address, &pointer, sizeof address);
    return address;
}

}  // namespace

DeviceTreeShim::DeviceTreeShim(ParentOf parentOf) {
    shim = std::make_unique<Shim>();
    shim->parentOf = std::move(parentOf);
    shim->original = RedirectImport("CM_Get_Parent", Address(&GetParent));
}

DeviceTreeShim::~DeviceTreeShim() {
    if (shim->original != nullptr) {
        RedirectImport("CM_Get_Parent", shim->original);
    }
    shim.reset();
}

}  // namespace winbench
