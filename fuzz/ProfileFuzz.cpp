#include <cstddef>
#include <cstdint>

#include "fuzz/FailOn.h"
#include "fuzz/ProfileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzcheck::FailOn(fuzzcheck::CheckProfile(data, size));
    return 0;
}
