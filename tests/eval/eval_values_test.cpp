// The evaluation's worked values, term by term and whole, in one table.
#include <gtest/gtest.h>

#include "eval/evaluate.h"
#include "eval/king_safety_parts.h"
#include "eval/terms.h"
#include "support/eval_support.h"

namespace {

// What a case looks at: the whole evaluation (side to move's view) and its passer flag word,
// the ending type, material balance, the pawn record, white's attack weight after mobility,
// the king shelter of one side, the king safety outputs (its flag word's STRONG_ATTACK bit),
// and the terms.
// clang-format off
enum Term {
    EVAL, EVAL_FLAGS, ENDING, MATERIAL, BASE, CENTRE, MOBILITY, ATTACK_WEIGHT, PASSERS,
    SHELTER_WHITE, SHELTER, KING_ATTACK, KING_ENDGAME, KING_FLAGS, PIECES,
    PIECE_PAWN, PAWN_ENDING, QUEEN_ENDING, ROOK_ENDING, ROOK_SEVENTH
};
// clang-format on

int term_value(Term term, const char* fen) {
    TermInputs in = term_inputs(fen);
    const Position& p = in.position;
    const EvalContext& c = in.context;
    int flags = 0, shelter = 0, attack = 0, king_endgame = 0, weakness = 0;
    if (term >= SHELTER && term <= KING_FLAGS)
        king_safety(p, c, in.record, in.attacks, flags, shelter, attack, king_endgame);
    // clang-format off
    switch (term) {
        case EVAL: return white_view_evaluation(p) * ((p.flags & BLACK_TO_MOVE) ? -1 : 1);
        case EVAL_FLAGS: white_view_evaluation(p, -32000, 32000, nullptr, &flags); return flags;
        case ENDING: return c.ending_type;
        case MATERIAL: {
            EvalContext fresh{};
            fill_eval_context(p, fresh);
            const PieceCounts& n = fresh.counts;
            return material_balance(fresh, (n.white_pawn_count - n.black_pawn_count) * 100 +
                                           (n.white_knight_count - n.black_knight_count) * 310 +
                                           (n.white_bishop_count - n.black_bishop_count) * 315 +
                                           (n.white_rook_count - n.black_rook_count) * 490 +
                                           (n.white_queen_count - n.black_queen_count) * 900);
        }
        case BASE: return in.record.base;
        case CENTRE: return in.record.centre;
        case MOBILITY: { AttackInfo attacks{}; return mobility_term(p, c, attacks); }
        case ATTACK_WEIGHT: return in.attacks.white_attack_weight;
        case PASSERS: return passers_term(p, c, in.record, in.attacks);
        case SHELTER_WHITE: return king_shelter_score<WHITE>(p, c, in.attacks, weakness);
        case SHELTER: return shelter;
        case KING_ATTACK: return attack;
        case KING_ENDGAME: return king_endgame;
        case KING_FLAGS: return flags & STRONG_ATTACK;
        case PIECES: return pieces_term(p, c, in.record, in.attacks);
        case PIECE_PAWN: return piece_pawn_term(p, c, in.record);
        case PAWN_ENDING: return pawn_ending(p, c, in.record);
        case QUEEN_ENDING: return queen_ending(p, c, in.record);
        case ROOK_ENDING: return rook_pawn_ending(p, c);
        case ROOK_SEVENTH: return rook_on_seventh(p, c);
    }
    // clang-format on
    return 0;
}

struct Case {
    Term term;
    const char* fen;
    int expected;
};

const Case CASES[] = {
    // The side-to-move bonus; special endings replace the whole score.
    {EVAL, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 5},
    {EVAL, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq", 5},
    {EVAL, "7k/8/1P6/1K6/8/8/8/3R3r w -", 365},
    {EVAL, "4k3/4P3/4K3/8/8/8/8/8 w -", 805},
    {EVAL, "4k3/4P3/4K3/8/8/8/8/8 b -", 5},
    // A free passer on the seventh for the side to move; none with the square taken.
    {EVAL_FLAGS, "1n5k/4P3/8/8/8/8/8/1N5K w -", PASSER_ON_SEVENTH},
    {EVAL_FLAGS, "1n2n2k/4P3/8/8/8/8/8/1NN4K w -", 0},
    {ENDING, "r3k3/8/8/8/8/8/8/3NK2R w -", ENDING_LIGHT},
    {ENDING, "r3k3/8/8/8/8/8/P7/4K2R w -", ENDING_ROOKS},
    {ENDING, "4kb2/8/8/8/8/8/8/2B1K3 w -", ENDING_SAME_BISHOPS},
    {ENDING, "2b1k3/8/8/8/8/8/8/2B1K3 w -", ENDING_OPPOSITE_BISHOPS},
    {ENDING, "4kb2/8/8/8/8/8/8/1N2K3 w -", ENDING_BISHOP_KNIGHT},
    // Two knights cannot mate; rook against bishop: 175 + 50 for the only rook, an eighth;
    // rook against bare king: 490 less 10 for each king's place.
    {MATERIAL, "4k3/8/8/8/8/8/8/1N2KN2 w -", 0},
    {MATERIAL, "4k3/2b5/8/8/8/8/8/4K2R w -", 225 / 8},
    {MATERIAL, "8/8/8/4k3/8/8/8/4K2R w -", 470},
    // A lone pawn on b4: -2 file, -3 undefendable, -3 more on a file without black pawns,
    // -6 isolated on a half-open file, +2 attack space. Doubled: +4, file rule -31, -6, -6,
    // -12; tripled: +6, -80, -9, -9, -18.
    {BASE, "4k3/8/8/8/1P6/8/8/4K3 w -", -12},
    {BASE, "4k3/8/8/8/8/1P6/1P6/4K3 w -", 4 - 31 - 6 - 6 - 12},
    {BASE, "4k3/8/8/8/1P6/1P6/1P6/4K3 w -", 6 - 80 - 9 - 9 - 18},
    {BASE, "4k3/8/8/5p2/6P1/8/8/4K3 w -", 3},  // levers by the side of the board
    {CENTRE, "4k3/p7/8/8/3PP3/8/8/4K3 w -", 36},
    {CENTRE, "4k3/8/8/2p5/3PP3/8/8/4K3 w -", 26 - 3},  // challenged: no duo bonus
    // A knight on a1 with two free safe squares: (2 - 4) x 1.5. Doubled rooks see through
    // each other; squares covered by enemy pawns or held by own pawns don't count.
    {MOBILITY, "7k/8/8/8/8/8/8/N6K w -", (2 - 4) * 3 / 2},
    {MOBILITY, "7k/8/8/3R4/3R4/8/8/7K w -", (11 + 1 + 11 + 1) * 3 / 2},
    {ATTACK_WEIGHT, "6k1/8/4N3/7Q/8/8/8/K7 w -", 11},
    // The passer on e7 140; with e8 attacked by a rook (90 - 140) / 2 off, then x 118 / 128.
    {PASSERS, "8/4P3/8/8/8/8/8/k6K w -", 140},
    {PASSERS, "7r/4P3/8/8/8/8/8/k6K w -", 106},
    {PASSERS, "8/8/8/4P3/8/8/8/k3R2K w -", 97},  // rook behind
    {PASSERS, "8/8/8/8/2k5/1n6/1P6/7K w -", 0},  // a value below zero counts nothing
    {PASSERS, "8/3PP3/8/8/8/7k/8/K6n w -", 1179},
    {PASSERS, "3b4/3PP3/7b/8/8/8/7k/K7 w -", 206 + 10 + 195},
    // Shelters: 6 at the start (black's 6 is in the SHELTER rows); castled on g1 22;
    // advanced -37.
    {SHELTER_WHITE, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 6},
    {SHELTER_WHITE, "r2qk3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w -", 22},
    {SHELTER_WHITE, "4k3/8/8/8/3PPP2/4K3/8/8 w -", -37},
    // The material factor: queen and rook 40 x 18 / 35 = 20, a lone queen 14, a lone rook
    // nothing; black's bare shelter -53 x 20 / 32 rounds down to -34.
    {SHELTER, "r2qk3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w -", (20 * 22 >> 5) - (20 * 6 >> 5)},
    {SHELTER, "r2qk3/8/8/8/8/8/5PPP/R2Q2K1 w -", 13 + 34},
    {SHELTER, "3qk3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w -", (14 * 22 >> 5) - (20 * 6 >> 5)},
    {SHELTER, "r3k3/3ppp2/8/8/8/8/5PPP/R2Q2K1 w -", -(20 * 6 >> 5)},
    {KING_ATTACK, "r2qk3/8/8/8/8/8/2Q2PPP/R5K1 w -", 2},
    {KING_FLAGS, "r4rk1/ppp2p1p/6pQ/4N3/2B5/8/PPP2PPP/4RRK1 w -", STRONG_ATTACK},
    {KING_FLAGS, "r4rk1/ppp2p1p/6pQ/4N3/2B5/8/PPP2PPP/4RRK1 b -", 0},
    {KING_ENDGAME, "6k1/5ppp/8/8/8/8/5PPP/K7 w -", -13},
    // Trapped knights (the king counts as a guard) and bishops, the bishop pair, an outpost,
    // the rook on the seventh, a rook shut in, a bad bishop, a pin.
    {PIECES, "Nk6/p7/8/8/8/8/8/7K w -", -112},
    {PIECES, "N7/p7/8/8/8/k7/8/7K w -", -12},
    {PIECES, "7k/8/8/8/8/8/6KP/7n w -", 112},
    {PIECES, "7k/B7/1p6/8/8/8/8/7K w -", -100},
    {PIECES, "7k/8/8/8/8/6P1/7b/K7 w -", 100},
    {PIECES, "7k/8/8/8/8/8/8/2B1KB2 w -", 8},
    {PIECES, "2b1kb2/8/8/8/8/8/8/2B1KB2 w -", 0},
    {PIECES, "7k/8/8/3N4/2P5/8/8/7K w -", 24},
    {PIECES, "6k1/R7/8/8/8/8/8/6K1 w -", 33},
    {PIECES, "4k3/8/8/8/8/8/8/5K1R w -", -37},
    {PIECES, "k7/8/8/3p4/3Pp3/4P3/8/2B4K w -", -6},
    {PIECES, "4k3/8/2n5/1B6/8/8/8/6K1 w -", 10},
    // Two queens: a slider that sees either is measured against the lower one, here along a
    // line of the other kind, and the unit between counts as pinned to it (12 each).
    {PIECES, "7k/B7/1q6/8/n7/q7/8/7K w -", 16},
    {PIECES, "4r2k/8/2N5/4Q3/Q7/8/8/6K1 w -", -15},
    {PIECE_PAWN, "7k/8/8/2p1p3/2P1P3/8/8/N6K w -", 5 + 0 + 3},
    // Pawn endings: the pawn on e7 with the kings on e8 and e6; the a-pawn against a king
    // on b8 and far away; white's a-pawn gets 50, black's goes on to the general value
    // (-25 passer, -25 pawn, -5 x 3 rank); key squares; two unstoppable passers; the king
    // race in a locked position.
    {PAWN_ENDING, "4k3/4P3/4K3/8/8/8/8/8 w -", 800},
    {PAWN_ENDING, "4k3/4P3/4K3/8/8/8/8/8 b -", 0},
    {PAWN_ENDING, "1k6/8/8/8/P7/8/8/7K w -", 0},
    {PAWN_ENDING, "8/8/8/8/P7/8/8/k3K3 w -", 800},
    {PAWN_ENDING, "8/8/4k3/8/P7/8/8/4K3 w -", 50},
    {PAWN_ENDING, "4k3/8/8/p7/8/4K3/8/8 b -", -65},
    {PAWN_ENDING, "4k3/8/3K4/8/4P3/8/8/8 b -", 700},
    {PAWN_ENDING, "8/8/P6P/8/4p3/8/4K3/k7 w -", 400},
    {PAWN_ENDING, "K7/4k3/8/4P3/8/p6p/8/8 b -", -400},
    {PAWN_ENDING, "k7/8/8/4p3/4P3/6K1/8/8 b -", 100},
    // Queen ending with a pawn on d6 70; rook ending with a pawn on b6 360.
    {QUEEN_ENDING, "k6q/8/3P4/8/8/8/8/K2Q4 w -", 70},
    {QUEEN_ENDING, "qk6/8/7p/2P5/3Q4/8/8/6K1 w -", 90},
    {ROOK_ENDING, "7k/8/1P6/1K6/8/8/8/3R3r w -", 360},
    {ROOK_ENDING, "7k/8/P7/1K6/8/8/8/3R3r w -", 110},
    {ROOK_SEVENTH, "6k1/R3p3/8/8/8/8/8/r5K1 w -", 10},
    {ROOK_SEVENTH, "8/R5k1/8/8/8/8/8/r5K1 w -", 20},
};

TEST(EvalValues, WorkedValues) {
    for (const Case& c : CASES) EXPECT_EQ(term_value(c.term, c.fen), c.expected) << c.fen;
}

}  // namespace
