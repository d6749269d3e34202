// The attack record the evaluation fills (attack maps, attackers of each king, checkers,
// pins and attack weights); the search and the evasion generator read it afterwards.
#pragma once

#include <cstdint>

#include "board/bitboard.h"
#include "board/position.h"

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

// The per-side maps besides the six piece kinds' (KING .. PAWN name those; the king's map is
// the zone around it).
enum AttackMap : int { XRAY = PAWN + 1, ALL_ATTACKS, ATTACKERS, CHECKERS };

// Colour-generic access to side C's map M (a PieceType or an AttackMap).
template <Color C, int M>
constexpr Bitboard& map_of(AttackInfo& a) {
    static_assert(M >= KING && M <= CHECKERS);
    using Map = Bitboard AttackInfo::*;
    constexpr Map FIELDS[2][CHECKERS + 1] = {
        {&AttackInfo::white_king_attacks, &AttackInfo::white_queen_attacks,
         &AttackInfo::white_rook_attacks, &AttackInfo::white_bishop_attacks,
         &AttackInfo::white_knight_attacks, &AttackInfo::white_pawn_attacks,
         &AttackInfo::white_xray, &AttackInfo::white_all_attacks, &AttackInfo::white_attackers,
         &AttackInfo::white_checkers},
        {&AttackInfo::black_king_attacks, &AttackInfo::black_queen_attacks,
         &AttackInfo::black_rook_attacks, &AttackInfo::black_bishop_attacks,
         &AttackInfo::black_knight_attacks, &AttackInfo::black_pawn_attacks,
         &AttackInfo::black_xray, &AttackInfo::black_all_attacks, &AttackInfo::black_attackers,
         &AttackInfo::black_checkers}};
    return a.*FIELDS[C][M];
}
template <Color C, int M>
constexpr Bitboard map_of(const AttackInfo& a) {
    return map_of<C, M>(const_cast<AttackInfo&>(a));
}
template <Color C>
constexpr std::int32_t& attack_weight_of(AttackInfo& a) {
    return C == WHITE ? a.white_attack_weight : a.black_attack_weight;
}
