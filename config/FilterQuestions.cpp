#include "config/FilterQuestions.h"

#include "device/Device.h"

namespace config {

namespace {

bool AskThePlatform(device::TDevice& device) {
    return device.IsHub();
}

}  // namespace

bool AsksHubQuestion(device::TDevice& device) {
    return AsksHubQuestion(device, AskThePlatform);
}

bool AsksHubQuestion(device::TDevice& device, const HubTest& isHub) {
    return isHub(device);
}

bool AsksUsefulnessQuestion(device::TDevice& device) {
    return AsksUsefulnessQuestion(device, AskThePlatform);
}

bool AsksUsefulnessQuestion(device::TDevice& device, const HubTest& isHub) {
    return !isHub(device.GetParentDevice());
}

}  // namespace config
