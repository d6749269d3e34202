// The transposition tables: the 4-way main table of the alpha-beta search and the
// direct-mapped quiescence table, both keyed by hash_key and storing the index of the best
// move in the node's generated list; plus the walk that reads the principal variation.
#pragma once

#include <algorithm>
#include <cstdint>

#include "board/position.h"

// 12 bytes: lock = upper half of the key (0 = empty), value, remaining depth in eighths of a
// ply, and a flag word with move_index (bits 0-9), bound (10-11), pv_mark (12) and the
// generation it was written in (13-31).
struct TransEntry {
    std::uint32_t lock;
    std::int16_t value;
    std::uint16_t depth;
    std::uint32_t flags;
};
static_assert(sizeof(TransEntry) == 12);

// 8 bytes: lock, then value (bits 0-15), bound (16-17), move_index (18-25), qs_full (26) and
// the generation it was written in (27-31).
struct QsEntry {
    std::uint32_t lock;
    std::uint32_t word;
};
static_assert(sizeof(QsEntry) == 8);

constexpr int BOUND_UPPER = 0;  // the true value is at most value
constexpr int BOUND_LOWER = 1;  // at least value
constexpr int BOUND_EXACT = 2;
// "No move" in the quiescence table; a real best move at list index 30 is stored as none.
constexpr int NO_QS_MOVE = 30;

constexpr std::uint32_t START_MAIN_ENTRIES = 1u << 21;
constexpr std::uint32_t START_QS_ENTRIES = 1u << 20;
constexpr std::int64_t MIN_HASH_MB = 1;
constexpr std::int64_t MAX_HASH_MB = 4096;
// The size the tables take for a request of `megabytes`.
constexpr std::int64_t clamp_hash_mb(std::int64_t megabytes) {
    return std::clamp(megabytes, MIN_HASH_MB, MAX_HASH_MB);
}

// Entry counts (powers of two) and the tables; the main table has 4 spare entries at the end
// so a bucket starting at the last index stays inside. Both are null (counts 0) until the
// first init_hash_tables, or if even the smallest size could not be allocated.
extern std::uint32_t main_entries;
extern std::uint32_t qs_entries;
extern TransEntry* trans_table;
extern QsEntry* qs_table;

struct HashSizes {
    std::uint32_t main_entries;
    std::uint32_t qs_entries;
};
// The entry counts for a budget in megabytes (clamped to 1..4096): the main table gets the
// largest power of two of 12-byte entries below three quarters of the memory, the quiescence
// table the largest power of two of 8-byte entries below the rest.
HashSizes hash_sizes_for(std::int64_t megabytes);

// Test and tuning limit: allocations that would take the two tables above this many bytes
// are treated as refused. No limit by default.
extern std::uint64_t hash_memory_limit;

// First call: draws the Zobrist keys, allocates the start-up sizes and the evaluation's
// pawn table (the argument is ignored). Later calls resize to `megabytes`. On an allocation
// failure prints "hashinit failed!" and falls back to the largest size that can be had, down
// to 1 MB. Logs the sizes to orlo.txt and clears both tables. Returns 1 when the asked size
// was allocated, 0 otherwise (the tables then have the fallback size, or none at all).
int init_hash_tables(std::int64_t megabytes);
// The size a user asks for (orlo.ini's "hash", the UCI "Hash" option): rebuilds the tables
// for it, held within 1..4096 MB, and returns the size asked of them.
std::int64_t set_hash_size(std::int64_t megabytes);
// Empties both tables (the spare main entries included): their entries all become entries of
// an earlier generation, which read as empty (the memory is zeroed when the generations wrap).
// The evaluation cache goes with them, so a search starts from no remembered position.
void clear_hash_tables();
// The main-table entry as the search sees it: all zero if written before the last clear.
TransEntry live_entry(const TransEntry& entry);
// Sets the entry's pv_mark (emptying it first if it is from before the last clear).
void mark_pv(TransEntry& entry);

struct HashProbe {
    int cutoff;  // 1: return `value` at once
    int value;
    int alpha;  // the window, possibly narrowed
    int beta;
    int move_index;  // -1 when no entry matched
    int pv_mark;
};
HashProbe hash_probe(std::uint64_t key, int depth, int alpha, int beta);
void hash_store(int move_index, std::uint64_t key, int value, int alpha, int beta, int depth);

struct QsProbe {
    int cutoff;
    int value;
    int alpha;
    int beta;
    int move_index;  // NO_QS_MOVE for none
};
QsProbe qs_hash_probe(std::uint64_t key, int qs_full, int alpha, int beta);
void qs_hash_store(int move_index, std::uint64_t key, int value, int alpha, int beta, int qs_full);

// Up to 11 moves (each followed by a space) and a closing ".", NUL-terminated.
constexpr int PV_TEXT_SIZE = 80;
// Walks the main table from the position, writing the line into text (PV_TEXT_SIZE chars)
// and marking the entries it passes. Leaves the position, hash_key and pawn_hash_key as they
// were; the material counters are recomputed from the position at the end; `ply` entries of
// the per-ply arrays are overwritten.
void hash_pv_line(const Position& position, char* text);

// Field access for tests and the search.
constexpr int trans_move_index(const TransEntry& e) {
    return static_cast<int>(e.flags & 0x3FF);
}
constexpr int trans_bound(const TransEntry& e) {
    return static_cast<int>((e.flags >> 10) & 3);
}
constexpr int trans_pv_mark(const TransEntry& e) {
    return static_cast<int>((e.flags >> 12) & 1);
}
constexpr int qs_value(const QsEntry& e) {
    return static_cast<std::int16_t>(e.word & 0xFFFF);
}
constexpr int qs_bound(const QsEntry& e) {
    return static_cast<int>((e.word >> 16) & 3);
}
constexpr int qs_move_index(const QsEntry& e) {
    return static_cast<int>((e.word >> 18) & 0xFF);
}
constexpr int qs_full_of(const QsEntry& e) {
    return static_cast<int>((e.word >> 26) & 1);
}
