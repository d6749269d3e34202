#include "app/bench_searches.h"

#include <cstring>

#include "app/startup.h"
#include "board/fen.h"
#include "board/usable.h"
#include "search/search_state.h"
#include "search/think.h"
#include "shell/clock.h"
#include "shell/output.h"

const std::array<const char*, BENCH_POSITION_COUNT> BENCH_POSITIONS = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
    "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq",
    "rnbqkb1r/1p2pppp/p2p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq",
    "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq",
    "rnbq1rk1/ppp1ppbp/3p1np1/8/2PPP3/2N2N2/PP2BPPP/R1BQK2R b KQ",
    "rnbqkbnr/ppp2ppp/4p3/3pP3/3P4/8/PPP2PPP/RNBQKBNR b KQkq",
    "rn1qkbnr/pp2pppp/2p5/5b2/3PN3/8/PPP2PPP/R1BQKBNR w KQkq",
    "r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq",
    "rnbqkbnr/pppp1ppp/8/4p3/2P5/2N5/PP1PPPPP/R1BQKBNR b KQkq",
    "rnbqkbnr/ppppp1pp/8/5p2/3P4/8/PPP1PPPP/RNBQKBNR w KQkq",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ",
    "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/2RQ1RK1 w",
    "r1b2rk1/2q1bppp/p2p1n2/np2p3/3PP3/5N1P/PPBN1PP1/R1BQR1K1 b",
    "3r1rk1/p1q2ppp/1pn1p3/2p5/2P1P3/2PB4/P1Q2PPP/R4RK1 w",
    "r4rk1/pp3ppp/2n1b3/q1pp4/3P4/P1P1PN2/2Q2PPP/R1B1KB1R w KQ",
    "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq",
    "2kr3r/ppp2ppp/2n5/2b1q3/4P1b1/2NP1N2/PPP1QPPP/R1B2RK1 w",
    "r2qr1k1/1b1nbppp/p2p1n2/1p2p3/3PP3/1BN2N1P/PP3PP1/R1BQR1K1 w",
    "6k1/pp3pp1/2p4p/3q4/3P4/2P2Q1P/P4PP1/6K1 b",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w",
    "1K1k4/1P6/8/8/8/8/r7/2R5 w",
    "8/8/8/4k3/8/8/4P3/4K3 w",
    "8/8/8/3k4/8/8/2r5/K5Q1 w",
    "8/pp3k2/2p5/3p4/3P4/2P5/PP3K2/8 w",
    "8/5pk1/6p1/8/2R5/6P1/r4PK1/8 w",
    "8/5pk1/4p1p1/3n4/8/4P1P1/3B1PK1/8 w",
    "8/5k2/4bp2/8/3B4/5P2/5K2/8 w",
    "8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w",
    "6k1/5ppp/8/8/8/8/5PPP/R4RK1 w",
};

BenchRun run_bench_searches(int depth, void (*searched)(int index, const BenchSearch&)) {
    BenchRun run{};
    std::FILE* console = output_file;
    const EngineSettings no_settings{};
    for (int i = 0; i < BENCH_POSITION_COUNT; ++i) {
        BenchSearch& search = run.searches[i];
        Position position{};
        read_fen(BENCH_POSITIONS[i], position);
        reset_engine_state();
        output_file = nullptr;
        const bool moved =
            position_is_usable(position) && think(position, 0, depth, no_settings, 0);
        output_file = console;
        if (moved) {
            search.nodes = stats.node_count + stats.qs_node_count;
            search.visited = stats.visited;
            search.seconds = (clock_ms_precise() - static_cast<double>(search_start_ms)) / 1000.0;
            std::strcpy(search.best_text, last_search.best_text);
        }
        run.total_nodes += search.nodes;
        run.total_visited += search.visited;
        run.total_seconds += search.seconds;
        if (searched) searched(i, search);
    }
    return run;
}
