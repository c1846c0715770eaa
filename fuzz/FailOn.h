// A broken invariant found by a fuzz target: printed, then the target aborts so
// that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzcheck {

inline void FailOn(const std::string& broken) {
    if (!broken.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", broken.c_str());
        std::abort();
    }
}

}  // namespace fuzzcheck
