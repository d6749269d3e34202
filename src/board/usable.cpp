#include "board/usable.h"

#include "board/make_move.h"

bool position_is_usable(const Position& p) {
    if (popcount(p.white_king) != 1 || popcount(p.black_king) != 1) return false;
    if ((p.white_pawns | p.black_pawns) & (RANK_1 | RANK_8)) return false;
    if (popcount(p.white_pieces) > 16 || popcount(p.black_pieces) > 16) return false;
    if (p.flags & BLACK_TO_MOVE) return !is_attacked(p, p.white_king, 1);
    return !is_attacked(p, p.black_king, 0);
}
