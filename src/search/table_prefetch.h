// Prefetching a position's transposition-table entries as soon as its key is known, so the
// probe at the start of the child's search finds them in the cache.
#pragma once

#include <cstdint>

#include "search/trans_table.h"

// The 4-entry bucket of the main table (it may straddle two cache lines).
inline void prefetch_main_entry(std::uint64_t key) {
    if (!trans_table) return;
    const TransEntry* bucket = trans_table + (static_cast<std::uint32_t>(key) & (main_entries - 1));
    __builtin_prefetch(bucket);
    __builtin_prefetch(bucket + 3);
}
// The quiescence table's single entry.
inline void prefetch_qs_entry(std::uint64_t key) {
    if (!qs_table) return;
    __builtin_prefetch(qs_table + (static_cast<std::uint32_t>(key) & (qs_entries - 1)));
}
