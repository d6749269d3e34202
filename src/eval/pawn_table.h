// The pawn table: 4096 always-replace entries keyed by the pawn hash and checked by both
// pawn boards, set up once at start-up and never cleared.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "eval/pawn_record.h"

constexpr int PAWN_TABLE_SIZE = 4096;

struct PawnTableEntry {
    Bitboard white_pawns;
    Bitboard black_pawns;
    PawnRecord record;
};

// Marks every entry unused; later calls do nothing. Must run before the first evaluation.
void init_pawn_table();

// The record for the position's pawns under pawn key `key`: from the table, or analysed and
// stored on a miss.
const PawnRecord& probe_pawn_table(const Position& position, std::uint64_t key);

// Probe statistics (for tests and the bench).
extern std::uint64_t pawn_table_misses;
