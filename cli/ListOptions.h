// The options that choose the device list, shared by the commands that take DEVICE:
// --all and --mice are the window's "/ALL" and "Mice Only", so a row number means
// the same row as in `list` with the same options.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "device/DeviceList.h"

namespace cli {

// --all, --mice and --json.
std::vector<OptionRule> ListOptionRules();
// Builds the list those options choose; raises the list's EDeviceError.
std::unique_ptr<device::TDeviceList> BuildList(const Arguments& args);
// The devices a DEVICE argument selects from the list; with --parent their parents,
// each once.
std::vector<device::TDevice*> SelectedDevices(device::TDeviceList& list, const Arguments& args);

}  // namespace cli
