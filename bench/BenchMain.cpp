// The benchmark program's entry: Google Benchmark's own, followed by the process's
// peak resident memory, which includes the simulated machines it built.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "max resident memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
}
