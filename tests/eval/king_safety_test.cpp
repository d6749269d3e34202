#include <gtest/gtest.h>

#include "eval/evaluate.h"
#include "eval/king_safety_parts.h"
#include "eval/terms.h"
#include "support/term_inputs.h"

namespace {

struct KingSafety {
    int shelter, attack, king_endgame, flag_word;
    AttackInfo attacks_after;
};

KingSafety king_safety_of(const char* fen) {
    TermInputs in = term_inputs(fen);
    KingSafety k{};
    king_safety(in.position, in.context, in.record, in.attacks, k.flag_word, k.shelter, k.attack,
                k.king_endgame);
    k.attacks_after = in.attacks;
    return k;
}

TEST(KingShelter, StartPositionGivesSixForEachKing) {
    TermInputs in = term_inputs("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    int white_weakness = -1, black_weakness = -1;
    EXPECT_EQ(king_shelter_score<WHITE>(in.position, in.context, in.attacks, white_weakness), 6);
    EXPECT_EQ(king_shelter_score<BLACK>(in.position, in.context, in.attacks, black_weakness), 6);
    EXPECT_EQ(white_weakness, 0);
    EXPECT_EQ(black_weakness, 0);
    EXPECT_EQ(king_safety_of("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1").shelter,
              0);
}

TEST(KingShelter, CastledKingAndCastlingSquares) {
    // g1 with f2, g2, h2: +16 on g1, +6 cover.
    TermInputs castled = term_inputs("r2qk3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w - - 0 1");
    int weakness = -1;
    EXPECT_EQ(
        king_shelter_score<WHITE>(castled.position, castled.context, castled.attacks, weakness),
        22);
    EXPECT_EQ(weakness, 0);
    // Short castling with f1 and g1 empty and unattacked: +10.
    TermInputs can_castle = term_inputs("4k3/8/8/8/8/8/3PPP2/4K2R w K - 0 1");
    EXPECT_EQ(king_shelter_score<WHITE>(can_castle.position, can_castle.context, can_castle.attacks,
                                        weakness),
              16);
}

TEST(KingShelter, AdvancedKingAndMissingCoverSetTheWeakness) {
    // King on e3 behind d4, e4, f4: open lines d3-f3 and d2-d1, e2-e1, f2-f1 (n = 9):
    // 2 x (3 - 9) = -12; -50 halved for the pawns in front; no cover on ranks 2 and 3.
    TermInputs advanced = term_inputs("4k3/8/8/8/3PPP2/4K3/8/8 w - - 0 1");
    int weakness = -1;
    const int advanced_score =
        king_shelter_score<WHITE>(advanced.position, advanced.context, advanced.attacks, weakness);
    EXPECT_EQ(weakness, 1);
    EXPECT_EQ(advanced_score, -37);
    // No pawn at all on the three shelter files: -10 and weakness 2.
    TermInputs bare = term_inputs("4k3/8/8/8/8/8/P6P/4K3 w - - 0 1");
    king_shelter_score<WHITE>(bare.position, bare.context, bare.attacks, weakness);
    EXPECT_EQ(weakness, 2);
}

TEST(KingShelter, MaterialFactorAndRoundingTowardMinusInfinity) {
    // Queen and rook against each shelter: factor 40 x 18 / 35 = 20. White 22, black 6.
    EXPECT_EQ(king_safety_of("r2qk3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w - - 0 1").shelter,
              (20 * 22 >> 5) - (20 * 6 >> 5));
    // Black's shelter is -53: 20 x -53 / 32 = -33.1 rounds down to -34, so 13 + 34.
    EXPECT_EQ(king_safety_of("r2qk3/8/8/8/8/8/5PPP/R2Q2K1 w - - 0 1").shelter, 47);
    // A lone queen against white's shelter: 40 x 13 / 35 = 14.
    EXPECT_EQ(king_safety_of("3qk3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w - - 0 1").shelter,
              (14 * 22 >> 5) - (20 * 6 >> 5));
    // A lone rook against white's shelter: it counts nothing.
    EXPECT_EQ(king_safety_of("r3k3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w - - 0 1").shelter, -(20 * 6 >> 5));
}

TEST(KingShelter, PawnStormsOnlyWithKingsOnOppositeWings) {
    // White g1 against black b8. Black storms the king side with g4 (4) and h3 (5); the
    // f-file holds no black pawn. White storms with c6 (5); the a- and b-files hold no white
    // pawn.
    TermInputs in = term_inputs("1k6/pp6/2P5/8/6p1/7p/5PP1/6K1 w - - 0 1");
    int white_loss = -1, black_loss = -1;
    pawn_storms(in.position, in.context, white_loss, black_loss);
    EXPECT_EQ(white_loss, 4 * 9 + 10 * 1);
    EXPECT_EQ(black_loss, 4 * 5 + 10 * 2);
    // Both kings on the king side: no storm.
    in = term_inputs("6k1/pp6/2P5/8/6p1/7p/5PP1/6K1 w - - 0 1");
    pawn_storms(in.position, in.context, white_loss, black_loss);
    EXPECT_EQ(white_loss, 0);
    EXPECT_EQ(black_loss, 0);
}

TEST(KingAttack, ShelterWeaknessRaisesTheStoredAttackWeight) {
    // Nothing white attacks the black king's zone; black's bare shelter leaves weakness 2.
    KingSafety k = king_safety_of("r2qk3/8/8/8/8/8/2Q2PPP/R5K1 w - - 0 1");
    EXPECT_EQ(k.attacks_after.white_attack_weight, 2);
    EXPECT_EQ(k.attacks_after.black_attack_weight, 0);
    EXPECT_EQ(k.attack, 2);  // 2 x 2 / 2
    EXPECT_EQ(k.flag_word, 0);
}

TEST(KingAttack, StrongAttackSetsTheFlagBitForTheSideToMove) {
    KingSafety white = king_safety_of("r4rk1/ppp2p1p/6pQ/4N3/2B5/8/PPP2PPP/4RRK1 w - - 0 1");
    EXPECT_GT(white.attack, 75);
    EXPECT_EQ(white.flag_word & STRONG_ATTACK, STRONG_ATTACK);
    KingSafety black = king_safety_of("r4rk1/ppp2p1p/6pQ/4N3/2B5/8/PPP2PPP/4RRK1 b - - 0 1");
    EXPECT_EQ(black.flag_word & STRONG_ATTACK, 0);
}

TEST(KingEndgame, KingOnTheWrongWingAndItsReach) {
    // White king a1 with every pawn on the king side: -5 edge, -15 wing, reach 9; black king
    // g8: +5 edge, reach 5. (-11 - 0) x 20 / 16.
    KingSafety k = king_safety_of("6k1/5ppp/8/8/8/8/5PPP/K7 w - - 0 1");
    EXPECT_EQ(k.king_endgame, -13);
    EXPECT_EQ(k.shelter, 0);
    EXPECT_EQ(k.attack, 0);
}

}  // namespace
