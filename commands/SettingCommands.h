// Changing a device's settings: the filter on its lower-filter list and its polling
// rate. Each command asks what attaching the filter deserves, records the change in
// the undo journal before writing it, and reads the setting back, so that a write
// that did not take comes back as Failed rather than unnoticed.
#pragma once

#include <cstdint>

#include "commands/Host.h"
#include "commands/Result.h"

namespace device {
class TDevice;
}  // namespace device

namespace commands {

// Asks, in this order and until one is answered "no", the questions attaching the
// filter to the device deserves: a hub; a parent that is no hub; a filter driver
// that cannot load, or whose state is unknown. The driver is looked at only once
// the first two are answered. Declined names the question answered "no".
Result ConfirmAttach(device::TDevice& device, Host& host);

// Whether ChangeFilter asks ConfirmAttach's questions, or its caller settled them
// already (the command line checks every device before it writes to any, or its
// --force answers them unasked: the questions themselves may fail on a device whose
// parent cannot be opened).
enum class AttachQuestions { Ask, Settled };

// Puts the filter on the device's list or takes it off. Attaching to a device that
// lacks it asks ConfirmAttach's questions first, unless they are Settled.
Result ChangeFilter(device::TDevice& device, bool on, Host& host,
                    AttachQuestions questions = AttachQuestions::Ask);

// Stores rate index `index` (0 to 6; above 6 counts as 6).
Result ChangeRate(device::TDevice& device, std::uint32_t index, Host& host);

}  // namespace commands
