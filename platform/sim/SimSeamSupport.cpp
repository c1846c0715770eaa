#include "platform/sim/SimSeamSupport.h"

#include "platform/sim/SimText.h"

namespace sim {

Machine::State& CurrentState() {
    return Current().state();
}

std::string SetArg(Machine::State& state, HDEVINFO set) {
    const DevInfoSet* found = state.FindSet(set);
    return found != nullptr ? std::to_string(found->serial) : HandleArg(set);
}

std::string KeyArg(Machine::State& state, HKEY key) {
    const OpenKey* found = state.FindKey(key);
    return found != nullptr ? std::to_string(found->serial) : HandleArg(key);
}

Target Locate(Machine::State& state, HDEVINFO set, const SP_DEVINFO_DATA* data) {
    Target target;
    target.set = state.FindSet(set);
    if (target.set == nullptr || data == nullptr) {
        return target;
    }
    if (data->Reserved != 0 && data->Reserved <= target.set->elements.size()) {
        target.device = target.set->elements[data->Reserved - 1].device->instanceId;
    }
    target.element = state.Resolve(*target.set, data);
    if (target.element != nullptr) {
        target.index = data->Reserved - 1;
    }
    return target;
}

}  // namespace sim
