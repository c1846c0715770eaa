#include "config/FilterQuestions.h"

#include "device/Device.h"

bool AsksHubQuestion(TDevice& device) {
    return device.IsHub();
}

bool AsksUsefulnessQuestion(TDevice& device) {
    return !device.GetParentDevice().IsHub();
}
