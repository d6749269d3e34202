// Static exchange and the ordering scores of the full-width and quiescence lists.
#include <gtest/gtest.h>

#include "movegen/generate_moves.h"
#include "search/ordering.h"
#include "support/attack_maps.h"

namespace {

// The generated move with this text.
Move find_move(const Position& p, const std::string& text) {
    MoveList list;
    int n = generate_moves(p, list);
    for (Move m : std::vector<Move>(list.begin(), list.begin() + n))
        if (move_texts(p, {m})[0] == text) return m;
    ADD_FAILURE() << "no move " << text;
    return 0;
}

// The full-width score of the named move with the position's own attack maps.
int order_score(const Position& p, const std::string& text) {
    MoveList list;
    ScoreList scores{};
    int n = generate_moves(p, list);
    order_moves(p, list, scores, n, attack_maps(p));
    for (int i = 0; i < n; ++i)
        if (move_texts(p, {list[i]})[0] == text) return scores[i];
    ADD_FAILURE() << "no move " << text;
    return -99999;
}

int square(const char* name) {
    return (name[0] - 'a') + 8 * (name[1] - '1');
}

class Ordering : public ::testing::Test {
  protected:
    void SetUp() override { clear_history(); }
    void TearDown() override { clear_history(); }
};

}  // namespace

TEST(Exchange, KnightTakesPawnDefendedByPawnSupportedByRook) {
    Position p = position_from("4k3/8/4p3/3p4/8/2N5/8/3RK3 w -");
    EXPECT_EQ(see_move(p, find_move(p, "c3d5")), -100);
}

TEST(Exchange, XraysThroughBatteries) {
    // The queen behind the rook recaptures: the rook's capture wins the pawn cleanly.
    Position rooks = position_from("3rk3/8/8/3p4/8/8/3R4/3QK3 w -");
    EXPECT_EQ(see_move(rooks, find_move(rooks, "d2d5")), 100);
    // A bishop behind a capturing pawn backs it up.
    Position bishop = position_from("4k3/8/8/4p3/3n4/2P5/1B6/4K3 w -");
    EXPECT_EQ(see_move(bishop, find_move(bishop, "c3d4")), 300);
    // A rook behind a pawn on a diagonal is no support.
    Position rook = position_from("4k3/8/8/4p3/3n4/2P5/1R6/4K3 w -");
    EXPECT_EQ(see_move(rook, find_move(rook, "c3d4")), 200);
}

TEST(Exchange, XrayBehindFindsOnlyLineMovers) {
    Position p = position_from("4k3/8/8/8/3n4/2P5/1B6/4K3 w -");
    EXPECT_EQ(xray_behind(p, square("d4"), square("c3")), bit(square("b2")));
    Position r = position_from("4k3/8/8/8/3n4/2P5/1R6/4K3 w -");
    EXPECT_EQ(xray_behind(r, square("d4"), square("c3")), 0u);
    // Either colour, along a file; nothing when the squares share no line.
    Position f = position_from("3qk3/8/3r4/8/3N4/8/8/4K3 w -");
    EXPECT_EQ(xray_behind(f, square("d4"), square("d6")), bit(square("d8")));
    EXPECT_EQ(xray_behind(f, square("d4"), square("e6")), 0u);
    EXPECT_EQ(xray_behind(f, 70, square("e6")), 0u);
}

TEST(Exchange, GainOfKingsAndUndefendedPieces) {
    Position free_pawn = position_from("4k3/8/8/8/8/3p4/4K3/8 w -");
    const int d3 = square("d3");
    EXPECT_EQ(see_gain(free_pawn, WHITE, 100, attackers_to(free_pawn, d3), d3), 100);
    Position defended = position_from("4k3/8/8/8/2p5/3p4/4K3/8 w -");
    EXPECT_EQ(see_gain(defended, WHITE, 100, attackers_to(defended, d3), d3), 0);
}

TEST_F(Ordering, CaptureScores) {
    EXPECT_EQ(order_score(position_from("4k3/8/8/3q4/8/8/8/3RK3 w -"), "d1d5"), 190);
    EXPECT_EQ(order_score(position_from("4k3/8/8/3p4/8/8/8/3RK3 w -"), "d1d5"), 110);
    // The queen that wins a pawn and is lost for it.
    EXPECT_EQ(order_score(position_from("4k3/8/4p3/3p4/8/8/8/3QK3 w -"), "d1d5"), 1);
    // A defended rook won by a knight: 100 + 200 / 10 + 500 / 100.
    EXPECT_EQ(order_score(position_from("4k3/8/4p3/3r4/8/2N5/8/4K3 w -"), "c3d5"), 125);
}

