// The fuzz targets' checks in the native suite: the models they judge by, pinned to
// worked examples; every committed seed input; and each input that once broke an
// invariant, under its own name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/CopyIdsCheck.h"
#include "fuzz/LowerFiltersCheck.h"
#include "fuzz/NamesCheck.h"
#include "fuzz/ProfileCheck.h"
#include "fuzz/RateCheck.h"

using namespace std::string_literals;

namespace {

using Check = std::string (*)(const std::uint8_t*, std::size_t);

std::string RunCheck(Check check, const std::string& input) {
    return check(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// The models are what the fuzzers judge by, so they are held to worked examples.
TEST(FuzzModels, LowerFilterListReadsAndEdits) {
    EXPECT_EQ(model::ReadEntries("a\0b\0\0"s), (model::Entries{"a", "b"}));
    EXPECT_EQ(model::ReadEntries("\0\0"s), model::Entries{});
    EXPECT_EQ(model::ReadEntries("\0a\0\0"s), (model::Entries{"", "a"}));
    EXPECT_EQ(model::ReadEntries("a\r\nb\n\rc"s), (model::Entries{"a", "b", "", "c"}));
    EXPECT_EQ(model::ReadEntries("a\0\nb"s), (model::Entries{"a", "b"}));
    EXPECT_EQ(model::ReadEntries(std::nullopt), model::Entries{});

    EXPECT_EQ(model::AfterSetFilter(std::nullopt, true, "quorvin"), "quorvin\0\0"s);
    EXPECT_EQ(model::AfterSetFilter("kbd\0\0"s, true, "quorvin"), "quorvin\0kbd\0\0"s);
    EXPECT_EQ(model::AfterSetFilter("QuorVin\0\0"s, true, "quorvin"), "QuorVin\0\0"s);
    EXPECT_EQ(model::AfterSetFilter("\0quorvin\0\0"s, false, "quorvin"), std::nullopt);
    EXPECT_EQ(model::AfterSetFilter("quorvin\0a\0quorvin\0\0"s, false, "quorvin"), "a\0\0"s);
    EXPECT_EQ(model::AfterSetFilter("quorvin.sys\0"s, true, "quorvin"),
              "quorvin\0quorvin.sys\0\0"s);
    EXPECT_EQ(model::AfterSetFilter("x\0\0"s, false, "quorvin"), "x\0\0"s);
}

TEST(FuzzModels, CopyIdsText) {
    EXPECT_EQ(model::MultiStringToLines("a\0b\0\0"s),
              "a\xFF"
              "b");
    EXPECT_EQ(model::MultiStringToLines("a\0b\0"s),
              "a\xFF"
              "b\xFF");
    EXPECT_EQ(model::MultiStringToLines("\0\0"s), "");
    EXPECT_EQ(model::CopyIdsText("I", "H1\0H2\0"s), "\"I\"\r\n\"H1\"\r\n\"H2\"\r\n");
    EXPECT_EQ(model::CopyIdsText("I", ""), "\"I\"\r\n");
    EXPECT_EQ(model::CopyIdsText("", ""), "\"\"\r\n");
    EXPECT_EQ(model::CopyIdsText("A\xFF"
                                 "B\"\r\n",
                                 ""),
              "\"A?B???\"\r\n");
    EXPECT_EQ(fuzzcheck::LinesFault("\"A\"\r\n\"B\"\r\n", 2), "");
    EXPECT_EQ(fuzzcheck::LinesFault("\"A\"\r\n\"B\"\r\n", 1), "2 lines for 1 IDs");
    EXPECT_EQ(fuzzcheck::LinesFault("\"A\"B\"\r\n", 1), "line 1 holds the byte \"");
    EXPECT_EQ(fuzzcheck::LinesFault("\"A\xFF\"\r\n", 1), "line 1 holds the byte \\xFF");
    EXPECT_EQ(fuzzcheck::LinesFault("\"A\"", 1), "a last line without CR LF");
    EXPECT_EQ(fuzzcheck::LinesFault("A\r\n", 1), "line 1 is not in quotes");
}

TEST(FuzzModels, NamesAndRates) {
    EXPECT_EQ(fuzzcheck::ExpectedNames({"", "b"}), "b");
    EXPECT_EQ(fuzzcheck::ExpectedNames({"a", ""}), "a; ");
    EXPECT_EQ(fuzzcheck::ExpectedNames({"a", "", "c"}), "a; ; c");
    const std::pair<std::uint32_t, int> rates[] = {{0, 0},  {1, 1},  {2, 2},         {3, 3},
                                                   {4, 3},  {5, 4},  {8, 4},         {9, 5},
                                                   {16, 5}, {17, 6}, {0xFFFFFFFF, 6}};
    for (const auto& [interval, index] : rates) {
        EXPECT_EQ(fuzzcheck::ExpectedRateIndex(interval), index) << interval;
    }
}

struct Target {
    const char* name;
    Check check;
};

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

class SeedCorpus : public ::testing::TestWithParam<Target> {};

TEST_P(SeedCorpus, EverySeedKeepsTheInvariants) {
    // The source folder comes from the build, not __FILE__, which a compiler cache
    // or a prefix map may have made relative.
    const std::filesystem::path folder =
        std::filesystem::path(QUORVIN_SOURCE_DIR) / "fuzz" / "corpus" / GetParam().name;
    std::size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(RunCheck(GetParam().check, input), "") << entry.path().filename();
        ++seeds;
    }
    EXPECT_GE(seeds, 8u) << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, SeedCorpus,
                         ::testing::Values(Target{"lower_filters", fuzzcheck::CheckLowerFilters},
                                           Target{"rate", fuzzcheck::CheckRate},
                                           Target{"copy_ids", fuzzcheck::CheckCopyIds},
                                           Target{"names", fuzzcheck::CheckNames},
                                           Target{"profile", fuzzcheck::CheckProfile}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
