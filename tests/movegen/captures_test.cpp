// The quiescence generator against full generation: exactly the captures and promotions
// (king captures of defended pieces left out), plus the direct checks with their marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "board/make_move.h"
#include "movegen/generate_captures.h"
#include "movegen/generate_moves.h"
#include "support/attack_maps.h"

namespace {

std::vector<Move> captures(const Position& position, int with_checks, int& any_check) {
    MoveList list;
    AttackInfo info = attack_maps(position);
    int n = generate_captures(position, list, info, with_checks, any_check);
    return std::vector<Move>(list.begin(), list.begin() + n);
}

std::vector<Move> all_moves(const Position& position) {
    MoveList list;
    int n = generate_moves(position, list);
    return std::vector<Move>(list.begin(), list.begin() + n);
}

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
    for (Move& m : moves) m &= 0x1FFFF;
    std::sort(moves.begin(), moves.end());
    return moves;
}

// Does the piece that made the move attack the enemy king from its destination?
bool moved_piece_checks(const Position& before, Move m) {
    Position after = before;
    make_move(after, m);
    const bool white = !(before.flags & BLACK_TO_MOVE);
    const Bitboard king = white ? after.black_king : after.white_king;
    const int to = move_to(m);
    const Bitboard occupied = after.white_pieces | after.black_pieces;
    switch (base_kind(m)) {
        case PAWN_MOVE:
            return (white ? pawn_attacks<WHITE>(bit(to)) : pawn_attacks<BLACK>(bit(to))) & king;
        case KNIGHT_MOVE:
            return knight_attacks[to] & king;
        case BISHOP_MOVE:
            return bishop_attacks(to, occupied) & king;
        case ROOK_MOVE:
            return rook_attacks(to, occupied) & king;
        case QUEEN_MOVE:
            return queen_attacks(to, occupied) & king;
        default:
            return false;
    }
}

const std::vector<std::pair<std::string, int>> ROOTS = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 3},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq", 2},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w -", 4},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq", 2},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ", 2},
};

}  // namespace

TEST(Captures, ExactlyTheCapturesAndPromotionsOfFullGeneration) {
    int positions = 0, king_captures_left_out = 0;
    for (const auto& [fen, depth] : ROOTS) {
        walk(position_from(fen), depth, [&](const Position& p) {
            if (side_to_move_in_check(p)) return;
            ++positions;
            const bool white = !(p.flags & BLACK_TO_MOVE);
            const Bitboard enemy = white ? p.black_pieces : p.white_pieces;
            const AttackInfo info = attack_maps(p);
            const Bitboard defended = white ? info.black_all_attacks : info.white_all_attacks;
            std::vector<Move> expected;
            for (Move m : all_moves(p)) {
                const bool capture = (enemy & bit(move_to(m))) || base_kind(m) == EN_PASSANT;
                if (!capture && !is_promotion(m)) continue;
                if (base_kind(m) == KING_MOVE && (defended & bit(move_to(m)))) {
                    ++king_captures_left_out;
                    continue;
                }
                expected.push_back(m);
            }
            int any_check = -1;
            std::vector<Move> got = captures(p, 0, any_check);
            EXPECT_EQ(any_check, 0);
            for (Move m : got) EXPECT_EQ(m & CHECK_MARK, 0u);
            EXPECT_EQ(sorted(got), sorted(expected));
        });
    }
    EXPECT_GT(positions, 1000);
    EXPECT_GT(king_captures_left_out, 0);
}

