#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "base/ScopeExit.h"
#include "base/UniqueHandle.h"

namespace base {

namespace {

std::vector<int> closed;

struct IntTraits {
    using Handle = int;
    static Handle Invalid() { return -1; }
    static void Close(Handle h) { closed.push_back(h); }
};
// A kind with two failure values, as registry keys have.
struct TwoInvalidTraits {
    using Handle = int;
    static Handle Invalid() { return 0; }
    static bool IsValid(Handle h) { return h != 0 && h != -1; }
    static void Close(Handle h) { closed.push_back(h); }
};

TEST(UniqueHandle, ClosesEachHandleExactlyOnceWhateverHappensToItsOwner) {
    closed.clear();
    {
        UniqueHandle<IntTraits> a(1);
        UniqueHandle<IntTraits> b(std::move(a));
        EXPECT_FALSE(a.valid());
        UniqueHandle<IntTraits> c(2);
        c = std::move(b);  // 2 closed, 1 moves over
        EXPECT_EQ(closed, std::vector<int>{2});
        UniqueHandle<IntTraits>& same = c;
        c = std::move(same);  // a self-move keeps the handle
        c.reset(3);           // 1 closed
        int raw = c.release();
        EXPECT_EQ(raw, 3);
        UniqueHandle<IntTraits> none;
        EXPECT_FALSE(none);
    }
    EXPECT_EQ(closed, (std::vector<int>{2, 1}));  // 3 was released, never closed
}

TEST(UniqueHandle, EveryFailureValueOfAKindCountsAsNone) {
    closed.clear();
    {
        UniqueHandle<TwoInvalidTraits> failed(-1);
        UniqueHandle<TwoInvalidTraits> zero(0);
        EXPECT_FALSE(failed.valid());
        EXPECT_FALSE(zero.valid());
    }
    EXPECT_TRUE(closed.empty());
}

TEST(ScopeExit, RunsOnceOnLeavingByReturnOrExceptionUnlessReleased) {
    int runs = 0;
    {
        ScopeExit guard([&] { ++runs; });
    }
    EXPECT_EQ(runs, 1);
    try {
        ScopeExit guard([&] { ++runs; });
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(runs, 2);
    {
        ScopeExit guard([&] { ++runs; });
        guard.release();
    }
    EXPECT_EQ(runs, 2);
}

}  // namespace

}  // namespace base
