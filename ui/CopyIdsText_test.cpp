// The bytes that "Copy IDs" produces, and the multi-string step behind them.
#include "ui/CopyIdsText.h"

#include <gtest/gtest.h>

namespace ui {

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

TEST(CopyIdsText, NoByteInsideAnIdStartsAnotherLine) {
    // 0xFF, a quote, CR and LF in the instance ID and in a hardware ID.
    EXPECT_EQ(CopyIdsText("A\xFF"
                          "B\"\r\n\"C",
                          "H\n\"X\"\0G\x7F\t\0"s),
              "\"A?B????C\"\r\n\"H??X?\"\r\n\"G??\"\r\n");
    // An ID that holds only such bytes still is one line of its own.
    EXPECT_EQ(CopyIdsText("\r\n", "\"\0"s), "\"??\"\r\n\"?\"\r\n");
}

TEST(CopyIdsText, OtherBytesPassUnchanged) {
    // Code-page letters, the blank and every printable byte but the quote.
    std::string printable;
    for (int c = 0x20; c < 0x7F; ++c) {
        if (c != '"') {
            printable += static_cast<char>(c);
        }
    }
    EXPECT_EQ(CopyIdsText(printable,
                          "Donn\xE9"
                          "es\x80\xFE\0"s),
              "\"" + printable +
                  "\"\r\n\"Donn\xE9"
                  "es\x80\xFE\"\r\n");
}

}  // namespace

}  // namespace ui
