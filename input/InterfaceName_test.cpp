// Raw-input device names to collection instance IDs, as Windows and Wine write them.
#include "input/InterfaceName.h"

#include <gtest/gtest.h>

using input::CollectionIdFromInterfaceName;

TEST(InterfaceName, NamesInAnyLetterCaseGiveTheUpperCaseInstanceId) {
    EXPECT_EQ(
        CollectionIdFromInterfaceName("\\\\?\\HID#VID_046D&PID_C08B&MI_00&Col01#8&1b1ef7b0&0&0000#"
                                      "{4d1e55b2-f16f-11cf-88cb-001111000030}"),
        "HID\\VID_046D&PID_C08B&MI_00&COL01\\8&1B1EF7B0&0&0000");
    EXPECT_EQ(CollectionIdFromInterfaceName("\\\\?\\hid#vid_046d&pid_c08b#7&2a&0&0000#"
                                            "{4D1E55B2-F16F-11CF-88CB-001111000030}"),
              "HID\\VID_046D&PID_C08B\\7&2A&0&0000");
    // Wine's virtual mouse, under the mouse interface class, and the kernel's prefix.
    EXPECT_EQ(CollectionIdFromInterfaceName("\\\\?\\HID#VID_845E&PID_0001#0&0000&0&0#"
                                            "{378de44c-56ef-11d1-bc8c-00a0c91405dd}"),
              "HID\\VID_845E&PID_0001\\0&0000&0&0");
    EXPECT_EQ(CollectionIdFromInterfaceName("\\??\\HID#A#B#{x}"), "HID\\A\\B");
}

TEST(InterfaceName, WhatIsNoInterfacePathGivesNothing) {
    for (const char* name :
         {"", "HID#A#B#{x}", "\\\\?\\HID#A#B", "\\\\?\\HID#A#{x}", "\\\\?\\HID#A#B#C#{x}",
          "\\\\?\\#A#B#{x}", "\\\\?\\HID##B#{x}", "\\\\?\\HID#A\\X#B#{x}", "\\\\?\\HID#A#B#{x",
          "\\\\?\\Root#RDP_MOU#0000"}) {
        EXPECT_EQ(CollectionIdFromInterfaceName(name), "") << name;
    }
}
