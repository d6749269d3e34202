// The generator's fixed order and the list's capacity. (Castling's conditions: the perft
// counts, which every one of them moves.)
#include "movegen/generate_moves.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/positions.h"

namespace {

std::vector<std::string> generated(const Position& p) {
    MoveList list;
    const int n = generate_moves(p, list);
    return move_texts(p, std::vector<Move>(list.begin(), list.begin() + n));
}

TEST(GenerateMoves, Order) {
    const struct {
        std::vector<std::string> setup;  // FEN, then moves to play
        std::vector<std::string> first;  // the first moves generated
    } cases[] = {
        {{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq"},
         {"b1a3", "b1c3", "g1f3", "g1h3", "a2a3", "b2b3", "c2c3", "d2d3", "e2e3", "f2f3",
          "g2g3", "h2h3", "a2a4", "b2b4", "c2c4", "d2d4", "e2e4", "f2f4", "g2g4", "h2h4"}},
        // En passant, east pawn first.
        {{"4k3/3p4/8/2P1P3/8/8/8/4K3 b -", "d7d5"}, {"e5d6", "c5d6"}},
        // Promotions queen, rook, bishop, knight.
        {{"2r1r1k1/3P4/8/8/8/8/8/4K3 w -"},
         {"d7c8q", "d7c8r", "d7c8b", "d7c8n", "d7e8q", "d7e8r", "d7e8b", "d7e8n"}},
        // Pushes after the pieces, before the king.
        {{"4k3/8/8/8/8/8/P7/N3K3 w -"}, {"a1c2", "a1b3", "a2a3", "a2a4", "e1d1"}},
        // Castling first.
        {{"r3k2r/8/8/8/8/8/8/4K3 b kq"}, {"e8g8"}},
    };
    for (const auto& c : cases) {
        Position p = position_from_fen(c.setup[0]);
        ASSERT_TRUE(play_moves(p, std::vector<std::string>(c.setup.begin() + 1, c.setup.end())));
        std::vector<std::string> moves = generated(p);
        moves.resize(std::min(moves.size(), c.first.size()));
        EXPECT_EQ(moves, c.first) << c.setup[0];
    }
}

TEST(GenerateMoves, TheListHoldsTheMostCrowdedBoards) {
    // Boards no game can reach, as a FEN may give them: every pseudo-legal move must fit.
    MoveList list;
    EXPECT_GT(generate_moves(position_from_fen("QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQ1QQQQ/QQQQQQQQ/"
                                               "QQQQQQQQ/QQQQQQQQ/QQQQQQQk w -"),
                             list),
              0);
    EXPECT_LT(generate_moves(position_from_fen("Q6Q/8/8/3Q4/8/8/8/Q2k3Q w -"), list), MAX_MOVES);
}

}  // namespace
