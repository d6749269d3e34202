#include "eval/pawn_table.h"

#include <array>

#include "eval/terms.h"

std::uint64_t pawn_table_misses = 0;

namespace {

// Both boards full: no position has a pawn of each colour on every square, so an unused
// entry matches nothing.
constexpr Bitboard UNUSED = ~0ULL;

std::array<PawnTableEntry, PAWN_TABLE_SIZE> pawn_table;
bool pawn_table_ready = false;
PawnRecord scratch_record;

}  // namespace

void init_pawn_table() {
    if (pawn_table_ready) return;
    pawn_table_ready = true;
    for (PawnTableEntry& entry : pawn_table) {
        entry.white_pawns = UNUSED;
        entry.black_pawns = UNUSED;
        entry.record = PawnRecord{};
    }
}

const PawnRecord& probe_pawn_table(const Position& position, std::uint64_t key) {
    PawnTableEntry& entry = pawn_table[key & (PAWN_TABLE_SIZE - 1)];
    if (entry.white_pawns == position.white_pawns && entry.black_pawns == position.black_pawns)
        return entry.record;
    ++pawn_table_misses;
    analyse_pawns(position, scratch_record);
    entry.white_pawns = position.white_pawns;
    entry.black_pawns = position.black_pawns;
    entry.record = scratch_record;
    return scratch_record;
}