TEST_F(Ordering, QuietMoveScores) {
    // The knight leaves a square a pawn attacks for safe ones.
    Position knight = position_from("4k3/8/8/2p5/1N6/8/8/4K3 w -");
    EXPECT_EQ(order_score(knight, "b4a2"), 15);
    EXPECT_EQ(order_score(knight, "b4d5"), 15);
    // Castling is 10 whatever the attacks; pawn pushes start at 0.
    Position castle = position_from("4k3/8/8/8/8/8/8/4K2R w K");
    EXPECT_EQ(order_score(castle, "e1g1"), 10);
    Position pawn = position_from("4k3/8/8/8/8/8/4P3/4K3 w -");
    EXPECT_EQ(order_score(pawn, "e2e4"), 0);
    // A queen promotion onto a safe square, and one a knight covers.
    EXPECT_EQ(order_score(position_from("7k/P7/8/8/8/8/8/4K3 w -"), "a7a8q"), 100);
    EXPECT_EQ(order_score(position_from("7k/P7/1n6/8/8/8/8/4K3 w -"), "a7a8q"), 0);
    // A rook moving into a bishop's aim, a queen out of a rook's.
    EXPECT_EQ(order_score(position_from("4k3/8/8/8/8/8/b7/R3K3 w -"), "a1b1"), -12);
    EXPECT_EQ(order_score(position_from("4k3/8/8/8/8/8/1b6/R3K3 w -"), "a1a2"), 12);
    EXPECT_EQ(order_score(position_from("3rk3/8/8/8/8/8/8/3QK3 w -"), "d1c2"), 20);
}

TEST_F(Ordering, HistoryTerm) {
    Position p = position_from("4k3/8/8/8/8/8/4P3/4K3 w -");
    const Move push = find_move(p, "e2e4");
    add_history(WHITE, push, 48);  // six plies: 36
    EXPECT_EQ(history[WHITE][move_from(push) * 64 + move_to(push)], 36);
    EXPECT_EQ(history_total[WHITE], 36);
    EXPECT_EQ(order_score(p, "e2e4"), 100);  // 36 * 128 / 46
    EXPECT_EQ(order_score(p, "e2e3"), 0);
    add_history(WHITE, push, 7);  // below a ply adds nothing
    EXPECT_EQ(history_total[WHITE], 36);
    // Black's table is separate.
    EXPECT_EQ(history_total[BLACK], 0);
}

TEST_F(Ordering, HistoryNeverWraps) {
    Position p = position_from("4k3/8/8/8/8/8/4P3/4K3 w -");
    const Move push = find_move(p, "e2e4");
    for (int i = 0; i < 2000; ++i) add_history(WHITE, push, 8 * 39 * 39);
    EXPECT_GT(history_total[WHITE], 0);
    EXPECT_GE(order_score(p, "e2e4"), 0);
    EXPECT_LE(order_score(p, "e2e4"), 128);
}

TEST(QsOrder, ThresholdChecksAndPromotions) {
    Position pawn = position_from("4k3/8/8/3p4/4P3/8/8/4K3 w -");
    MoveList list;
    ScoreList scores{};
    list[0] = find_move(pawn, "e4d5");
    EXPECT_EQ(qs_order(pawn, list, scores, 1, 150), QS_FUTILE);
    EXPECT_EQ(scores[0], QS_FUTILE);
    list[0] |= CHECK_MARK;
    EXPECT_EQ(qs_order(pawn, list, scores, 1, 150), 100);
    EXPECT_EQ(scores[0], 100);

    Position knight = position_from("4k3/8/4p3/3n4/4P3/8/8/4K3 w -");
    list[0] = find_move(knight, "e4d5");
    // Defended by the e6 pawn: the exchange says pawn for knight.
    EXPECT_EQ(qs_order(knight, list, scores, 1, 150), 200);

    Position promote = position_from("7k/P7/8/8/8/8/8/4K3 w -");
    list[0] = find_move(promote, "a7a8q");
    list[1] = find_move(promote, "a7a8r");
    EXPECT_EQ(qs_order(promote, list, scores, 2, 150), 800);
    EXPECT_EQ(scores[0], 800);
    EXPECT_EQ(scores[1], QS_FUTILE);
    EXPECT_EQ(qs_order(promote, list, scores, 0, 150), QS_FUTILE);
}
