// Full path names: relative forms, normalisation and the buffer protocol.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"

namespace {

class SimPaths : public ::testing::Test {
  protected:
    sim::Machine machine;
    sim::ScopedMachine scope{machine};

    std::string Full(const char* name) {
        char buffer[MAX_PATH] = {};
        const DWORD length = plat::GetFullPathNameA(name, MAX_PATH, buffer, nullptr);
        return length == 0 ? "(failed)" : std::string(buffer, length);
    }
};

}  // namespace

TEST_F(SimPaths, ResolvesEveryRelativeFormAgainstTheCurrentDirectory) {
    machine.currentDirectory =
        "D:\\Work\\Donn\xE9"
        "es";
    EXPECT_EQ(Full("q.inf"),
              "D:\\Work\\Donn\xE9"
              "es\\q.inf");
    EXPECT_EQ(Full(".\\a/b\\..\\q.inf"),
              "D:\\Work\\Donn\xE9"
              "es\\a\\q.inf");
    EXPECT_EQ(Full("..\\..\\..\\q.inf"), "D:\\q.inf") << "never above the root";
    EXPECT_EQ(Full("\\Drivers\\q.inf"), "D:\\Drivers\\q.inf");
    EXPECT_EQ(Full("d:q.inf"),
              "D:\\Work\\Donn\xE9"
              "es\\q.inf");
    EXPECT_EQ(Full("E:q.inf"), "E:\\q.inf");
    EXPECT_EQ(Full("C:\\x\\\\y\\"), "C:\\x\\y\\");
    EXPECT_EQ(Full("\\\\server\\share\\a\\..\\q.inf"), "\\\\server\\share\\q.inf");
    EXPECT_EQ(Full(""), "(failed)");
}

TEST_F(SimPaths, TooSmallABufferGetsTheSizeNeeded) {
    machine.currentDirectory = "C:\\W";
    EXPECT_EQ(plat::GetFullPathNameA("q.inf", 0, nullptr, nullptr), 11u);
    char buffer[11] = {};
    EXPECT_EQ(plat::GetFullPathNameA("q.inf", 10, buffer, nullptr), 11u);
    EXPECT_EQ(buffer[0], '\0') << "nothing written";
    PSTR filePart = nullptr;
    EXPECT_EQ(plat::GetFullPathNameA("q.inf", 11, buffer, &filePart), 10u);
    EXPECT_STREQ(buffer, "C:\\W\\q.inf");
    EXPECT_STREQ(filePart, "q.inf");
}
