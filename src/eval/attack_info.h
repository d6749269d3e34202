// The attack record the evaluation fills (attack maps, attackers of each king, checkers,
// pins and attack weights); the search and the evasion generator read it afterwards.
#pragma once

#include <cstdint>

#include "board/bitboard.h"

struct AttackInfo {
    Bitboard white_queen_attacks;
    Bitboard white_rook_attacks;
    Bitboard white_bishop_attacks;
    Bitboard white_knight_attacks;
    Bitboard white_pawn_attacks;
    Bitboard white_king_attacks;  // the zone around the white king
    Bitboard white_xray;
    Bitboard white_all_attacks;  // queens, rooks, bishops, knights and pawns
    Bitboard white_attackers;    // white units attacking the black king's zone or square
    Bitboard white_checkers;     // white units attacking the black king's square
    Bitboard black_queen_attacks;
    Bitboard black_rook_attacks;
    Bitboard black_bishop_attacks;
    Bitboard black_knight_attacks;
    Bitboard black_pawn_attacks;
    Bitboard black_king_attacks;
    Bitboard black_xray;
    Bitboard black_all_attacks;
    Bitboard black_attackers;
    Bitboard black_checkers;
    Bitboard pinned;           // pieces of either colour pinned against their own king
    Bitboard pinned_to_queen;  // pieces of either colour pinned against their own queen
    std::int32_t white_attack_weight;
    std::int32_t black_attack_weight;
};
