// Mobility and attack maps: one walk over every piece fills the attack record (maps,
// x-rays, king attackers, checkers, attack weights) and scores safe mobility; a short pass
// per slider kind finds the pins.
#include <array>

#include "eval/eval_tables.h"
#include "eval/terms.h"
#include "movegen/square_pairs.h"

namespace {

// Extra cost of a piece with 0, 1, 2 or 3 safe squares.
constexpr int LOW_MOBILITY_COST[4] = {13, 7, 4, 1};

// What a piece with n safe squares (at most 27) adds to the mobility count: n, less the extra
// cost of the first four counts. A table read instead of a branch that often goes either way.
constexpr std::array<int, 28> MOBILITY_SCORE = [] {
    std::array<int, 28> score{};
    for (int n = 0; n < 28; ++n) score[n] = n - (n < 4 ? LOW_MOBILITY_COST[n] : 0);
    return score;
}();

// Squares where a piece of kind P of colour C could be taken by a cheaper enemy unit; the
// enemy maps read here are complete when P's turn comes.
template <Color C, PieceType P>
Bitboard unsafe_squares(AttackInfo& a) {
    constexpr Color E = opposite(C);
    Bitboard unsafe = map_of<E, PAWN>(a);
    if constexpr (P == KNIGHT) unsafe |= CORNER_SQUARES;
    if constexpr (P == ROOK || P == QUEEN) unsafe |= map_of<E, KNIGHT>(a) | map_of<E, BISHOP>(a);
    if constexpr (P == QUEEN) unsafe |= map_of<E, ROOK>(a);
    return unsafe;
}

// The squares on P's empty-board lines through any of `targets`.
template <PieceType P>
Bitboard lines_through(Bitboard targets) {
    Bitboard lines = 0;
    for (; targets; targets &= targets - 1)
        lines |=
            P == BISHOP ? bishop_rays[lowest_square(targets)] : rook_rays[lowest_square(targets)];
    return lines;
}

// Pins by C's sliders of kind P: exactly one unit between the slider and the enemy king or
// queen. Only the sliders on a line through an enemy king or queen are looked at (the lines
// are symmetric), and each is measured against the lowest one of them: with two queens that
// one may stand on a line of the other kind, and then the units between are still counted.
template <Color C, PieceType P>
void find_pins(const Position& position, const EvalContext& context, AttackInfo& a) {
    constexpr Color E = opposite(C);
    const Bitboard sliders = board_of<C, P>(position);
    const Bitboard enemy_knights = board_of<E, KNIGHT>(position);
    const Bitboard other_line_pieces =
        P == BISHOP ? board_of<E, ROOK>(position) : board_of<E, BISHOP>(position);
    if (const Bitboard kings = board_of<E, KING>(position)) {
        const int king = king_square_of<E>(context);
        const Bitboard pinnable = other_line_pieces | enemy_knights | board_of<E, QUEEN>(position);
        for (Bitboard walk = sliders & lines_through<P>(kings); walk; walk &= walk - 1) {
            const int square = lowest_square(walk);
            const Bitboard inside = between[king][square] & context.occupied;
            if (popcount(inside) == 1 && (inside & pinnable)) {
                a.pinned |= inside;
                map_of<C, ATTACKERS>(a) |= bit(square);
            }
        }
    }
    if (const Bitboard queens = board_of<E, QUEEN>(position)) {
        const int queen = queen_square_of<E>(context);
        for (Bitboard walk = sliders & lines_through<P>(queens); walk; walk &= walk - 1) {
            const int square = lowest_square(walk);
            const Bitboard inside = between[queen][square] & context.occupied;
            if (popcount(inside) == 1 && (inside & (other_line_pieces | enemy_knights)))
                a.pinned_to_queen |= inside;
        }
    }
}

// Every piece of kind P of colour C, lowest square first; returns the mobility count.
template <Color C, PieceType P>
int visit_pieces(const Position& position, const EvalContext& context, AttackInfo& a) {
    constexpr Color E = opposite(C);
    const Bitboard enemy_king = board_of<E, KING>(position);
    const Bitboard enemy_zone = king_attacks[king_square_of<E>(context)];
    const Bitboard own_pieces = pieces_of<C>(position);
    const Bitboard own_pawns = board_of<C, PAWN>(position);
    const Bitboard unsafe = unsafe_squares<C, P>(a);
    Bitboard map = 0;
    int mobility = 0;
    for (Bitboard walk = board_of<C, P>(position); walk; walk &= walk - 1) {
        const int square = lowest_square(walk);
        const Bitboard piece = bit(square);
        const Bitboard attacks = piece_attacks<P>(square, context.occupied);
        if (attacks & enemy_king) map_of<C, CHECKERS>(a) |= piece;
        if (attacks & (enemy_zone | enemy_king)) map_of<C, ATTACKERS>(a) |= piece;
        map |= attacks;

        mobility += MOBILITY_SCORE[popcount(attacks & ~own_pawns & ~unsafe)];

        if constexpr (P == BISHOP || P == ROOK) {
            // X-ray through the friendly sliders that move along the same lines.
            const Bitboard screens =
                P == BISHOP ? board_of<C, QUEEN>(position)
                            : board_of<C, ROOK>(position) | board_of<C, QUEEN>(position);
            if (attacks & screens) {
                const Bitboard through = piece_attacks<P>(square, context.occupied & ~screens);
                const Bitboard beyond = through & ~attacks & ~own_pieces;
                map_of<C, XRAY>(a) |= beyond;
                if (beyond & enemy_zone) map_of<C, ATTACKERS>(a) |= piece;
                if constexpr (P == ROOK) mobility += popcount(beyond & ~map_of<E, PAWN>(a)) / 2;
            }
        }
    }
    map_of<C, P>(a) = map;
    if constexpr (P == BISHOP || P == ROOK) find_pins<C, P>(position, context, a);
    return mobility;
}

// Kings and pawns: the zones, the pawn maps and the pawns that reach the enemy king.
template <Color C>
void visit_kings_and_pawns(const Position& position, const EvalContext& context, AttackInfo& a) {
    constexpr Color E = opposite(C);
    map_of<C, KING>(a) = king_attacks[king_square_of<C>(context)];
    const Bitboard pawns = board_of<C, PAWN>(position);
    map_of<C, PAWN>(a) = pawn_attacks<C>(pawns);
    const Bitboard enemy_king = board_of<E, KING>(position);
    const Bitboard enemy_zone = king_attacks[king_square_of<E>(context)];
    // A pawn attacks a target exactly when an enemy pawn on the target would attack it.
    map_of<C, ATTACKERS>(a) = pawns & pawn_attacks<E>(enemy_zone | enemy_king);
    map_of<C, CHECKERS>(a) = pawns & pawn_attacks<E>(enemy_king);
}

template <Color C>
int attack_weight(const Position& position, const EvalContext& context, AttackInfo& a) {
    constexpr Color E = opposite(C);
    const Bitboard attackers = map_of<C, ATTACKERS>(a);
    const Bitboard zone = king_attacks[king_square_of<E>(context)];
    const Bitboard pawn_guarded = map_of<E, PAWN>(a);
    const Bitboard minor_guarded = pawn_guarded | map_of<E, KNIGHT>(a) | map_of<E, BISHOP>(a);
    const Bitboard rook_guarded = minor_guarded | map_of<E, ROOK>(a);

    int weight = popcount(board_of<C, PAWN>(position) & attackers);
    if (int n = popcount(board_of<C, KNIGHT>(position) & attackers)) {
        weight += n;
        if (map_of<C, KNIGHT>(a) & ~pawn_guarded & zone) weight += 2 * n;
    }
    if (int n = popcount(board_of<C, BISHOP>(position) & attackers)) {
        weight += n;
        if (map_of<C, BISHOP>(a) & ~pawn_guarded & zone) weight += 2 * n;
    }
    if (int n = popcount(board_of<C, ROOK>(position) & attackers)) {
        weight += n;
        if (map_of<C, ROOK>(a) & ~minor_guarded & zone) weight += 3 * n;
    }
    if (int n = popcount(board_of<C, QUEEN>(position) & attackers)) {
        weight += 2 * n;
        if (map_of<C, QUEEN>(a) & ~rook_guarded & zone) weight += 4 * n;
        if (popcount(attackers) > 1) weight += 2;
    }
    return weight;
}

}  // namespace

