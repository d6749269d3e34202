// Colour symmetry of every term of the second half of the evaluation, over random positions
// of each ending type, and the lone minor piece that never scores for itself.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "board/usable.h"
#include "eval/eval_context.h"
#include "eval/terms.h"
#include "support/mirror.h"
#include "support/term_inputs.h"

namespace {

struct Lcg {
    std::uint32_t state;
    int below(int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
    }
};

// Board index in record order for a piece letter, white upper case.
int board_index(char letter) {
    const std::string letters = "kqrbnpKQRBNP";
    return static_cast<int>(letters.find(letter));
}

// Kings, the given pieces and up to `max_pawns` pawns a side on random squares.
Position random_material(Lcg& rng, const char* white, const char* black, int max_pawns) {
    for (;;) {
        Position p{};
        Bitboard used = 0;
        auto place = [&](char letter) {
            const bool pawn = letter == 'P' || letter == 'p';
            for (;;) {
                const int s = rng.below(64);
                if ((used & bit(s)) || (pawn && (rank_of(s) == 0 || rank_of(s) == 7))) continue;
                used |= bit(s);
                board_at(p, board_index(letter)) |= bit(s);
                return;
            }
        };
        place('K');
        place('k');
        for (const char* c = white; *c; ++c) place(*c);
        for (const char* c = black; *c; ++c) place(*c);
        const int white_pawns = rng.below(max_pawns + 1), black_pawns = rng.below(max_pawns + 1);
        for (int i = 0; i < white_pawns; ++i) place('P');
        for (int i = 0; i < black_pawns; ++i) place('p');
        if (rng.below(2)) p.flags |= BLACK_TO_MOVE;
        for (int i = 0; i < 6; ++i) p.white_pieces |= board_at(p, 6 + i);
        for (int i = 0; i < 6; ++i) p.black_pieces |= board_at(p, i);
        if (position_is_usable(p)) return p;
    }
}

struct Material {
    const char* white;
    const char* black;
    int max_pawns;
};

// Material for every ending type, pawns varied; the driver's classification decides.
constexpr std::array<Material, 16> ENDING_MATERIAL = {{
    {"QRRBN", "qrrbn", 6},  // queens and pieces: types 0 and 1
    {"RBN", "rnn", 5},      // light ending, type 2
    {"Q", "q", 3},          // type 3
    {"R", "r", 1},          // type 4, one pawn at most
    {"R", "r", 4},          // type 4
    {"RR", "rr", 4},        // type 4
    {"B", "b", 4},          // types 5 and 6
    {"N", "n", 4},          // type 7
    {"B", "n", 4},          // type 8
    {"N", "b", 4},          // type 8
    {"", "", 1},            // type 9, at most one pawn a side
    {"", "", 5},            // type 9
    {"N", "", 3},           // a lone minor piece against pawns
    {"B", "", 3},
    {"RR", "q", 3},  // type 1, queen against rooks
    {"QN", "rb", 4},
}};

bool single_rook_pawn_ending(const Position& p) {
    const Bitboard pawns = p.white_pawns | p.black_pawns;
    return popcount(pawns) == 1 && popcount(p.white_pieces | p.black_pieces) == 3 &&
           (pawns & (FILE_A | FILE_H));
}

TEST(EndingSymmetry, EveryTermIsColourSymmetricInEveryEndingType) {
    Lcg rng{20261206u};
    std::array<int, 10> seen{};
    int compared = 0;
    for (int round = 0; round < 30; ++round) {
        for (const Material& m : ENDING_MATERIAL) {
            Position p = random_material(rng, m.white, m.black, m.max_pawns);
            // Some middlegames keep castling rights (ending type 0).
            if (&m == &ENDING_MATERIAL[0] && rng.below(2)) p.flags |= WS | WL | BS | BL;
            const Position q = mirror_position(p);
            TermInputs a = term_inputs(p);
            TermInputs b = term_inputs(q);
            ASSERT_EQ(a.context.ending_type, b.context.ending_type);
            ++seen[a.context.ending_type];
            const char* where = m.white;

            EXPECT_EQ(passers_term(a.position, a.context, a.record, a.attacks),
                      -passers_term(b.position, b.context, b.record, b.attacks))
                << where;
            int flags_a = 0, flags_b = 0, sa, aa, ea, sb, ab, eb;
            king_safety(a.position, a.context, a.record, a.attacks, flags_a, sa, aa, ea);
            king_safety(b.position, b.context, b.record, b.attacks, flags_b, sb, ab, eb);
            EXPECT_EQ(sa, -sb) << where;
            EXPECT_EQ(aa, -ab) << where;
            EXPECT_EQ(ea, -eb) << where;
            EXPECT_EQ(flags_a, flags_b) << where;
            EXPECT_EQ(a.attacks.white_attack_weight, b.attacks.black_attack_weight);
            EXPECT_EQ(pieces_term(a.position, a.context, a.record, a.attacks),
                      -pieces_term(b.position, b.context, b.record, b.attacks))
                << where;
            EXPECT_EQ(piece_pawn_term(a.position, a.context, a.record),
                      -piece_pawn_term(b.position, b.context, b.record))
                << where;
            EXPECT_EQ(rook_on_seventh(a.position, a.context),
                      -rook_on_seventh(b.position, b.context));
            if (a.context.ending_type == ENDING_QUEENS) {
                EXPECT_EQ(queen_ending(a.position, a.context, a.record),
                          -queen_ending(b.position, b.context, b.record));
            }
            if (a.context.ending_type == ENDING_ROOKS && a.context.total_pawns == 1) {
                EXPECT_EQ(rook_pawn_ending(a.position, a.context),
                          -rook_pawn_ending(b.position, b.context));
            }
            if (single_rook_pawn_ending(p)) continue;
            if (a.context.ending_type == ENDING_PAWNS) {
                EXPECT_EQ(pawn_ending(a.position, a.context, a.record),
                          -pawn_ending(b.position, b.context, b.record));
            }
            EXPECT_EQ(white_view_evaluation(p), -white_view_evaluation(q)) << where;
            ++compared;
        }
    }
    for (int type = 0; type < 10; ++type) EXPECT_GT(seen[type], 5) << "ending type " << type;
    EXPECT_GT(compared, 400);
}

TEST(EndingSymmetry, OnlyTheWhiteAPawnGetsItsFifty) {
    // The one deliberate difference: white's a-pawn, defended against, still earns 50;
    // black's goes on to the general value.
    TermInputs white = term_inputs("8/8/4k3/8/P7/8/8/4K3 w - - 0 1");
    TermInputs black = term_inputs("4k3/8/8/8/p7/4K3/8/8 b - - 0 1");
    EXPECT_EQ(pawn_ending(white.position, white.context, white.record), 50);
    EXPECT_NE(pawn_ending(black.position, black.context, black.record), -50);
}

TEST(LoneMinorPiece, NeverFavouredAgainstPawnsOnAnyWindow) {
    Lcg rng{77u};
    const int windows[][2] = {{-32000, 32000}, {-20, 20},      {300, 400}, {-400, -300},
                              {2000, 2100},    {-2100, -2000}, {0, 1},     {-150, -140}};
    int checked = 0;
    for (int i = 0; i < 200; ++i) {
        const char* minor = i % 2 ? "N" : "B";
        const Position p = random_material(rng, minor, "", 0);
        // Black gets pawns only: add between one and five.
        Position q = p;
        const int pawns = 1 + rng.below(5);
        for (int k = 0; k < pawns; ++k) {
            const int s = 8 + rng.below(48);
            if ((q.white_pieces | q.black_pieces) & bit(s)) continue;
            q.black_pawns |= bit(s);
            q.black_pieces |= bit(s);
        }
        if (!position_is_usable(q)) continue;
        ++checked;
        for (const auto& w : windows) {
            const int for_white = white_view_evaluation(q, w[0], w[1]);
            EXPECT_LE(for_white, 0) << "window " << w[0] << " sample " << i;
            const Position m = mirror_position(q);
            EXPECT_GE(white_view_evaluation(m, w[0], w[1]), 0) << "window " << w[0];
        }
    }
    EXPECT_GT(checked, 150);
}

}  // namespace