TEST(Captures, WithChecksAddsDirectChecksAndMarksThem) {
    int marked = 0;
    for (const auto& [fen, depth] : ROOTS) {
        walk(position_from(fen), depth, [&](const Position& p) {
            if (side_to_move_in_check(p)) return;
            int any_check = -1, plain_check = -1;
            const std::vector<Move> plain = captures(p, 0, plain_check);
            const std::vector<Move> got = captures(p, 1, any_check);
            const bool white = !(p.flags & BLACK_TO_MOVE);
            const Bitboard enemy = white ? p.black_pieces : p.white_pieces;
            std::vector<Move> expected = plain;
            bool expect_mark = false;
            for (Move m : all_moves(p)) {
                const std::uint32_t kind = base_kind(m);
                const bool quiet =
                    !(enemy & bit(move_to(m))) && kind != EN_PASSANT && !is_promotion(m);
                if (quiet && kind <= QUEEN_MOVE && moved_piece_checks(p, m)) expected.push_back(m);
            }
            EXPECT_EQ(sorted(got), sorted(expected));
            for (Move m : got) {
                const std::uint32_t kind = base_kind(m);
                const bool double_push = kind == PAWN_MOVE && (move_to(m) - move_from(m) == 16 ||
                                                               move_from(m) - move_to(m) == 16);
                const bool markable = (kind >= KNIGHT_MOVE && kind <= QUEEN_MOVE) || double_push;
                const bool should = markable && moved_piece_checks(p, m);
                EXPECT_EQ((m & CHECK_MARK) != 0, should);
                if (should) {
                    expect_mark = true;
                    ++marked;
                }
            }
            EXPECT_EQ(any_check, expect_mark ? 1 : 0);
        });
    }
    EXPECT_GT(marked, 100);
}

TEST(Captures, HandMadeCases) {
    int any_check = -1;
    // Nothing to take or promote: empty, no check flag.
    Position quiet = position_from("4k3/8/8/8/8/8/4P3/4K1N1 w -");
    EXPECT_TRUE(captures(quiet, 0, any_check).empty());
    EXPECT_EQ(any_check, 0);
    // Quiet knight checks only with checks on, and marked.
    Position knight = position_from("4k3/8/8/7N/8/8/8/4K3 w -");
    EXPECT_TRUE(captures(knight, 0, any_check).empty());
    std::vector<Move> checks = captures(knight, 1, any_check);
    ASSERT_EQ(move_texts(knight, checks), (std::vector<std::string>{"h5f6", "h5g7"}));
    EXPECT_NE(checks[0] & CHECK_MARK, 0u);
    EXPECT_EQ(any_check, 1);
    // Pawn pushes that check: the single push unmarked, the double push marked.
    Position pawns = position_from("8/8/8/4k3/8/8/3P1P2/K7 w -");
    checks = captures(pawns, 1, any_check);
    ASSERT_EQ(move_texts(pawns, checks), (std::vector<std::string>{"d2d4", "f2f4"}));
    EXPECT_NE(checks[0] & CHECK_MARK, 0u);
    Position single = position_from("8/8/8/4k3/8/3P4/8/K7 w -");
    checks = captures(single, 1, any_check);
    ASSERT_EQ(move_texts(single, checks), (std::vector<std::string>{"d3d4"}));
    EXPECT_EQ(checks[0] & CHECK_MARK, 0u);
    EXPECT_EQ(any_check, 0);
    // King captures: a rook defended by a bishop is left alone, one defended only by the
    // enemy king is listed.
    Position defended = position_from("8/8/8/8/4b3/8/2r5/3K3k w -");
    EXPECT_TRUE(captures(defended, 0, any_check).empty());
    Position by_king = position_from("8/8/8/8/8/4k3/3r4/3K4 w -");
    EXPECT_EQ(move_texts(by_king, captures(by_king, 0, any_check)),
              (std::vector<std::string>{"d1d2"}));
    // Quiet promotions first, then pawn captures with their four promotions.
    Position promote = position_from("1n5k/P1P5/8/8/8/8/8/K7 w -");
    EXPECT_EQ(move_texts(promote, captures(promote, 0, any_check)),
              (std::vector<std::string>{"a7a8q", "a7a8r", "a7a8b", "a7a8n", "c7c8q", "c7c8r",
                                        "c7c8b", "c7c8n", "c7b8q", "c7b8r", "c7b8b", "c7b8n",
                                        "a7b8q", "a7b8r", "a7b8b", "a7b8n"}));
}

TEST(Captures, EnPassantListed) {
    Position p = position_from("4k3/3p4/8/4P3/8/8/8/4K3 b -");
    ASSERT_TRUE(play_moves(p, {"d7d5"}));
    int any_check = -1;
    EXPECT_EQ(move_texts(p, captures(p, 0, any_check)), (std::vector<std::string>{"e5d6"}));
}
