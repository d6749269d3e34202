#include "movegen/generate_moves.h"

#include "movegen/piece_moves.h"

Bitboard gen_own = 0;
Bitboard gen_enemy = 0;
Bitboard gen_occupied = 0;
Bitboard gen_empty = 0;

int generate_moves(const Position& position, MoveList& list) {
    return (position.flags & BLACK_TO_MOVE) ? piece_moves::add_all_moves<BLACK>(position, list)
                                            : piece_moves::add_all_moves<WHITE>(position, list);
}
