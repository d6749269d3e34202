#include "search/ordering.h"

#include <bit>
#include <cstdint>
#include <limits>

#include "board/make_move.h"
#include "movegen/attack_info.h"

std::array<std::array<std::int32_t, 4096>, 2> history{};
std::array<std::int32_t, 2> history_total{};

namespace {

// Adds without passing the int32 range: very long searches saturate instead of wrapping.
void saturating_add(std::int32_t& counter, std::int32_t amount) {
    constexpr std::int32_t MAX = std::numeric_limits<std::int32_t>::max();
    counter = counter > MAX - amount ? MAX : counter + amount;
}

int history_index(Move move) {
    return move_from(move) * 64 + move_to(move);
}

int history_term(Color side, Move move) {
    const std::int64_t h = history[side][history_index(move)];
    return static_cast<int>(h * 128 / (std::int64_t{history_total[side]} + 10));
}

template <Color C>
void order_for(const Position& p, const MoveList& moves, ScoreList& scores, int count,
               const AttackInfo& info) {
    constexpr Color O = opposite(C);
    const Bitboard enemy = pieces_of<O>(p);
    const Bitboard by_pawn = map_of<O, PAWN>(info);
    const Bitboard by_minor = by_pawn | map_of<O, KNIGHT>(info) | map_of<O, BISHOP>(info);
    const Bitboard by_rook = by_minor | map_of<O, ROOK>(info);
    const Bitboard by_any = map_of<O, ALL_ATTACKS>(info) | map_of<O, KING>(info);
    for (int i = 0; i < count; ++i) {
        const Move m = moves[i];
        const int from = move_from(m), to = move_to(m);
        const Bitboard f = bit(from), t = bit(to);
        if (enemy & t) {
            const int v = square_value(p, to);
            if (by_any & t) {
                const int s = see_move(p, m);
                scores[i] = s >= 0 ? 100 + s / 10 + v / 100 : v / 100;
            } else {
                scores[i] = 100 + v / 10;
            }
            continue;
        }
        const std::uint32_t kind = base_kind(m);
        int score = 0;
        if (kind != PAWN_MOVE && kind != EN_PASSANT) {
            if (by_pawn & f) score += 15;
            if (by_pawn & t) score -= 15;
            if (kind == ROOK_MOVE) {
                if (by_minor & f) score += 12;
                if (by_minor & t) score -= 12;
            } else if (kind == QUEEN_MOVE) {
                if (by_rook & f) score += 20;
                if (by_rook & t) score -= 20;
            } else if (kind == PROMOTE_QUEEN) {
                if (!(by_minor & t)) score += 100;
            } else if (kind == CASTLE_SHORT || kind == CASTLE_LONG) {
                score = 10;
            }
        }
        scores[i] = score + history_term(C, m);
    }
}

template <Color X>
Bitboard cheapest_attacker(const Position& p, Bitboard attackers, int& value, bool& slider) {
    const Bitboard kinds[5] = {board_of<X, PAWN>(p), board_of<X, KNIGHT>(p), board_of<X, BISHOP>(p),
                               board_of<X, ROOK>(p), board_of<X, QUEEN>(p)};
    constexpr int VALUES[5] = {SEE_PAWN, SEE_KNIGHT, SEE_BISHOP, SEE_ROOK, SEE_QUEEN};
    for (int i = 0; i < 5; ++i) {
        const Bitboard found = kinds[i] & attackers;
        if (found) {
            value = VALUES[i];
            slider = i != 1;  // a pawn can uncover a slider too; a knight cannot
            return found & (~found + 1);
        }
    }
    return 0;
}

}  // namespace

void clear_history() {
    for (auto& side : history) side.fill(0);
    history_total.fill(0);
}

void add_history(Color side, Move move, int depth) {
    const int plies = depth / 8;
    const std::int32_t amount = plies * plies;
    saturating_add(history[side][history_index(move)], amount);
    saturating_add(history_total[side], amount);
}

int square_value(const Position& p, int square) {
    // Selects instead of a chain of early returns, which mispredicted on every kind of
    // capture. Kinds of one value share a test; a later select wins, as the earlier test of
    // the chain did.
    static_assert(SEE_KNIGHT == SEE_BISHOP && SEE_QUEEN == SEE_KING);
    const Bitboard b = bit(square);
    int value = (p.white_queens | p.black_queens | p.white_king | p.black_king) & b ? SEE_QUEEN : 0;
    value = (p.white_rooks | p.black_rooks) & b ? SEE_ROOK : value;
    value = (p.white_knights | p.black_knights | p.white_bishops | p.black_bishops) & b ? SEE_KNIGHT
                                                                                        : value;
    value = (p.white_pawns | p.black_pawns) & b ? SEE_PAWN : value;
    return value;
}

