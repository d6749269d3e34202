// Full-window evaluation speed over a set of positions.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench.h"
#include "board/fen.h"
#include "board/make_move.h"
#include "board/usable.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "shell/clock.h"

namespace {

const char* const BUILT_IN_POSITIONS[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 1",
    "rnbqkb1r/pp3ppp/4pn2/2pp4/2PP4/2N2N2/PP2PPPP/R1BQKB1R w KQkq - 0 1",
    "r2q1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w - - 0 1",
    "r1bq1rk1/pp1nbppp/2p1pn2/3p2B1/2PP4/2NBPN2/PP3PPP/R2QK2R b KQ - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/2RQ1RK1 w - - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 1",
    "2kr3r/ppp2ppp/2n5/2b1p3/4P1b1/2PP1N2/PP3PPP/RNB2RK1 b - - 0 1",
    "r1b2rk1/2q1bppp/p2p1n2/np2p3/3PP3/5N1P/PPBN1PP1/R1BQR1K1 w - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "8/pp3pkp/2p3p1/8/3P4/2P3P1/PP3PKP/8 w - - 0 1",
    "4r1k1/1p3ppp/p1p5/8/3R4/1P4P1/P4P1P/6K1 w - - 0 1",
    "8/5k2/3p4/1p1Pp2p/pP2Pp1P/P4P1K/8/8 b - - 0 1",
    "8/8/4kpp1/3p1b2/p6P/2B5/6P1/6K1 b - - 0 1",
    "2r3k1/5pp1/p3p2p/1p1bP3/3B4/P4P2/1P4PP/2R3K1 w - - 0 1",
    "3q2k1/5pp1/4p2p/3pP3/3P4/7P/5PP1/3Q2K1 w - - 0 1",
    "8/3k4/8/3P4/3K4/8/8/8 w - - 0 1",
    "8/8/1k6/8/8/1K6/1P6/8 w - - 0 1",
    "5rk1/pp4pp/4p3/2R3Q1/3n4/2q4r/P1P2PPP/5RK1 b - - 0 1",
};

struct Sample {
    Position position;
    PieceCounts counts;
    std::uint64_t pawn_key;
};

bool add_sample(std::vector<Sample>& samples, const char* fen) {
    Position p{};
    read_fen(fen, p);
    if (!position_is_usable(p)) return false;
    samples.push_back({p, count_pieces(p), compute_pawn_hash_key(p)});
    return true;
}

}  // namespace

int bench_eval(int argc, char** argv) {
    std::vector<Sample> samples;
    if (argc >= 1) {
        std::ifstream file(argv[0]);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", argv[0]);
            return 1;
        }
        std::string line;
        while (std::getline(file, line))
            if (!line.empty()) add_sample(samples, line.c_str());
    } else {
        for (const char* fen : BUILT_IN_POSITIONS) add_sample(samples, fen);
    }
    if (samples.empty()) {
        std::fprintf(stderr, "no usable positions\n");
        return 1;
    }

    PawnRecord record;
    AttackInfo attacks;
    int flag = 0;
    std::int64_t checksum = 0;
    std::uint64_t evaluations = 0;
    const double start = clock_ms_precise();
    double elapsed = 0;
    // Whole passes over the set until at least two seconds have gone.
    while (elapsed < 2000.0) {
        for (int pass = 0; pass < 200; ++pass) {
            for (const Sample& s : samples) {
                piece_counts = s.counts;
                pawn_hash_key = s.pawn_key;
                checksum += evaluate(s.position, record, -32000, 32000, flag, 0, attacks);
            }
        }
        evaluations += 200 * samples.size();
        elapsed = clock_ms_precise() - start;
    }
    std::printf(
        "positions %zu, evaluations %llu in %.0f ms: %.0f evaluations per second "
        "(checksum %lld)\n",
        samples.size(), static_cast<unsigned long long>(evaluations), elapsed,
        evaluations / (elapsed / 1000.0), static_cast<long long>(checksum));
    return 0;
}
