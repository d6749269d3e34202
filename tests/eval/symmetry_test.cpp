#include <gtest/gtest.h>

#include "eval/eval_context.h"
#include "eval/terms.h"
#include "support/eval_support.h"
#include "support/mirror.h"

namespace {

// The one position kind the evaluation treats differently by colour: a single rook pawn in
// a pawn ending.
bool single_rook_pawn_ending(const Position& p) {
    const Bitboard pawns = p.white_pawns | p.black_pawns;
    const Bitboard men = p.white_pieces | p.black_pieces;
    return popcount(pawns) == 1 && popcount(men) == 3 && (pawns & (FILE_A | FILE_H));
}

TEST(Symmetry, MirrorOfMirrorIsTheOriginal) {
    for (const Position& p : sample_positions(50, 3)) {
        const Position back = mirror_position(mirror_position(p));
        EXPECT_TRUE(same_position(back, p));
    }
}

TEST(Symmetry, MirroredPositionsEvaluateTheSame) {
    int compared = 0;
    for (const Position& p : sample_positions(400, 1234)) {
        if (single_rook_pawn_ending(p)) continue;
        const Position m = mirror_position(p);
        ++compared;

        PawnRecord record{}, mirrored_record{};
        analyse_pawns(p, record);
        analyse_pawns(m, mirrored_record);
        EXPECT_EQ(record.base, -mirrored_record.base);
        EXPECT_EQ(record.centre, -mirrored_record.centre);

        prepare_for_evaluation(p);
        EvalContext context{};
        fill_eval_context(p, context);
        AttackInfo attacks{};
        const int mobility = mobility_term(p, context, attacks);
        prepare_for_evaluation(m);
        EvalContext mirrored_context{};
        fill_eval_context(m, mirrored_context);
        AttackInfo mirrored_attacks{};
        EXPECT_EQ(mobility, -mobility_term(m, mirrored_context, mirrored_attacks));
        EXPECT_EQ(attacks.white_attack_weight, mirrored_attacks.black_attack_weight);
        EXPECT_EQ(context.ending_type, mirrored_context.ending_type);

        ASSERT_EQ(full_evaluation(p), full_evaluation(m))
            << "position " << compared << " flags " << p.flags;
    }
    EXPECT_GT(compared, 350);
}

}  // namespace
