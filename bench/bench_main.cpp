#include "sample_log.h"

#include <benchmark/benchmark.h>

// Runs the benchmarks linked in, then removes the files they wrote.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(quillmarten::bench::benchDirectory());
    return 0;
}
