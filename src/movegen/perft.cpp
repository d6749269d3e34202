#include "movegen/perft.h"

#include <atomic>

#include "board/make_move_for.h"
#include "movegen/generate_moves.h"
#include "movegen/piece_moves.h"

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

// Makes the move on `position` (C to move); is it legal? Only moves from unsure squares need
// make_move's legality test; the others are made without it. (Inlined for the last ply's
// sake, see LeafMaker.)
template <Color C>
[[gnu::always_inline]] inline bool make(Position& position, Bitboard unsure, Move move) {
    if (unsure & bit(move_from(move))) return make_move_unmarked_as<C>(position, move) != 0;
    make_legal_move_as<C>(position, move);
    return true;
}

// The last ply: the generator hands each move over as it finds it (no list), and it is made,
// counted when legal and taken back.
template <Color C>
struct LeafMaker {
    Position& position;
    const Position& saved;
    Bitboard unsure;
    std::int64_t total;

    // Inlined at each of the generator's sites with the make (make_move_for.h), where the
    // move's kind is a constant, so the make's dispatch on the kind folds away.
    [[gnu::always_inline]] inline void operator()(Move move) {
        total += make<C>(position, unsure, move);
        // The made position reaches memory before it is taken back: the copy overwrites it all,
        // so without this fence the compiler could drop the make's stores as dead.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        position = saved;
    }
};

// The leaves below `position` (C to move) at depth max(depth, 1).
template <Color C>
std::int64_t leaves(Position& position, int depth) {
    const Position saved = position;
    const Bitboard unsure = unsure_squares<C>(saved);
    if (depth <= 1) {
        LeafMaker<C> leaf{position, saved, unsure, 0};
        piece_moves::add_all_moves<C>(saved, leaf);
        return leaf.total;
    }
    MoveList list;
    const int count = generate_moves(saved, list);
    std::int64_t total = 0;
    for (int i = 0; i < count; ++i) {
        if (make<C>(position, unsure, list[i])) total += leaves<opposite(C)>(position, depth - 1);
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
