// Full path names: relative forms, normalisation and the buffer protocol; and the
// machine's names as the wide and the ANSI calls see them.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimNames.h"
#include "platform/sim/SimSystem.h"

namespace {

class SimPaths : public ::testing::Test {
  protected:
    sim::Machine machine;
    sim::ScopedMachine scope{machine};

    // Names in UTF-8 both ways.
    std::string Full(const std::string& name) {
        WCHAR buffer[MAX_PATH] = {};
        const DWORD length =
            plat::GetFullPathNameW(sim::Utf16(name).c_str(), MAX_PATH, buffer, nullptr);
        return length == 0 ? "(failed)" : sim::Utf8(std::u16string(buffer, length));
    }
};

}  // namespace

TEST_F(SimPaths, ResolvesEveryRelativeFormAgainstTheCurrentDirectory) {
    machine.currentDirectory = "D:\\Work\\Données";
    EXPECT_EQ(Full("q.inf"), "D:\\Work\\Données\\q.inf");
    EXPECT_EQ(Full(".\\a/b\\..\\q.inf"), "D:\\Work\\Données\\a\\q.inf");
    EXPECT_EQ(Full("..\\..\\..\\q.inf"), "D:\\q.inf") << "never above the root";
    EXPECT_EQ(Full("\\Drivers\\q.inf"), "D:\\Drivers\\q.inf");
    EXPECT_EQ(Full("d:q.inf"), "D:\\Work\\Données\\q.inf");
    EXPECT_EQ(Full("Пример\\..\\𝄞.inf"), "D:\\Work\\Données\\𝄞.inf");
    EXPECT_EQ(Full("E:q.inf"), "E:\\q.inf");
    EXPECT_EQ(Full("C:\\x\\\\y\\"), "C:\\x\\y\\");
    EXPECT_EQ(Full("\\\\server\\share\\a\\..\\q.inf"), "\\\\server\\share\\q.inf");
    EXPECT_EQ(Full(""), "(failed)");
}

TEST_F(SimPaths, TooSmallABufferGetsTheSizeNeeded) {
    machine.currentDirectory = "C:\\W";
    EXPECT_EQ(plat::GetFullPathNameW(u"q.inf", 0, nullptr, nullptr), 11u);
    WCHAR buffer[11] = {};
    EXPECT_EQ(plat::GetFullPathNameW(u"q.inf", 10, buffer, nullptr), 11u);
    EXPECT_EQ(buffer[0], 0) << "nothing written";
    LPWSTR filePart = nullptr;
    EXPECT_EQ(plat::GetFullPathNameW(u"q.inf", 11, buffer, &filePart), 10u);
    EXPECT_EQ(std::u16string(buffer), u"C:\\W\\q.inf");
    EXPECT_EQ(std::u16string(filePart), u"q.inf");
}

TEST_F(SimPaths, AnsiCallsSeeNamesThroughTheCodePage) {
    // A file in a Western folder and one in a Cyrillic folder, on a Western system.
    machine.files = {"C:\\Données\\a.inf", "C:\\Пример\\b.inf"};
    EXPECT_NE(plat::GetFileAttributesA("C:\\donn\xE9"
                                       "es\\A.INF"),
              INVALID_FILE_ATTRIBUTES)
        << "read in Windows-1252";
    EXPECT_EQ(plat::GetFileAttributesA("C:\\??????\\b.inf"), INVALID_FILE_ATTRIBUTES)
        << "what the ANSI page makes of the Cyrillic name is no name";
    EXPECT_NE(plat::GetFileAttributesW(sim::Utf16("C:\\Пример\\b.inf").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(sim::AnsiName("C:\\Données\\Пример"),
              "C:\\Donn\xE9"
              "es\\??????");
    sim::SetAnsiCodePage(machine, 20127);
    EXPECT_EQ(sim::AnsiName("Données"), "Donn?es");
    EXPECT_EQ(sim::NameFromAnsi("Donn\xE9"
                                "es"),
              "Donn\uFFFD"
              "es");
}

TEST_F(SimPaths, TheProgramsPathIsReadWholeOnlyInUtf16) {
    machine.system().programPath = "C:\\Пример\\QuorvinSetup.exe";
    WCHAR wide[MAX_PATH] = {};
    ASSERT_EQ(plat::GetModuleFileNameW(nullptr, wide, MAX_PATH), 26u);
    EXPECT_EQ(sim::Utf8(std::u16string(wide)), machine.system().programPath);
    // Too small a buffer: cut short, terminated, its whole size returned, and
    // ERROR_INSUFFICIENT_BUFFER (as since Windows Vista).
    EXPECT_EQ(plat::GetModuleFileNameW(nullptr, wide, 10), 10u);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(wide), u"C:\\Пример");
}
