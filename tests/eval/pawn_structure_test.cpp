#include <gtest/gtest.h>

#include "eval/eval_context.h"
#include "eval/terms.h"
#include "support/eval_support.h"

namespace {

PawnRecord analyse(const char* fen) {
    PawnRecord record{};
    analyse_pawns(from_fen(fen), record);
    return record;
}

TEST(PawnStructure, NoPawns) {
    const PawnRecord r = analyse("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(r.base, 0);
    EXPECT_EQ(r.centre, 0);
    EXPECT_EQ(r.file_span, 0);
    EXPECT_EQ(r.structure_flags, 0);
    EXPECT_EQ(r.blocked | r.candidates | r.undefendable | r.passed | r.connected_passed |
                  r.half_open_white | r.half_open_black | r.blocked_files,
              0u);
    EXPECT_EQ(r.open_files, ~0ULL);
    EXPECT_EQ(r.white_pawn_holes, ~0ULL);
    EXPECT_EQ(r.black_pawn_holes, ~0ULL);
}

TEST(PawnStructure, StartPosition) {
    const PawnRecord r = analyse("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    EXPECT_EQ(r.centre, 0);
    EXPECT_EQ(r.base, 0);
    EXPECT_EQ(r.file_span, 8);
    EXPECT_EQ(centre_type(r), 1);
    EXPECT_EQ(r.passed, 0u);
    EXPECT_EQ(r.open_files, 0u);
}

TEST(PawnStructure, LoneWhitePawn) {
    const PawnRecord r = analyse("4k3/8/8/8/1P6/8/8/4K3 w - - 0 1");
    // -2 file, -3 undefendable, -3 undefendable on a file without black pawns, -6 isolated
    // on a half-open file, +2 attack space.
    EXPECT_EQ(r.base, -12);
    EXPECT_EQ(r.passed, squares("b4"));
    EXPECT_EQ(r.undefendable, squares("b4"));
    EXPECT_EQ(white_passed_count(r), 1);
    EXPECT_EQ(r.file_span, 1);
    EXPECT_EQ(r.structure_flags & (PAWNS_ONLY_EAST | PAWNS_ONLY_WEST), PAWNS_ONLY_WEST);
    EXPECT_EQ(r.half_open_black, 0x0202020202020202ULL);
    EXPECT_EQ(r.white_pawn_holes & squares("a5 c5 c8 b4"), squares("b4"));
}

TEST(PawnStructure, DoubledAndTripledPawns) {
    // Two on one file, alone: attack space +4, file rule -31, undefendable twice -6 and -6
    // again on a file without black pawns, isolated on a half-open file twice -12.
    EXPECT_EQ(analyse("4k3/8/8/8/8/1P6/1P6/4K3 w - - 0 1").base, 4 - 31 - 6 - 6 - 12);
    // Three: attack space +6, file rule -80, -9, -9, -18.
    EXPECT_EQ(analyse("4k3/8/8/8/1P6/1P6/1P6/4K3 w - - 0 1").base, 6 - 80 - 9 - 9 - 18);
    // Only the front one of two passed pawns on a file is passed and counted.
    const PawnRecord r = analyse("4k3/p7/4P3/8/4P3/8/8/4K3 w - - 0 1");
    EXPECT_EQ(r.passed & squares("e4 e6"), squares("e6"));
    EXPECT_EQ(white_passed_count(r), 1);
}

TEST(PawnStructure, CentreDuoNeedsNoChallenger) {
    // d4 + e4: 2 (b-g, ranks 2-5) + 4 (c3-f4) + 10 (centre) + 10 (d/e files) + 10 (duo).
    EXPECT_EQ(analyse("4k3/p7/8/8/3PP3/8/8/4K3 w - - 0 1").centre, 36);
    // A black pawn on c5 takes the duo bonus away and scores 3 for black.
    EXPECT_EQ(analyse("4k3/8/8/2p5/3PP3/8/8/4K3 w - - 0 1").centre, 26 - 3);
}

TEST(PawnStructure, CandidatesAndBlockedPawns) {
    // c4 has a helper on b3 and one black pawn in its way on the d-file: a candidate; b3 is
    // passed and so no candidate.
    PawnRecord r = analyse("4k3/8/3p4/8/2P5/1P6/8/4K3 w - - 0 1");
    EXPECT_EQ(r.candidates, squares("c4"));
    EXPECT_EQ(r.passed & squares("b3 c4"), squares("b3"));
    // Two black pawns ahead on the d-file: no candidate.
    r = analyse("4k3/3p4/3p4/8/2P5/1P6/8/4K3 w - - 0 1");
    EXPECT_EQ(r.candidates, 0u);
    // d4 against d5 blocks both; they stand on the d-file, so the centre is type 2.
    r = analyse("4k3/8/8/3p4/3P4/8/8/4K3 w - - 0 1");
    EXPECT_EQ(r.blocked, squares("d4 d5"));
    EXPECT_EQ(r.blocked_files, 0x0808080808080808ULL);
    EXPECT_EQ(centre_type(r), 2);
    EXPECT_EQ(r.passed, 0u);
}

TEST(PawnStructure, PassedPawnsAndConnections) {
    // A black pawn beside a white one on the same rank does not stop it.
    PawnRecord r = analyse("4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(r.passed, squares("d5 e5"));
    r = analyse("4k3/8/8/3PP3/5P2/8/p7/4K3 w - - 0 1");
    EXPECT_EQ(r.connected_passed, squares("d5 e5 f4"));
    // Eight passed pawns saturate their count instead of spilling into black's.
    r = analyse("4k3/8/8/8/8/8/PPPPPPPP/4K3 w - - 0 1");
    EXPECT_EQ(white_passed_count(r), 7);
    EXPECT_EQ(black_passed_count(r), 0);
}

TEST(PawnStructure, LeversBySideOfTheBoard) {
    // One white and one black pawn in contact: everything else cancels, the lever is +-3.
    EXPECT_EQ(analyse("4k3/8/8/5p2/6P1/8/8/4K3 w - - 0 1").base, 3);   // g4 x f5
    EXPECT_EQ(analyse("4k3/8/8/2p5/3P4/8/8/4K3 w - - 0 1").base, -3);  // d4 x c5
    EXPECT_EQ(analyse("4k3/8/8/3p4/2P5/8/8/4K3 w - - 0 1").base, 3);   // c4 x d5
    EXPECT_EQ(analyse("4k3/8/8/5p2/4P3/8/8/4K3 w - - 0 1").base, -3);  // e4 x f5
}

TEST(PawnsTerm, CentrePawnShutInCountsOnce) {
    const Position both = from_fen("4k3/8/8/8/8/3BB3/3PP3/4K3 w - - 0 1");
    const Position none = from_fen("4k3/8/8/8/8/2B2B2/3PP3/4K3 w - - 0 1");
    auto term = [](const Position& p) {
        prepare_for_evaluation(p);
        EvalContext context{};
        fill_eval_context(p, context);
        PawnRecord record{};
        analyse_pawns(p, record);
        return pawns_term(p, record, context) -
               (context.ending_type >= ENDING_LIGHT ? record.centre / 2 : record.centre);
    };
    EXPECT_EQ(term(both), -20);
    EXPECT_EQ(term(none), 0);
}

}  // namespace
