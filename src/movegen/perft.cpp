#include "movegen/perft.h"

#include "board/make_move.h"
#include "movegen/generate_moves.h"

std::int64_t perft_nodes = 0;

namespace {

// C's units standing alone between their king and an enemy slider on its line.
template <Color C>
Bitboard pinned_units(const Position& p, int king, Bitboard occupied) {
    constexpr Color Them = opposite(C);
    const Bitboard own = pieces_of<C>(p);
    const Bitboard queens = board_of<Them, QUEEN>(p);
    Bitboard pinned = 0;
    // The first unit on each line from the king, if C's; an enemy slider seen once they are
    // gone pins the one it then sees.
    const Bitboard straight = rook_attacks(king, occupied) & own;
    for (Bitboard pinners = rook_attacks(king, occupied & ~straight) & ~straight &
                            (board_of<Them, ROOK>(p) | queens);
         pinners; pinners &= pinners - 1)
        pinned |= straight & rook_attacks(lowest_square(pinners), occupied);
    const Bitboard diagonal = bishop_attacks(king, occupied) & own;
    for (Bitboard pinners = bishop_attacks(king, occupied & ~diagonal) & ~diagonal &
                            (board_of<Them, BISHOP>(p) | queens);
         pinners; pinners &= pinners - 1)
        pinned |= diagonal & bishop_attacks(lowest_square(pinners), occupied);
    return pinned;
}

// The squares whose moves could leave C's king attacked: the king's own, the pinned units',
// the pawns that may capture en passant (which empties two squares of a line) and, in check,
// every square.
template <Color C>
Bitboard unsure_squares(const Position& p) {
    const Bitboard king = board_of<C, KING>(p);
    if (!king) return 0;
    const int square = lowest_square(king);
    if (square_attacked<opposite(C)>(p, square)) return ~Bitboard{0};
    return king | pinned_units<C>(p, square, occupancy(p)) |
           (pawn_attacks<opposite(C)>(p.ep_square) & board_of<C, PAWN>(p));
}

// The leaves below `position` (C to move) at depth max(depth, 1). Only moves from unsure
// squares need make_move's legality test; the others are made without it.
template <Color C>
std::int64_t leaves(Position& position, int depth) {
    const Position saved = position;
    MoveList list;
    const int count = generate_moves(saved, list);
    const Bitboard unsure = unsure_squares<C>(saved);
    std::int64_t total = 0;
    for (int i = 0; i < count; ++i) {
        const Move move = list[i];
        bool legal = true;
        if (unsure & bit(move_from(move)))
            legal = make_move_unmarked_as<C>(position, move) != 0;
        else
            make_legal_move_as<C>(position, move);
        if (depth <= 1)
            total += legal;
        else if (legal)
            total += leaves<opposite(C)>(position, depth - 1);
        position = saved;
    }
    return total;
}

}  // namespace

int perft(Position& position, int depth) {
    perft_nodes += (position.flags & BLACK_TO_MOVE) ? leaves<BLACK>(position, depth)
                                                    : leaves<WHITE>(position, depth);
    return 1;
}
