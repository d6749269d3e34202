// The pawn table: 4096 always-replace entries keyed by the pawn hash and checked by both
// pawn boards, allocated once and never cleared.
#pragma once

#include "board/bitboard.h"
#include "eval/pawn_record.h"

constexpr int PAWN_TABLE_SIZE = 4096;

struct PawnTableEntry {
    Bitboard white_pawns;
    Bitboard black_pawns;
    PawnRecord record;
};

// Allocates the table and marks every entry unused; later calls do nothing.
void init_pawn_table();

// The record for the position's pawns: from the table, or analysed and stored on a miss.
const PawnRecord& probe_pawn_table(Bitboard white_pawns, Bitboard black_pawns, std::uint64_t key);

// Probe statistics (for tests and the bench).
extern std::uint64_t pawn_table_misses;
