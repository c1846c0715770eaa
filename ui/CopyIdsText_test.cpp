// The bytes that "Copy IDs" produces, and the multi-string step behind them.
#include "ui/CopyIdsText.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(MultiStringToLines, MarksNulsAndEndsAtTheFirstPair) {
    EXPECT_EQ(MultiStringToLines("a\0b\0\0c"s),
              "a\xFF"
              "b"s);
    EXPECT_EQ(MultiStringToLines("a\0b\0"s),
              "a\xFF"
              "b\xFF"s);  // single closing NUL kept
    EXPECT_EQ(MultiStringToLines("\0\0"s), ""s);
    EXPECT_EQ(MultiStringToLines("abc"s), "abc"s);
}

TEST(CopyIdsText, TheFourCases) {
    const std::string hw = "USB\\VID_1&PID_2&REV_3\0USB\\VID_1&PID_2\0"s;
    EXPECT_EQ(CopyIdsText("USB\\X\\1", hw),
              "\"USB\\X\\1\"\r\n\"USB\\VID_1&PID_2&REV_3\"\r\n\"USB\\VID_1&PID_2\"\r\n");
    EXPECT_EQ(CopyIdsText("USB\\X\\1", ""), "\"USB\\X\\1\"\r\n");
    EXPECT_EQ(CopyIdsText("", hw),
              "\"\"\r\n\"USB\\VID_1&PID_2&REV_3\"\r\n\"USB\\VID_1&PID_2\"\r\n");
    EXPECT_EQ(CopyIdsText("", ""), "\"\"\r\n");
}

TEST(CopyIdsText, AByte0xFFInsideAnIdBreaksTheLine) {
    EXPECT_EQ(CopyIdsText("A\xFF"
                          "B",
                          "H\0"s),
              "\"A\"\r\n\"B\"\r\n\"H\"\r\n");
}

}  // namespace
