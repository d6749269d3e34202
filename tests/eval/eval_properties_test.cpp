// Properties of the whole evaluation over varied positions: colour symmetry, the lone minor
// piece that never scores for itself, pawn-table hits, and lazy exits only outside the window.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "board/fen.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "eval/pawn_table.h"
#include "eval/terms.h"
#include "support/eval_support.h"
#include "support/mirror.h"

namespace {

// The one position kind the evaluation treats differently by colour: a single rook pawn in
// a pawn ending (a white a-pawn gets its 50, a black one goes on to the key squares).
bool single_rook_pawn_ending(const Position& p) {
    const Bitboard pawns = p.white_pawns | p.black_pawns;
    return popcount(pawns) == 1 && popcount(p.white_pieces | p.black_pieces) == 3 &&
           (pawns & (FILE_A | FILE_H));
}

TEST(EvalProperties, MirroredPositionsEvaluateTheSameInEveryEndingType) {
    std::array<int, 10> seen{};
    int compared = 0;
    for (const Position& p : sample_positions(600, 1234)) {
        if (single_rook_pawn_ending(p)) continue;
        const int mirrored = -white_view_evaluation(mirror_position(p));
        const int value = white_view_evaluation(p);  // leaves the counters the context reads
        EvalContext context{};
        fill_eval_context(p, context);
        ++seen[context.ending_type];
        ASSERT_EQ(value, mirrored) << "sample " << compared << " ending " << context.ending_type;
        ++compared;
    }
    for (int type = 0; type < 10; ++type) EXPECT_GT(seen[type], 5) << "ending type " << type;
}

TEST(EvalProperties, LoneMinorPieceNeverFavouredAgainstPawnsOnAnyWindow) {
    std::uint32_t seed = 77;
    const int windows[][2] = {{-32000, 32000}, {-20, 20},      {300, 400}, {-400, -300},
                              {2000, 2100},    {-2100, -2000}, {0, 1},     {-150, -140}};
    const char* materials[] = {"Np", "Bp", "Npp", "Bppp", "Nppppp"};
    for (int i = 0; i < 200; ++i) {
        const Position p = random_material(seed, materials[i % 5], 0);
        const Position m = mirror_position(p);
        for (const auto& w : windows) {
            EXPECT_LE(white_view_evaluation(p, w[0], w[1]), 0) << "window " << w[0];
            EXPECT_GE(white_view_evaluation(m, w[0], w[1]), 0) << "window " << w[0];
        }
    }
}

TEST(EvalProperties, PawnTableHitEqualsMissAndFullWindowNeverExitsLazily) {
    const std::uint64_t lazy_before = lazy_eval_count;
    for (const Position& p : sample_positions(150, 11)) {
        PawnRecord fresh{}, first{}, second{};
        analyse_pawns(p, fresh);
        const int a = white_view_evaluation(p, -32000, 32000, &first);
        const std::uint64_t misses = pawn_table_misses;
        const int b = white_view_evaluation(p, -32000, 32000, &second);
        EXPECT_EQ(pawn_table_misses, misses);  // the second call hits
        EXPECT_EQ(a, b);
        EXPECT_EQ(std::memcmp(&first, &fresh, sizeof fresh), 0);
        EXPECT_EQ(std::memcmp(&second, &fresh, sizeof fresh), 0);
    }
    EXPECT_EQ(lazy_eval_count, lazy_before);
    // Another structure stored under the same entry forces a miss; the score is unchanged.
    Position p{};
    read_fen("r1bq1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w -", p);
    const int before = white_view_evaluation(p);
    probe_pawn_table(start_position, compute_pawn_hash_key(p));
    const std::uint64_t misses = pawn_table_misses;
    EXPECT_EQ(white_view_evaluation(p), before);
    EXPECT_EQ(pawn_table_misses, misses + 1);
    // The start position is 0 before the side-to-move bonus: far below this window.
    EXPECT_EQ(white_view_evaluation(start_position, 1000, 1100), 0);
    EXPECT_EQ(lazy_eval_count, lazy_before + 1);
    EXPECT_EQ(white_view_evaluation(start_position, 95, 105), 5);
    EXPECT_EQ(lazy_eval_count, lazy_before + 1);
}

}  // namespace
