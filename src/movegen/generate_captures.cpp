#include "movegen/generate_captures.h"

#include "movegen/attack_info.h"
#include "movegen/piece_moves.h"

namespace {

using namespace piece_moves;

// Pushes onto empty last-rank squares, each as queen, rook, bishop, knight.
template <Color C>
int add_quiet_promotions(const Position& p, MoveList& list, int n) {
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    Bitboard targets = shift_forward<C>(board_of<C, PAWN>(p) & relative_rank<C>(6)) & gen_empty;
    for (; targets; targets &= targets - 1) {
        int to = lowest_square(targets);
        n = add_promotions<C>(list, n, to - FORWARD, to);
    }
    return n;
}

template <Color C>
int generate_for(const Position& p, MoveList& list, const AttackInfo& info, int with_checks) {
    constexpr Color Them = opposite(C);
    set_generator_state<C>(p);
    Bitboard pawn_checks = 0, knight_checks = 0, bishop_checks = 0, rook_checks = 0;
    const Bitboard enemy_king = board_of<Them, KING>(p);
    if (with_checks && enemy_king) {
        const int k = lowest_square(enemy_king);
        // Squares from which a pawn of ours would attack k: where an enemy pawn on k attacks.
        pawn_checks = pawn_attacks<Them>(enemy_king);
        knight_checks = knight_attacks[k];
        bishop_checks = bishop_attacks(k, gen_occupied);
        rook_checks = rook_attacks(k, gen_occupied);
    }
    const Bitboard enemy = gen_enemy;
    constexpr Bitboard ALL = ~Bitboard{0};
    int n = add_quiet_promotions<C>(p, list, 0);
    n = add_pawn_captures<C>(p, list, n, ALL);
    if (with_checks) n = add_pawn_pushes<C>(p, list, n, pawn_checks, pawn_checks);
    n = add_piece_moves<C, KNIGHT>(p, list, n, enemy | knight_checks, knight_checks);
    n = add_piece_moves<C, BISHOP>(p, list, n, enemy | bishop_checks, bishop_checks);
    n = add_piece_moves<C, ROOK>(p, list, n, enemy | rook_checks, rook_checks);
    const Bitboard queen_checks = bishop_checks | rook_checks;
    n = add_piece_moves<C, QUEEN>(p, list, n, enemy | queen_checks, queen_checks);
    return add_piece_moves<C, KING>(p, list, n, enemy & ~map_of<Them, ALL_ATTACKS>(info), 0);
}

}  // namespace

int generate_captures(const Position& position, MoveList& list, const AttackInfo& attack_info,
                      int with_checks, int& any_check_out) {
    const int n = (position.flags & BLACK_TO_MOVE)
                      ? generate_for<BLACK>(position, list, attack_info, with_checks)
                      : generate_for<WHITE>(position, list, attack_info, with_checks);
    any_check_out = 0;
    for (int i = 0; i < n; ++i)
        if (list[i] & CHECK_MARK) any_check_out = 1;
    return n;
}
