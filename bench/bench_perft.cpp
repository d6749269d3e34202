// orlo-bench perft DEPTH [FEN]: leaf count, seconds and millions of leaves per second.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench.h"
#include "board/fen.h"
#include "movegen/perft.h"
#include "shell/clock.h"

int bench_perft(int argc, char** argv) {
    if (argc < 1) {
        std::printf("usage: orlo-bench perft DEPTH [FEN]\n");
        return 2;
    }
    int depth = std::atoi(argv[0]);
    if (depth < 0 || depth > 12) {
        std::printf("depth must be between 0 and 12\n");
        return 2;
    }
    Position position = start_position;
    if (argc > 1) {
        std::string fen;
        for (int i = 1; i < argc; ++i) fen += std::string(i > 1 ? " " : "") + argv[i];
        read_fen(fen.c_str(), position);
    }
    perft_nodes = 0;
    double start = clock_ms_precise();
    perft(position, depth);
    double seconds = (clock_ms_precise() - start) / 1000.0;
    std::printf("perft %d: %lld leaves in %.3f s, %.1f million leaves per second\n", depth,
                static_cast<long long>(perft_nodes), seconds,
                seconds > 0 ? static_cast<double>(perft_nodes) / seconds / 1e6 : 0.0);
    return 0;
}
