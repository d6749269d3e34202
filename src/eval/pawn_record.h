// The pawn-structure record: everything the evaluation derives from the two pawn boards
// alone, cached in the pawn table.
#pragma once

#include <cstdint>

#include "board/bitboard.h"

// Bits of PawnRecord::structure_flags.
constexpr std::int32_t PAWNS_ONLY_EAST = 0x1;  // pawns exist, none on files a-d
constexpr std::int32_t PAWNS_ONLY_WEST = 0x2;  // pawns exist, none on files e-h
constexpr int WHITE_PASSED_COUNT_SHIFT = 6;    // 3-bit count of white passed pawns
constexpr int BLACK_PASSED_COUNT_SHIFT = 9;    // 3-bit count of black passed pawns
constexpr int CENTRE_TYPE_SHIFT = 12;          // 3-bit centre type 0..3

struct PawnRecord {
    std::int32_t base;
    std::int32_t centre;
    std::int32_t file_span;
    std::int32_t structure_flags;
    Bitboard blocked;
    Bitboard candidates;
    Bitboard undefendable;
    Bitboard passed;
    Bitboard connected_passed;
    Bitboard half_open_white;
    Bitboard half_open_black;
    Bitboard open_files;
    Bitboard blocked_files;
    Bitboard white_pawn_holes;
    Bitboard black_pawn_holes;
};

constexpr int white_passed_count(const PawnRecord& r) {
    return (r.structure_flags >> WHITE_PASSED_COUNT_SHIFT) & 7;
}
constexpr int black_passed_count(const PawnRecord& r) {
    return (r.structure_flags >> BLACK_PASSED_COUNT_SHIFT) & 7;
}
// 0 no pawn on the d- and e-files, 1 none of them blocked, 2 one to three blocked, 3 more.
constexpr int centre_type(const PawnRecord& r) {
    return (r.structure_flags >> CENTRE_TYPE_SHIFT) & 7;
}
