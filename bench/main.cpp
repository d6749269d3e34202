// orlo-bench <what> [arguments]: speed measurements of the engine's hot paths.
#include <cstdio>
#include <cstring>

#include "bench.h"
#include "shell/startup.h"

namespace {

struct Subcommand {
    const char* name;
    const char* usage;
    int (*run)(int argc, char** argv);
};

constexpr Subcommand SUBCOMMANDS[] = {
    {"eval", "eval [FILE]   full-window evaluations per second", bench_eval},
};

int usage() {
    std::fprintf(stderr, "usage: orlo-bench <what> ...\n");
    for (const Subcommand& s : SUBCOMMANDS) std::fprintf(stderr, "  %s\n", s.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Subcommand& s : SUBCOMMANDS) {
        if (std::strcmp(argv[1], s.name) == 0) {
            init_engine_tables();
            return s.run(argc - 2, argv + 2);
        }
    }
    return usage();
}
