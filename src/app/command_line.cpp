#include "app/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/bench_searches.h"
#include "app/startup.h"
#include "protocol/read_number.h"

namespace {

// `bench [DEPTH]`: the benchmark searches, then the one line "N nodes M nps" (protocol nodes,
// nodes per second), as engine-testing frameworks read it.
int bench(int argc, char** argv) {
    int depth = BENCH_DEFAULT_DEPTH;
    if (argc > 2) depth = read_int(argv[2]);
    if (depth < 1 || depth > BENCH_MAX_DEPTH) {
        std::printf("depth must be between 1 and %d\n", BENCH_MAX_DEPTH);
        return 2;
    }
    const BenchRun run = run_bench_searches(depth);
    const double nps =
        run.total_seconds > 0 ? static_cast<double>(run.total_nodes) / run.total_seconds : 0;
    std::printf("%lld nodes %.0f nps\n", static_cast<long long>(run.total_nodes), nps);
    return 0;
}

}  // namespace

int run_command_line(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "bench") == 0) return bench(argc, argv);
    return -1;
}
