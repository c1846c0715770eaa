// Counts and times the calls that this program makes into the system functions of
// the device, registry and drawing layers while a CallTimer is alive. It redirects
// the program's own import table, so only calls made by the program's code are
// seen (not those a system library makes internally), and nothing about the
// program's code changes.
#pragma once

#include <string>
#include <vector>

namespace winbench {

struct CallStats {
    std::string name;
    long long count = 0;
    double microseconds = 0;
};

// Points this program's import of the named system function at `replacement`;
// returns what the import pointed at before, or null when it imports no such name.
void* RedirectImport(const char* name, void* replacement);

class CallTimer {
  public:
    CallTimer();
    ~CallTimer();
    CallTimer(const CallTimer&) = delete;
    CallTimer& operator=(const CallTimer&) = delete;

    // Zeroes the counts; the redirection stays.
    void Clear();
    // Every function called at least once, most time first.
    std::vector<CallStats> Results() const;
};

}  // namespace winbench
