// orlo-bench: the one place where Orlo's speed is measured (Release build).
#include <cstdio>
#include <cstring>

#include "app/startup.h"
#include "bench.h"

namespace {

struct Subcommand {
    const char* name;
    const char* usage;
    int (*run)(int, char**);
};

constexpr Subcommand SUBCOMMANDS[] = {
    {"perft", "perft DEPTH [FEN]   leaves, seconds and millions of leaves per second", bench_perft},
    {"search", "search [DEPTH]      fixed-depth searches of built-in positions (default 8)",
     bench_search},
    {"eval", "eval [FILE]         full-window evaluations per second", bench_eval},
};

int usage() {
    std::printf("usage: orlo-bench <what> [arguments]\n");
    for (const Subcommand& s : SUBCOMMANDS) std::printf("  orlo-bench %s\n", s.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    init_engine_tables();
    for (const Subcommand& s : SUBCOMMANDS)
        if (std::strcmp(argv[1], s.name) == 0) return s.run(argc - 2, argv + 2);
    return usage();
}
