#include "config/FilterQuestions.h"

#include "device/Device.h"

namespace {

bool AskThePlatform(TDevice& device) {
    return device.IsHub();
}

}  // namespace

bool AsksHubQuestion(TDevice& device) {
    return AsksHubQuestion(device, AskThePlatform);
}

bool AsksHubQuestion(TDevice& device, const HubTest& isHub) {
    return isHub(device);
}

bool AsksUsefulnessQuestion(TDevice& device) {
    return AsksUsefulnessQuestion(device, AskThePlatform);
}

bool AsksUsefulnessQuestion(TDevice& device, const HubTest& isHub) {
    return !isHub(device.GetParentDevice());
}