void order_moves(const Position& position, const MoveList& moves, ScoreList& scores, int count,
                 const AttackInfo& attack_info) {
    if (position.flags & BLACK_TO_MOVE)
        order_for<BLACK>(position, moves, scores, count, attack_info);
    else
        order_for<WHITE>(position, moves, scores, count, attack_info);
}

int qs_order(const Position& position, const MoveList& moves, ScoreList& scores, int count,
             int threshold) {
    const bool black = (position.flags & BLACK_TO_MOVE) != 0;
    int result = QS_FUTILE;
    for (int i = 0; i < count; ++i) {
        const Move m = moves[i];
        const bool queen_promotion = base_kind(m) == PROMOTE_QUEEN;
        int score = 0;
        if (queen_promotion) {
            score = 800;
            if (result < 800) result = 800;
        }
        const int to = move_to(m);
        const int v = square_value(position, to);
        if (!queen_promotion && v <= threshold && !(m & CHECK_MARK)) {
            scores[i] = QS_FUTILE;
            continue;
        }
        const bool attacked =
            black ? square_attacked<WHITE>(position, to) : square_attacked<BLACK>(position, to);
        score += attacked ? see_move(position, m) : v;
        if (result < score) result = score;
        scores[i] = score;
    }
    return result;
}

Bitboard attackers_to(const Position& p, int square) {
    const Bitboard occupied = p.white_pieces | p.black_pieces;
    const Bitboard target = bit(square);
    const Bitboard queens = p.white_queens | p.black_queens;
    return (knight_attacks[square] & (p.white_knights | p.black_knights)) |
           (pawn_attacks<BLACK>(target) & p.white_pawns) |
           (pawn_attacks<WHITE>(target) & p.black_pawns) |
           (bishop_attacks(square, occupied) & (p.white_bishops | p.black_bishops | queens)) |
           (rook_attacks(square, occupied) & (p.white_rooks | p.black_rooks | queens)) |
           (king_attacks[square] & (p.white_king | p.black_king));
}

Bitboard xray_behind(const Position& p, int target, int vacated) {
    if (target < 0 || target > 63 || vacated < 0 || vacated > 63) return 0;
    const Bitboard queens = p.white_queens | p.black_queens;
    Bitboard line, movers;  // the line through both squares, less the two squares
    if (rook_rays[target] & bit(vacated)) {
        line = rook_rays[target] & rook_rays[vacated];
        movers = p.white_rooks | p.black_rooks | queens;
    } else if (bishop_rays[target] & bit(vacated)) {
        line = bishop_rays[target] & bishop_rays[vacated];
        movers = p.white_bishops | p.black_bishops | queens;
    } else {
        return 0;
    }
    // Beyond the vacated square the line runs on to higher squares when it came up from the
    // target, else to lower ones; the nearest unit there is the lowest or the highest.
    const Bitboard below = bit(vacated) - 1;
    const bool upward = vacated > target;
    const Bitboard units = line & (upward ? ~below & ~bit(vacated) : below) & occupancy(p);
    const Bitboard nearest = upward ? units & (~units + 1) : std::bit_floor(units);
    return nearest & movers;
}

int see_gain(const Position& position, Color side, int value, Bitboard attackers, int square) {
    const Bitboard white = attackers & position.white_pieces;
    const Bitboard black = attackers & position.black_pieces;
    const Bitboard mine = side == WHITE ? white : black;
    const Bitboard theirs = side == WHITE ? black : white;
    if (!mine) return 0;
    if (!theirs) return value;
    int cost = 0;
    bool slider = false;
    const Bitboard taker = side == WHITE
                               ? cheapest_attacker<WHITE>(position, attackers, cost, slider)
                               : cheapest_attacker<BLACK>(position, attackers, cost, slider);
    if (!taker) return 0;  // only the king is left, and the square is defended
    attackers &= ~taker;
    if (slider) attackers |= xray_behind(position, square, lowest_square(taker));
    const int reply = see_gain(position, opposite(side), cost, attackers, square);
    return value - reply > 0 ? value - reply : 0;
}

int see_move(const Position& position, Move move) {
    const int from = move_from(move), to = move_to(move);
    Bitboard attackers = attackers_to(position, to) ^ bit(from);
    const Bitboard f = bit(from);
    if (f & (position.white_pawns | position.black_pawns | position.white_bishops |
             position.black_bishops | position.white_rooks | position.black_rooks |
             position.white_queens | position.black_queens))
        attackers |= xray_behind(position, to, from);
    const Color them = (position.flags & BLACK_TO_MOVE) ? WHITE : BLACK;
    return square_value(position, to) -
           see_gain(position, them, square_value(position, from), attackers, to);
}
