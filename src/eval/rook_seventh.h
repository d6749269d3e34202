// The rook-on-the-seventh bonus shared by the pieces term and the rook endings.
#pragma once

#include "board/position.h"
#include "eval/side_access.h"

// For each rook of C on its seventh rank: 10, 10 more with no enemy pawn on b7-g7 (from C's
// side), and 10 more again when the enemy king then stands on the eighth rank.
template <Color C>
inline int rook_seventh_bonus(const Position& p) {
    constexpr Color THEM = opposite(C);
    const int rooks = popcount(board_of<C, ROOK>(p) & relative_rank<C>(6));
    if (!rooks) return 0;
    constexpr Bitboard INNER_SEVENTH = relative_set<C>(0x007E000000000000ULL);  // b7-g7
    int each = 10;
    if (!(board_of<THEM, PAWN>(p) & INNER_SEVENTH)) {
        each += 10;
        if (board_of<THEM, KING>(p) & relative_rank<C>(7)) each += 10;
    }
    return rooks * each;
}
