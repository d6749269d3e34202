// The quiescence and evasion generators against full generation, over the perft trees of
// the test positions and hand-made cases: the same moves, the king-capture filter, the check
// marks, the double-check extension, and the legality filter keeping the generator's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "board/make_move.h"
#include "movegen/generate_captures.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "support/positions.h"

namespace {

void walk(const Position& position, int depth, const std::function<void(const Position&)>& visit) {
    visit(position);
    if (depth == 0) return;
    for (Move m : legal_moves(position)) {
        Position next = position;
        make_move(next, m);
        walk(next, depth - 1, visit);
    }
}

std::vector<Move> sorted(std::vector<Move> moves) {
    for (Move& m : moves) m &= ~CHECK_MARK;
    std::sort(moves.begin(), moves.end());
    return moves;
}

std::vector<Move> captures(const Position& p, int with_checks, int& any_check) {
    MoveList list;
    const int n = generate_captures(p, list, attack_maps(p), with_checks, any_check);
    return std::vector<Move>(list.begin(), list.begin() + n);
}

// Does the piece that made the move attack the enemy king from its destination?
bool moved_piece_checks(const Position& before, Move m) {
    Position after = before;
    make_move(after, m);
    const bool white = !(before.flags & BLACK_TO_MOVE);
    const Bitboard king = white ? after.black_king : after.white_king;
    const int to = move_to(m);
    const Bitboard occupied = after.white_pieces | after.black_pieces;
    const Bitboard from_destination[] = {
        white ? pawn_attacks<WHITE>(bit(to)) : pawn_attacks<BLACK>(bit(to)), knight_attacks[to],
        bishop_attacks(to, occupied), rook_attacks(to, occupied), queen_attacks(to, occupied)};
    return base_kind(m) <= QUEEN_MOVE && (from_destination[base_kind(m)] & king);
}

// The squares the side's men other than the king attack, straight from the boards.
Bitboard men_attacks(const Position& p, bool white) {
    const Bitboard occupied = p.white_pieces | p.black_pieces;
    Bitboard a = white ? pawn_attacks<WHITE>(p.white_pawns) : pawn_attacks<BLACK>(p.black_pawns);
    for (int s = 0; s < 64; ++s) {
        const Bitboard queens = white ? p.white_queens : p.black_queens;
        if (bit(s) & (white ? p.white_knights : p.black_knights)) a |= knight_attacks[s];
        if (bit(s) & (queens | (white ? p.white_bishops : p.black_bishops)))
            a |= bishop_attacks(s, occupied);
        if (bit(s) & (queens | (white ? p.white_rooks : p.black_rooks)))
            a |= rook_attacks(s, occupied);
    }
    return a;
}

struct Counts {
    int not_in_check = 0, king_captures_left_out = 0, marked = 0, en_passant = 0;
    int checks = 0, double_checks = 0;
};

void check_captures(const Position& p, Counts& counts) {
    ++counts.not_in_check;
    const bool white = !(p.flags & BLACK_TO_MOVE);
    const Bitboard enemy = white ? p.black_pieces : p.white_pieces;
    // The generators read the evaluation's record; the squares the enemy's men defend, from
    // the boards, check its unions through the king captures left out.
    const Bitboard defended = men_attacks(p, !white);
    std::vector<Move> expected, expected_with_checks;
    MoveList all;
    const int n = generate_moves(p, all);
    for (int i = 0; i < n; ++i) {
        const Move m = all[i];
        const std::uint32_t kind = base_kind(m);
        const bool capture = (enemy & bit(move_to(m))) || kind == EN_PASSANT;
        if (capture || is_promotion(m)) {
            if (kind == KING_MOVE && (defended & bit(move_to(m)))) {
                ++counts.king_captures_left_out;
                continue;
            }
            counts.en_passant += kind == EN_PASSANT;
            expected.push_back(m);
        } else if (kind <= QUEEN_MOVE && moved_piece_checks(p, m)) {
            expected_with_checks.push_back(m);
        }
    }
    int any_check = -1;
    const std::vector<Move> plain = captures(p, 0, any_check);
    EXPECT_EQ(any_check, 0);
    for (Move m : plain) EXPECT_EQ(m & CHECK_MARK, 0u);
    EXPECT_EQ(sorted(plain), sorted(expected));

    expected.insert(expected.end(), expected_with_checks.begin(), expected_with_checks.end());
    const std::vector<Move> with_checks = captures(p, 1, any_check);
    EXPECT_EQ(sorted(with_checks), sorted(expected));
    bool any_mark = false;
    for (Move m : with_checks) {
        // Marked: pieces and double pawn pushes that attack the king from their destination.
        const std::uint32_t kind = base_kind(m);
        const bool double_push = kind == PAWN_MOVE && std::abs(move_to(m) - move_from(m)) == 16;
        const bool should = ((kind >= KNIGHT_MOVE && kind <= QUEEN_MOVE) || double_push) &&
                            moved_piece_checks(p, m);
        EXPECT_EQ((m & CHECK_MARK) != 0, should);
        any_mark |= should;
        counts.marked += should;
    }
    EXPECT_EQ(any_check, any_mark ? 1 : 0);
}

void check_evasions(const Position& p, Counts& counts) {
    ++counts.checks;
    MoveList list;
    int extension = 5;
    const int n = generate_evasions(p, list, attack_maps(p), extension);
    std::vector<Move> candidates(list.begin(), list.begin() + n);
    counts.double_checks += extension == 8;
    if (extension != 8) {
        EXPECT_EQ(extension, 5);  // left alone on a single check
    }
    Position copy = p;
    const int kept_count = legal_filter(copy, list, n);
    std::vector<Move> kept(list.begin(), list.begin() + kept_count);
    auto it = candidates.begin();
    for (Move m : kept) {
        EXPECT_EQ(m & CHECK_MARK, 0u);
        counts.en_passant += base_kind(m) == EN_PASSANT;
        it = std::find(it, candidates.end(), m);  // the filter keeps the generator's order
        ASSERT_NE(it, candidates.end());
    }
    EXPECT_EQ(sorted(kept), sorted(legal_moves(p)));
}

TEST(CapturesAndEvasions, MatchFilteredFullGeneration) {
    const std::pair<std::vector<std::string>, int> roots[] = {
        {{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq"}, 3},
        {{"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq"}, 2},
        {{"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w -"}, 4},
        {{"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq"}, 2},
        {{"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ"}, 2},
        // Double checks: knight moves off the file; rook and bishop.
        {{"8/8/4k3/8/8/8/4N3/4R1K1 w -"}, 3},
        {{"r3k3/8/8/8/B7/8/8/4RK2 b -"}, 0},
        {{"4rk2/8/8/b7/8/8/8/R3K3 w -"}, 0},
        // En passant removing the checking pawn, a pinned interposer, blocking promotions.
        {{"8/8/8/2k5/2p5/8/1P6/4K3 w -", "b2b4"}, 0},
        {{"k3r3/8/8/8/1b6/8/3B4/4K3 w -"}, 0},
        {{"K6r/3P4/8/8/8/8/8/7k w -"}, 0},
        // Quiet pawn checks, king captures of defended pieces and of pieces only the king
        // defends, en passant.
        {{"8/8/8/4k3/8/8/3P1P2/K7 w -"}, 0},
        {{"8/8/8/8/4b3/8/2r5/3K3k w -"}, 0},
        {{"8/8/8/8/8/4k3/3r4/3K4 w -"}, 0},
        {{"4k3/3p4/8/4P3/8/8/8/4K3 b -", "d7d5"}, 0},
    };
    Counts counts;
    for (const auto& [setup, depth] : roots) {
        Position root = position_from_fen(setup[0]);
        ASSERT_TRUE(play_moves(root, std::vector<std::string>(setup.begin() + 1, setup.end())));
        walk(root, depth, [&](const Position& p) {
            if (side_to_move_in_check(p))
                check_evasions(p, counts);
            else
                check_captures(p, counts);
        });
        if (HasFailure()) return;
    }
    EXPECT_GT(counts.not_in_check, 10000);
    EXPECT_GT(counts.king_captures_left_out, 0);
    EXPECT_GT(counts.marked, 100);
    EXPECT_GT(counts.en_passant, 2);
    EXPECT_GT(counts.checks, 1000);
    EXPECT_GT(counts.double_checks, 3);
}

TEST(Evasions, OnlyWhitesDoubleChecksAreCounted) {
    const std::int32_t before = double_check_count;
    for (const char* fen : {"4rk2/8/8/b7/8/8/8/R3K3 w -", "r3k3/8/8/8/B7/8/8/4RK2 b -"}) {
        const Position p = position_from_fen(fen);
        MoveList list;
        int extension = 0;
        generate_evasions(p, list, attack_maps(p), extension);
        EXPECT_EQ(extension, 8);
    }
    EXPECT_EQ(double_check_count, before + 1);
}

}  // namespace
