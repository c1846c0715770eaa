#include "runtime/LibraryFault.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstddef>
#include <exception>
#include <string>

namespace {

using runtime::LibraryFaultText;
using runtime::ThrowLibraryFault;

std::string Text(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::string text = LibraryFaultText(format, arguments);
    va_end(arguments);
    return text;
}

TEST(LibraryFaultText, FillsTheConversionsTheLibraryMessagesUse) {
    EXPECT_EQ(Text("%s: __pos (which is %zu) > this->size() (which is %zu)", "basic_string::substr",
                   std::size_t{7}, std::size_t{3}),
              "basic_string::substr: __pos (which is 7) > this->size() (which is 3)");
    EXPECT_EQ(Text("vector::_M_range_check: __n (which is %zu) >= this->size() (which is %zu)",
                   std::size_t{0}, static_cast<std::size_t>(-1)),
              "vector::_M_range_check: __n (which is 0) >= this->size() (which is " +
                  std::to_string(static_cast<std::size_t>(-1)) + ")");
}

TEST(LibraryFaultText, KeepsPercentSignsAndOtherTextAsWritten) {
    EXPECT_EQ(Text("100%% of %s", "it"), "100% of it");
    EXPECT_EQ(Text("%d and %z and a trailing %"), "%d and %z and a trailing %");
    EXPECT_EQ(Text("%s", static_cast<const char*>(nullptr)), "(null)");
    EXPECT_EQ(Text(""), "");
}

TEST(LibraryFault, IsAStandardExceptionWithTheMessage) {
    try {
        ThrowLibraryFault("basic_string: construction from null is not valid");
    } catch (const std::exception& fault) {
        EXPECT_STREQ(fault.what(), "basic_string: construction from null is not valid");
        return;
    }
    FAIL() << "no exception";
}

}  // namespace
