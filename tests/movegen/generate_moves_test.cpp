// The generator's fixed order and its castling conditions.
#include "movegen/generate_moves.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/positions.h"

namespace {

std::vector<std::string> texts(const char* fen) {
    Position p = position_from_fen(fen);
    MoveList list;
    int count = generate_moves(p, list);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i) {
        char text[8];
        move_to_text(p, list[i], text);
        result.push_back(text);
    }
    return result;
}

bool contains(const std::vector<std::string>& list, const std::string& move) {
    return std::find(list.begin(), list.end(), move) != list.end();
}

TEST(GenerateMoves, StartPositionOrder) {
    std::vector<std::string> expected = {"b1a3", "b1c3", "g1f3", "g1h3", "a2a3", "b2b3", "c2c3",
                                         "d2d3", "e2e3", "f2f3", "g2g3", "h2h3", "a2a4", "b2b4",
                                         "c2c4", "d2d4", "e2e4", "f2f4", "g2g4", "h2h4"};
    EXPECT_EQ(texts("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq"), expected);
}

TEST(GenerateMoves, EnPassantEastPawnFirstThenCapturesThenPromotions) {
    Position p = position_from_fen("4k3/3p4/8/2P1P3/8/8/8/4K3 b -");
    ASSERT_TRUE(play_text_move(p, "d7d5"));
    MoveList list;
    int count = generate_moves(p, list);
    ASSERT_GE(count, 2);
    char text[8];
    move_to_text(p, list[0], text);
    EXPECT_STREQ(text, "e5d6");
    move_to_text(p, list[1], text);
    EXPECT_STREQ(text, "c5d6");

    std::vector<std::string> moves = texts("2r1r1k1/3P4/8/8/8/8/8/4K3 w -");
    std::vector<std::string> first(moves.begin(), moves.begin() + 8);
    EXPECT_EQ(first, (std::vector<std::string>{"d7c8q", "d7c8r", "d7c8b", "d7c8n", "d7e8q", "d7e8r",
                                               "d7e8b", "d7e8n"}));
    // Pushes come after the pieces and before the king.
    moves = texts("4k3/8/8/8/8/8/P7/N3K3 w -");
    EXPECT_EQ(moves.front(), "a1c2");
    EXPECT_EQ(moves[1], "a1b3");
    EXPECT_EQ(moves[2], "a2a3");
    EXPECT_EQ(moves[3], "a2a4");
}

TEST(GenerateMoves, CastlingConditions) {
    EXPECT_TRUE(contains(texts("r3k2r/8/8/8/8/8/8/R3K2R w KQkq"), "e1g1"));
    EXPECT_TRUE(contains(texts("r3k2r/8/8/8/8/8/8/R3K2R w KQkq"), "e1c1"));
    // In check, through an attacked square, rook missing, b1 occupied.
    EXPECT_FALSE(contains(texts("4r1k1/8/8/8/8/8/8/R3K2R w KQ"), "e1g1"));
    EXPECT_FALSE(contains(texts("5rk1/8/8/8/8/8/8/R3K2R w KQ"), "e1g1"));
    EXPECT_TRUE(contains(texts("5rk1/8/8/8/8/8/8/R3K2R w KQ"), "e1c1"));
    EXPECT_FALSE(contains(texts("6k1/8/8/8/8/8/8/4K3 w KQ"), "e1g1"));
    EXPECT_FALSE(contains(texts("6k1/8/8/8/8/8/8/RN2K3 w Q"), "e1c1"));
    // Only b1 attacked: long castling stays.
    EXPECT_TRUE(contains(texts("1r4k1/8/8/8/8/8/8/R3K3 w Q"), "e1c1"));
    EXPECT_TRUE(contains(texts("r3k2r/8/8/8/8/8/8/4K3 b kq"), "e8c8"));
    EXPECT_EQ(texts("r3k2r/8/8/8/8/8/8/4K3 b kq")[0], "e8g8");
}

TEST(GenerateMoves, TheListHoldsTheMostCrowdedBoards) {
    // A board no game can reach: the list must still hold every pseudo-legal move.
    Position p = position_from_fen(
        "QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQ1QQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQk w -");
    MoveList list;
    EXPECT_GT(generate_moves(p, list), 0);
    p = position_from_fen("Q6Q/8/8/3Q4/8/8/8/Q2k3Q w -");
    EXPECT_LT(generate_moves(p, list), MAX_MOVES);
}

}  // namespace
