// Static exchange and the ordering scores of the full-width and quiescence lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "movegen/generate_moves.h"
#include "search/ordering.h"
#include "support/positions.h"

namespace {

// The full-width score of the named move with the position's attack record.
int order_score(const Position& p, const std::string& text) {
    MoveList list;
    ScoreList scores{};
    const int n = generate_moves(p, list);
    order_moves(p, list, scores, n, attack_maps(p));
    for (int i = 0; i < n; ++i)
        if (list[i] == find_move(p, text)) return scores[i];
    ADD_FAILURE() << "no move " << text;
    return -99999;
}

TEST(Exchange, WorkedExampleAndXraysThroughBatteries) {
    const struct {
        const char *fen, *move;
        int value;
    } cases[] = {
        // Knight takes a pawn defended by a pawn, supported by a rook.
        {"4k3/8/4p3/3p4/8/2N5/8/3RK3 w -", "c3d5", -100},
        // The queen behind the rook recaptures; a bishop behind a capturing pawn backs it up;
        // a rook behind a pawn on a diagonal does not.
        {"3rk3/8/8/3p4/8/8/3R4/3QK3 w -", "d2d5", 100},
        {"4k3/8/8/4p3/3n4/2P5/1B6/4K3 w -", "c3d4", 300},
        {"4k3/8/8/4p3/3n4/2P5/1R6/4K3 w -", "c3d4", 200},
    };
    for (const auto& c : cases) {
        const Position p = position_from_fen(c.fen);
        EXPECT_EQ(see_move(p, find_move(p, c.move)), c.value) << c.fen;
    }
}

// The slider revealed behind a vacated square, against a walk along the line, for every pair
// of squares in positions with batteries on ranks, files and both diagonals.
TEST(Exchange, XrayBehindMatchesALineWalk) {
    const auto walk = [](const Position& p, int target, int vacated) -> Bitboard {
        const int df = (file_of(vacated) > file_of(target)) - (file_of(vacated) < file_of(target));
        const int dr = (rank_of(vacated) > rank_of(target)) - (rank_of(vacated) < rank_of(target));
        const bool straight = df == 0 || dr == 0;
        if (target == vacated || (!straight && std::abs(file_of(vacated) - file_of(target)) !=
                                                   std::abs(rank_of(vacated) - rank_of(target))))
            return 0;
        const Bitboard movers =
            p.white_queens | p.black_queens |
            (straight ? p.white_rooks | p.black_rooks : p.white_bishops | p.black_bishops);
        for (int f = file_of(vacated) + df, r = rank_of(vacated) + dr;
             f >= 0 && f < 8 && r >= 0 && r < 8; f += df, r += dr)
            if (occupancy(p) & bit(r * 8 + f)) return movers & bit(r * 8 + f);
        return 0;
    };
    for (const char* fen : {"r2qk2r/1b3ppp/p1np1b2/1p2p3/3BP1Q1/1BN2R2/PPP2PPP/R5K1 w kq -",
                            "3rk3/3r4/8/1q1R1Q1b/8/2B5/3R4/3QK3 w -"}) {
        const Position p = position_from_fen(fen);
        for (int target = 0; target < 64; ++target)
            for (int vacated = 0; vacated < 64; ++vacated)
                ASSERT_EQ(xray_behind(p, target, vacated), walk(p, target, vacated))
                    << fen << " " << target << " " << vacated;
    }
}

// Captures without exchange, castling, moves into and out of attacked squares and the history
// scale each move the pinned node counts (the benchmark searches, pinned_search_test) when
// their scores change; the exchange-won capture and the safe promotion's bonus are pinned here.
TEST(Ordering, FullWidthScores) {
    clear_history();
    const struct {
        const char *fen, *move;
        int score;
    } cases[] = {
        {"4k3/8/4p3/3r4/8/2N5/8/4K3 w -", "c3d5", 125},  // 100 + 200 / 10 + 500 / 100
        {"7k/P7/8/8/8/8/8/4K3 w -", "a7a8q", 100},       // safe promotion
        {"7k/P7/1n6/8/8/8/8/4K3 w -", "a7a8q", 0},       // covered promotion
    };
    for (const auto& c : cases) EXPECT_EQ(order_score(position_from_fen(c.fen), c.move), c.score);

    // History: six plies give 36, scored 36 x 128 / 46; below a ply adds nothing; each side
    // has its own table, and the scores never wrap.
    const Position p = position_from_fen("4k3/8/8/8/8/8/4P3/4K3 w -");
    const Move push = find_move(p, "e2e4");
    add_history(WHITE, push, 48);
    add_history(WHITE, push, 7);
    EXPECT_EQ(history_total[WHITE], 36);
    EXPECT_EQ(history_total[BLACK], 0);
    EXPECT_EQ(order_score(p, "e2e4"), 100);
    EXPECT_EQ(order_score(p, "e2e3"), 0);
    for (int i = 0; i < 2000; ++i) add_history(WHITE, push, 8 * 39 * 39);
    EXPECT_GT(history_total[WHITE], 0);
    EXPECT_GE(order_score(p, "e2e4"), 0);
    EXPECT_LE(order_score(p, "e2e4"), 128);
    clear_history();
}

TEST(Ordering, QuiescenceThresholdChecksAndPromotions) {
    const struct {
        const char* fen;
        std::vector<std::string> moves;
        bool mark;
        std::vector<int> scores;
    } cases[] = {
        {"4k3/8/8/3p4/4P3/8/8/4K3 w -", {"e4d5"}, false, {QS_FUTILE}},  // below the threshold
        {"4k3/8/8/3p4/4P3/8/8/4K3 w -", {"e4d5"}, true, {100}},         // unless it checks
        {"4k3/8/4p3/3n4/4P3/8/8/4K3 w -", {"e4d5"}, false, {200}},      // pawn for knight
        {"7k/P7/8/8/8/8/8/4K3 w -", {"a7a8q", "a7a8r"}, false, {800, QS_FUTILE}},
    };
    for (const auto& c : cases) {
        const Position p = position_from_fen(c.fen);
        MoveList list;
        ScoreList scores{};
        for (std::size_t i = 0; i < c.moves.size(); ++i)
            list[i] = find_move(p, c.moves[i]) | (c.mark ? CHECK_MARK : 0);
        const int count = static_cast<int>(c.moves.size());
        EXPECT_EQ(qs_order(p, list, scores, count, 150),
                  *std::max_element(c.scores.begin(), c.scores.end()));
        EXPECT_EQ(std::vector<int>(scores.begin(), scores.begin() + count), c.scores) << c.fen;
    }
}

}  // namespace
