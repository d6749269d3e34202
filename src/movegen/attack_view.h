// Colour-generic reads of the evaluation's attack record for the generators and ordering:
// the maps of side C.
#pragma once

#include "eval/attack_info.h"

namespace attack_view {

template <Color C>
inline Bitboard all_map(const AttackInfo& a) {
    return C == WHITE ? a.white_all_attacks : a.black_all_attacks;
}
template <Color C>
inline Bitboard king_map(const AttackInfo& a) {
    return C == WHITE ? a.white_king_attacks : a.black_king_attacks;
}
template <Color C>
inline Bitboard checkers(const AttackInfo& a) {
    return C == WHITE ? a.white_checkers : a.black_checkers;
}
template <Color C>
inline Bitboard pawn_map(const AttackInfo& a) {
    return C == WHITE ? a.white_pawn_attacks : a.black_pawn_attacks;
}
template <Color C>
inline Bitboard knight_map(const AttackInfo& a) {
    return C == WHITE ? a.white_knight_attacks : a.black_knight_attacks;
}
template <Color C>
inline Bitboard bishop_map(const AttackInfo& a) {
    return C == WHITE ? a.white_bishop_attacks : a.black_bishop_attacks;
}
template <Color C>
inline Bitboard rook_map(const AttackInfo& a) {
    return C == WHITE ? a.white_rook_attacks : a.black_rook_attacks;
}

}  // namespace attack_view
