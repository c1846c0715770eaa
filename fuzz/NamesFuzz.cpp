#include <cstddef>
#include <cstdint>

#include "fuzz/NamesCheck.h"
#include "fuzz/FailOn.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzcheck::FailOn(fuzzcheck::CheckNames(data, size));
    return 0;
}
