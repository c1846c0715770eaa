// From a raw-input device's name to the instance ID of its HID collection.
//
// Windows names a HID collection's raw-input device by its interface path:
//   \\?\HID#VID_046D&PID_C08B&MI_00&Col01#8&1b1ef7b0&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}
// which is the instance ID HID\VID_046D&PID_C08B&MI_00&COL01\8&1B1EF7B0&0&0000 with '#'
// for '\', a prefix and the interface class after it, in whatever letter case the
// system chose. Instance IDs compare without letter case, so the result is upper case.
#pragma once

#include <string>
#include <string_view>

#include "base/AsciiCase.h"

namespace input {

// The upper-case instance ID, or empty when the name is no interface path.
std::string CollectionIdFromInterfaceName(std::string_view name);

}  // namespace input
