// The pieces term: knights on the rim and in outposts, protected pieces, trapped knights and
// bishops, pins, rooks shut in or on open files and the seventh, the bishop pair, a bad
// bishop and an early queen.
#include "eval/eval_tables.h"
#include "eval/rook_seventh.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

constexpr Bitboard OUTPOST_CENTRE = 0x00003C3C00000000ULL;  // c5-f6, from white's side

template <Color C>
constexpr Bitboard rel_bit(int white_square) {
    return bit(relative_square<C>(white_square));
}

// The squares of the same colour as `square`.
constexpr Bitboard same_colour_squares(int square) {
    return (LIGHT_SQUARES & bit(square)) ? LIGHT_SQUARES : DARK_SQUARES;
}

template <Color C>
int knight_outposts(const Position& p, const PawnRecord& r) {
    constexpr Color THEM = opposite(C);
    int score = 0;
    Bitboard outposts =
        board_of<C, KNIGHT>(p) & pawn_holes_of<THEM>(r) & pawn_attacks<C>(board_of<C, PAWN>(p));
    for (; outposts; outposts &= outposts - 1) {
        const int s = lowest_square(outposts);
        if (bit(s) & relative_set<C>(OUTPOST_CENTRE)) {
            score += 10;
            if (!board_of<THEM, KNIGHT>(p) && !(board_of<THEM, BISHOP>(p) & same_colour_squares(s)))
                score += 10;
        } else if (bit(s) & (relative_rank<C>(3) | relative_rank<C>(4) | relative_rank<C>(5))) {
            score += 3;
        }
    }
    return score;
}

template <Color C>
int trapped_pieces(const Position& p, const AttackInfo& a, const EvalContext& c) {
    constexpr Color THEM = opposite(C);
    const Bitboard knights = board_of<C, KNIGHT>(p), bishops = board_of<C, BISHOP>(p);
    // Rarely anything to find: one test for the six squares first.
    constexpr Bitboard KNIGHT_TRAPS =
        rel_bit<C>(sq::A8) | rel_bit<C>(sq::H8) | rel_bit<C>(sq::A7) | rel_bit<C>(sq::H7);
    constexpr Bitboard BISHOP_TRAPS =
        rel_bit<C>(sq::A7) | rel_bit<C>(sq::B8) | rel_bit<C>(sq::H7) | rel_bit<C>(sq::G8);
    if (!(knights & KNIGHT_TRAPS) && !(bishops & BISHOP_TRAPS)) return 0;
    const Bitboard pawns = board_of<THEM, PAWN>(p);
    const Bitboard enemy_control =
        map_of<THEM, ALL_ATTACKS>(a) | king_attacks[king_square_of<THEM>(c)];
    auto pawns_on = [&](int s1, int s2) {
        return (pawns & rel_bit<C>(s1)) && (pawns & rel_bit<C>(s2));
    };
    int trapped = 0;
    if ((knights & rel_bit<C>(sq::A8)) && (pawns & rel_bit<C>(sq::A7)) &&
        (enemy_control & rel_bit<C>(sq::C7)))
        ++trapped;
    if ((knights & rel_bit<C>(sq::H8)) && (pawns & rel_bit<C>(sq::H7)) &&
        (enemy_control & rel_bit<C>(sq::F7)))
        ++trapped;
    if ((knights & rel_bit<C>(sq::A7)) && pawns_on(sq::B7, sq::C6)) ++trapped;
    if ((knights & rel_bit<C>(sq::H7)) && pawns_on(sq::G7, sq::F6)) ++trapped;
    if ((bishops & rel_bit<C>(sq::A7)) && (pawns & rel_bit<C>(sq::B6))) ++trapped;
    if ((bishops & rel_bit<C>(sq::B8)) && pawns_on(sq::C7, sq::B6)) ++trapped;
    if ((bishops & rel_bit<C>(sq::H7)) && (pawns & rel_bit<C>(sq::G6))) ++trapped;
    if ((bishops & rel_bit<C>(sq::G8)) && pawns_on(sq::F7, sq::G6)) ++trapped;
    return -100 * trapped;
}

// What C loses for its own pinned pieces.
template <Color C>
int pinned_pieces(const Position& p, const PawnRecord& r, const AttackInfo& a) {
    const Bitboard own_pawn_cover = pawn_attacks<C>(board_of<C, PAWN>(p));
    int score = 0;
    for (Bitboard b = (a.pinned | a.pinned_to_queen) & pieces_of<C>(p); b; b &= b - 1) {
        const Bitboard piece = b & -b;
        score -= 4;
        if (!(piece & own_pawn_cover)) score -= 4;
        if (piece & pawn_holes_of<C>(r)) score -= 4;
        if (piece & board_of<C, QUEEN>(p)) score -= 10;
    }
    return score;
}

// Everything from C's point of view.
template <Color C>
int pieces_of_side(const Position& p, const EvalContext& c, const PawnRecord& r,
                   const AttackInfo& a) {
    const Bitboard knights = board_of<C, KNIGHT>(p), bishops = board_of<C, BISHOP>(p);
    const Bitboard rooks = board_of<C, ROOK>(p), king = board_of<C, KING>(p);
    const Bitboard men = knights | bishops | rooks | board_of<C, QUEEN>(p);
    const Bitboard own_pawn_cover = pawn_attacks<C>(board_of<C, PAWN>(p));
    int score = 0;

    score -= 6 * popcount(knights & EDGE_SQUARES) + 6 * popcount(knights & CORNER_SQUARES);
    score += 2 * popcount(knights & CENTRE_BLOCK);

    score += popcount(men & map_of<C, ALL_ATTACKS>(a)) + popcount(men & own_pawn_cover);
    score += knight_outposts<C>(p, r);
    score += trapped_pieces<C>(p, a, c);
    score += pinned_pieces<C>(p, r, a);

    // Rooks shut in by their own king.
    if ((rooks & (rel_bit<C>(sq::G1) | rel_bit<C>(sq::H1))) &&
        (king & (rel_bit<C>(sq::F1) | rel_bit<C>(sq::G1))))
        score -= 40;
    if ((rooks & (rel_bit<C>(sq::A1) | rel_bit<C>(sq::B1))) &&
        (king & (rel_bit<C>(sq::B1) | rel_bit<C>(sq::C1))))
        score -= 40;

    score += 3 * popcount(rooks & r.open_files) + 3 * popcount(rooks & half_open_of<C>(r));
    if (c.ending_type >= ENDING_NO_CASTLING) score += rook_seventh_bonus<C>(p);

    if (count_of<C, BISHOP>(c.counts) == 2) score += 8;
    if (count_of<C, BISHOP>(c.counts) == 1 && bishops) {
        const Bitboard own_colour = same_colour_squares(lowest_square(bishops));
        const Bitboard other_colour = ~own_colour;
        const Bitboard pawns = board_of<C, PAWN>(p);
        const Bitboard blocked = r.blocked & pawns;
        score += 2 * (popcount(blocked & other_colour) - popcount(blocked & own_colour)) -
                 popcount(pawns & own_colour) + popcount(pawns & other_colour);
    }

    if (c.ending_type <= ENDING_NO_CASTLING && (board_of<C, QUEEN>(p) & CENTRE_BLOCK)) score -= 4;
    return score;
}

}  // namespace

int pieces_term(const Position& position, const EvalContext& context, const PawnRecord& record,
                const AttackInfo& attacks) {
    return pieces_of_side<WHITE>(position, context, record, attacks) -
           pieces_of_side<BLACK>(position, context, record, attacks);
}
