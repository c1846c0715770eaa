#include <cstddef>
#include <cstdint>

#include "fuzz/LowerFiltersCheck.h"
#include "fuzz/FailOn.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzcheck::FailOn(fuzzcheck::CheckLowerFilters(data, size));
    return 0;
}
