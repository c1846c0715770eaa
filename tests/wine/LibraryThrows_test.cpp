// The standard library's faults as the setup program raises them: this suite links
// the same throw helpers as the program (runtime/StandardLibraryThrows.cpp).
#include <cstddef>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/Failure.h"

namespace {

// The fault that call raises, as the program's error report would see it.
template <typename Call>
std::string FailureText(Call call) {
    try {
        call();
    } catch (const base::Failure& failure) {
        return failure.what();
    } catch (const std::exception& other) {
        return std::string("not a Failure: ") + other.what();
    }
    return "no fault";
}

TEST(LibraryThrows, FaultsWithAMessageAreFailuresWithTheLibrarysText) {
    const std::vector<int> two(2);
    volatile std::size_t index = 3;
    EXPECT_EQ(FailureText([&] { (void)two.at(index); }),
              "vector::_M_range_check: __n (which is 3) >= this->size() (which is 2)");
    const std::string abc = "abc";
    volatile std::size_t position = 5;
    EXPECT_EQ(FailureText([&] { (void)abc.substr(position); }),
              "basic_string::substr: __pos (which is 5) > this->size() (which is 3)");
    std::vector<int> none;
    EXPECT_EQ(FailureText([&] { none.reserve(none.max_size() + index); }), "vector::reserve");
}

TEST(LibraryThrows, FaultsWithoutAMessageKeepTheirStandardTypes) {
    std::allocator<int> allocator;
    volatile std::size_t beyondAddressSpace = std::numeric_limits<std::size_t>::max() / 2;
    EXPECT_THROW((void)allocator.allocate(beyondAddressSpace), std::bad_array_new_length);
    volatile std::size_t beyondLargest = std::numeric_limits<std::ptrdiff_t>::max() / 2;
    EXPECT_THROW((void)allocator.allocate(beyondLargest), std::bad_alloc);
}

}  // namespace
