#include <gtest/gtest.h>

#include "eval/eval_context.h"
#include "eval/terms.h"
#include "support/eval_support.h"

namespace {

struct Mobility {
    int value;
    AttackInfo attacks;
};

Mobility mobility_of(const char* fen) {
    const Position p = from_fen(fen);
    prepare_for_evaluation(p);
    EvalContext context{};
    fill_eval_context(p, context);
    Mobility m{};
    m.value = mobility_term(p, context, m.attacks);
    return m;
}

TEST(Mobility, CorneredKnightWithTwoSafeSquares) {
    // b3 and c2: count 2, minus 4 for so few squares; times 1.5.
    const Mobility m = mobility_of("7k/8/8/8/8/8/8/N6K w - - 0 1");
    EXPECT_EQ(m.value, (2 - 4) * 3 / 2);
    EXPECT_EQ(m.attacks.white_knight_attacks, squares("b3 c2"));
}

TEST(Mobility, DoubledRooksSeeThroughEachOther) {
    const Mobility m = mobility_of("7k/8/8/3R4/3R4/8/8/7K w - - 0 1");
    EXPECT_EQ(m.attacks.white_xray, squares("d1 d2 d3 d6 d7 d8"));
    // Each rook: 11 squares (the other rook's included) plus half of its 3 x-ray squares.
    EXPECT_EQ(m.value, (11 + 1 + 11 + 1) * 3 / 2);
}

TEST(Mobility, UnsafeSquaresAndOwnPawns) {
    // The knight on d4 may not count c6 and e6 (black pawn d7), nor its own pawn's e2.
    const Mobility m = mobility_of("7k/3p4/8/8/3N4/8/4P3/7K w - - 0 1");
    // 8 squares less c6, e6 and e2: 5. Black has nothing that moves.
    EXPECT_EQ(m.value, 5 * 3 / 2);
}

TEST(Mobility, PinsAgainstKingAndQueen) {
    Mobility m = mobility_of("4k3/8/2n5/1B6/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(m.attacks.pinned, squares("c6"));
    EXPECT_NE(m.attacks.white_attackers & squares("b5"), 0u);
    // A bishop never pins a bishop, a queen never pins.
    EXPECT_EQ(mobility_of("4k3/8/2b5/1B6/8/8/8/4K3 w - - 0 1").attacks.pinned, 0u);
    EXPECT_EQ(mobility_of("4k3/8/2n5/1Q6/8/8/8/4K3 w - - 0 1").attacks.pinned, 0u);
    // Two units between: no pin.
    EXPECT_EQ(mobility_of("5k2/4p3/3n4/8/1B6/8/8/4K3 w - - 0 1").attacks.pinned, 0u);
    // A rook pins a knight against the queen; a rook never pins a rook.
    m = mobility_of("4k3/8/8/8/R2n3q/8/8/4K3 w - - 0 1");
    EXPECT_EQ(m.attacks.pinned_to_queen, squares("d4"));
    EXPECT_EQ(mobility_of("4k3/8/8/8/R2r3q/8/8/4K3 w - - 0 1").attacks.pinned_to_queen, 0u);
    // Black pins mirror white's.
    m = mobility_of("4k3/8/8/8/1b6/2N5/8/4K3 w - - 0 1");
    EXPECT_EQ(m.attacks.pinned, squares("c3"));
    EXPECT_NE(m.attacks.black_attackers & squares("b4"), 0u);
}

TEST(Mobility, CheckersAndAttackers) {
    const Mobility m = mobility_of("4k3/8/8/8/8/8/3p4/4K3 w - - 0 1");
    EXPECT_EQ(m.attacks.black_checkers, squares("d2"));
    EXPECT_EQ(m.attacks.black_attackers, squares("d2"));
    EXPECT_EQ(m.attacks.white_king_attacks, squares("d1 f1 d2 e2 f2"));
    EXPECT_EQ(m.attacks.white_all_attacks, 0u);
    EXPECT_EQ(m.attacks.black_all_attacks, squares("c1 e1"));
}

TEST(Mobility, AttackWeights) {
    EXPECT_EQ(mobility_of("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")
                  .attacks.white_attack_weight,
              0);
    // Two knights reaching the zone unopposed by pawns: 2 + 2 x 2; no bonus without a queen.
    EXPECT_EQ(mobility_of("6k1/8/4N3/5N2/8/8/8/K7 w - - 0 1").attacks.white_attack_weight, 6);
    // A queen alone: 2 + 4.
    EXPECT_EQ(mobility_of("6k1/8/8/7Q/8/8/8/K7 w - - 0 1").attacks.white_attack_weight, 6);
    // Knight and queen: 1 + 2, then 2 + 4, and 2 for several attackers with a queen among them.
    const Mobility m = mobility_of("6k1/8/4N3/7Q/8/8/8/K7 w - - 0 1");
    EXPECT_EQ(m.attacks.white_attack_weight, 11);
    EXPECT_EQ(m.attacks.black_attack_weight, 0);
}

}  // namespace
