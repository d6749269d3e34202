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

// Colour-generic access to the record's per-side fields.
template <Color C>
constexpr Bitboard& queen_attacks_of(AttackInfo& a) {
    return C == WHITE ? a.white_queen_attacks : a.black_queen_attacks;
}
template <Color C>
constexpr Bitboard& rook_attacks_of(AttackInfo& a) {
    return C == WHITE ? a.white_rook_attacks : a.black_rook_attacks;
}
template <Color C>
constexpr Bitboard& bishop_attacks_of(AttackInfo& a) {
    return C == WHITE ? a.white_bishop_attacks : a.black_bishop_attacks;
}
template <Color C>
constexpr Bitboard& knight_attacks_of(AttackInfo& a) {
    return C == WHITE ? a.white_knight_attacks : a.black_knight_attacks;
}
template <Color C>
constexpr Bitboard& pawn_attacks_of(AttackInfo& a) {
    return C == WHITE ? a.white_pawn_attacks : a.black_pawn_attacks;
}
template <Color C>
constexpr Bitboard& king_attacks_of(AttackInfo& a) {
    return C == WHITE ? a.white_king_attacks : a.black_king_attacks;
}
template <Color C>
constexpr Bitboard& xray_of(AttackInfo& a) {
    return C == WHITE ? a.white_xray : a.black_xray;
}
template <Color C>
constexpr Bitboard& all_attacks_of(AttackInfo& a) {
    return C == WHITE ? a.white_all_attacks : a.black_all_attacks;
}
template <Color C>
constexpr Bitboard& attackers_of(AttackInfo& a) {
    return C == WHITE ? a.white_attackers : a.black_attackers;
}
template <Color C>
constexpr Bitboard& checkers_of(AttackInfo& a) {
    return C == WHITE ? a.white_checkers : a.black_checkers;
}
template <Color C>
constexpr std::int32_t& attack_weight_of(AttackInfo& a) {
    return C == WHITE ? a.white_attack_weight : a.black_attack_weight;
}
// Read-only forms.
template <Color C>
constexpr Bitboard all_attacks_of(const AttackInfo& a) {
    return C == WHITE ? a.white_all_attacks : a.black_all_attacks;
}
template <Color C>
constexpr Bitboard pawn_attacks_of(const AttackInfo& a) {
    return C == WHITE ? a.white_pawn_attacks : a.black_pawn_attacks;
}
template <Color C>
constexpr Bitboard king_attacks_of(const AttackInfo& a) {
    return C == WHITE ? a.white_king_attacks : a.black_king_attacks;
}