int mobility_term(const Position& position, const EvalContext& context, AttackInfo& a) {
    visit_kings_and_pawns<WHITE>(position, context, a);
    visit_kings_and_pawns<BLACK>(position, context, a);
    int sum = 0;
    sum += visit_pieces<WHITE, KNIGHT>(position, context, a);
    sum -= visit_pieces<BLACK, KNIGHT>(position, context, a);
    sum += visit_pieces<WHITE, BISHOP>(position, context, a);
    sum -= visit_pieces<BLACK, BISHOP>(position, context, a);
    sum += visit_pieces<WHITE, ROOK>(position, context, a);
    sum -= visit_pieces<BLACK, ROOK>(position, context, a);
    sum += visit_pieces<WHITE, QUEEN>(position, context, a);
    sum -= visit_pieces<BLACK, QUEEN>(position, context, a);
    a.white_attack_weight = attack_weight<WHITE>(position, context, a);
    a.black_attack_weight = attack_weight<BLACK>(position, context, a);
    a.white_all_attacks = a.white_queen_attacks | a.white_rook_attacks | a.white_bishop_attacks |
                          a.white_knight_attacks | a.white_pawn_attacks;
    a.black_all_attacks = a.black_queen_attacks | a.black_rook_attacks | a.black_bishop_attacks |
                          a.black_knight_attacks | a.black_pawn_attacks;
    return sum * 3 / 2;
}
