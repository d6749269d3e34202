#include "search/trans_table.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "board/zobrist.h"
#include "eval/eval_cache.h"
#include "eval/pawn_table.h"
#include "shell/engine_log.h"
#include "shell/large_pages.h"
#include "shell/output.h"
#include "shell/protocol_output.h"

std::uint32_t main_entries = 0;
std::uint32_t qs_entries = 0;
TransEntry* trans_table = nullptr;
QsEntry* qs_table = nullptr;
std::uint64_t hash_memory_limit = std::numeric_limits<std::uint64_t>::max();

namespace {

constexpr int BUCKET = 4;
bool tables_made = false;

// Clearing the main table takes a new generation instead of writing every entry: an entry
// carries the generation it was written in (flag bits 13-31) and one from an earlier
// generation reads as empty. 0 means the memory holds no generation yet (fresh allocation).
constexpr int GENERATION_SHIFT = 13;
constexpr std::uint32_t LAST_GENERATION = (1u << (32 - GENERATION_SHIFT)) - 1;
std::uint32_t generation = 0;
// Likewise for the quiescence table, in bits 27-31 of the word.
constexpr int QS_GENERATION_SHIFT = 27;
constexpr std::uint32_t QS_LAST_GENERATION = 31;
std::uint32_t qs_generation = 0;

// The largest power of two strictly below n (1 when n <= 2).
std::uint64_t power_of_two_below(std::uint64_t n) {
    std::uint64_t p = 1;
    while (p < n) p *= 2;
    return p > 1 ? p / 2 : 1;
}

void free_tables() {
    free_large(trans_table);
    free_large(qs_table);
    trans_table = nullptr;
    qs_table = nullptr;
    main_entries = 0;
    qs_entries = 0;
}

std::uint64_t table_bytes(HashSizes sizes) {
    return (std::uint64_t{sizes.main_entries} + BUCKET) * sizeof(TransEntry) +
           std::uint64_t{sizes.qs_entries} * sizeof(QsEntry);
}

bool allocate(HashSizes sizes) {
    free_tables();
    if (table_bytes(sizes) > hash_memory_limit) return false;
    auto* main = static_cast<TransEntry*>(
        allocate_large((std::size_t{sizes.main_entries} + BUCKET) * sizeof(TransEntry)));
    auto* qs =
        static_cast<QsEntry*>(allocate_large(std::size_t{sizes.qs_entries} * sizeof(QsEntry)));
    if (!main || !qs) {
        free_large(main);
        free_large(qs);
        return false;
    }
    trans_table = main;
    qs_table = qs;
    generation = 0;
    qs_generation = 0;
    main_entries = sizes.main_entries;
    qs_entries = sizes.qs_entries;
    return true;
}

// Allocates `first`, else the sizes of ever smaller budgets from `megabytes` / 2 down to
// 1 MB; prints the failure message once. Returns whether `first` was had.
bool allocate_or_fall_back(HashSizes first, std::int64_t megabytes) {
    if (allocate(first)) return true;
    // In UCI mode (a "Hash" option too large) the message must be a protocol line.
    if (protocol_mode == UCI_MODE)
        send_line("info string hashinit failed!");
    else
        out("hashinit failed!\n");
    for (std::int64_t mb = megabytes / 2; mb >= MIN_HASH_MB; mb /= 2)
        if (allocate(hash_sizes_for(mb))) break;
    return false;
}

int bound_for(int value, int alpha, int beta) {
    int bound = BOUND_EXACT;
    if (value <= alpha) bound = BOUND_UPPER;
    if (value >= beta) bound = BOUND_LOWER;
    return bound;
}

std::uint32_t lock_of(std::uint64_t key) {
    return static_cast<std::uint32_t>(key >> 32);
}

}  // namespace

HashSizes hash_sizes_for(std::int64_t megabytes) {
    megabytes = clamp_hash_mb(megabytes);
    const std::uint64_t bytes = static_cast<std::uint64_t>(megabytes) * 1048576;
    const std::uint64_t target = 3 * (bytes / 12) / 4;
    const std::uint64_t main = power_of_two_below(target);
    const std::uint64_t rest = (bytes - 12 * main) / 8;
    return {static_cast<std::uint32_t>(main), static_cast<std::uint32_t>(power_of_two_below(rest))};
}

int init_hash_tables(std::int64_t megabytes) {
    bool had;
    if (!tables_made) {
        tables_made = true;
        init_zobrist();
        had = allocate_or_fall_back({START_MAIN_ENTRIES, START_QS_ENTRIES}, 32);
        init_pawn_table();
    } else {
        megabytes = clamp_hash_mb(megabytes);
        had = allocate_or_fall_back(hash_sizes_for(megabytes), megabytes);
    }
    if (!trans_table) return 0;
    engine_log("\nhashtables initialized");
    engine_log("\nmain table: %lld entries, %lld bytes", static_cast<long long>(main_entries),
               static_cast<long long>(main_entries) * 12);
    engine_log("\nqs   table: %lld entries, %lld bytes", static_cast<long long>(qs_entries),
               static_cast<long long>(qs_entries) * 8);
    clear_hash_tables();
    return had ? 1 : 0;
}

std::int64_t set_hash_size(std::int64_t megabytes) {
    megabytes = clamp_hash_mb(megabytes);
    init_hash_tables(megabytes);
    return megabytes;
}

TransEntry live_entry(const TransEntry& e) {
    return e.flags >> GENERATION_SHIFT == generation ? e : TransEntry{};
}

void mark_pv(TransEntry& e) {
    e = live_entry(e);
    e.flags |= (1u << 12) | (generation << GENERATION_SHIFT);
}

void clear_hash_tables() {
    if (trans_table) {
        if (generation == 0 || generation == LAST_GENERATION) {
            std::memset(trans_table, 0, (std::size_t{main_entries} + BUCKET) * sizeof(TransEntry));
            generation = 1;
        } else {
            ++generation;
        }
    }
    if (qs_table) {
        if (qs_generation == 0 || qs_generation == QS_LAST_GENERATION) {
            std::memset(qs_table, 0, std::size_t{qs_entries} * sizeof(QsEntry));
            qs_generation = 1;
        } else {
            ++qs_generation;
        }
    }
    clear_eval_cache();
}

HashProbe hash_probe(std::uint64_t key, int depth, int alpha, int beta) {
    HashProbe r{0, 0, alpha, beta, -1, 0};
    if (!trans_table) return r;
    const std::uint32_t lock = lock_of(key);
    const TransEntry* bucket = trans_table + (static_cast<std::uint32_t>(key) & (main_entries - 1));
    for (int i = 0; i < BUCKET; ++i) {
        const TransEntry e = live_entry(bucket[i]);
        if (e.lock != lock) continue;
        r.move_index = trans_move_index(e);
        r.pv_mark = trans_pv_mark(e);
        if (e.depth < depth) continue;
        const int value = e.value;
        const int bound = trans_bound(e);
        if (bound == BOUND_EXACT) {
            r.cutoff = 1;
            r.value = value;
            return r;
        }
        if (bound == BOUND_LOWER) {
            if (value >= r.beta) {
                r.cutoff = 1;
                r.value = value;
                return r;
            }
            if (value > r.alpha) {
                r.alpha = value;
                return r;
            }
        } else {
            if (value <= r.alpha) {
                r.cutoff = 1;
                r.value = value;
                return r;
            }
            if (value < r.beta) {
                r.beta = value;
                return r;
            }
        }
    }
    return r;
}

void hash_store(int move_index, std::uint64_t key, int value, int alpha, int beta, int depth) {
    if (!trans_table) return;
    // An index the ten bits cannot hold is stored as one no list reaches, so it is ignored.
    if (move_index < 0 || move_index > 1023) move_index = 1023;
    TransEntry entry;
    entry.lock = lock_of(key);
    entry.value = static_cast<std::int16_t>(value);
    // A negative depth would wrap to a huge one and pin the entry for the whole search.
    entry.depth = static_cast<std::uint16_t>(depth < 0 ? 0 : depth > 65535 ? 65535 : depth);
    entry.flags = static_cast<std::uint32_t>(move_index) |
                  (static_cast<std::uint32_t>(bound_for(value, alpha, beta)) << 10) |
                  (generation << GENERATION_SHIFT);
    TransEntry* bucket = trans_table + (static_cast<std::uint32_t>(key) & (main_entries - 1));
    TransEntry seen[BUCKET];
    for (int i = 0; i < BUCKET; ++i) {
        seen[i] = live_entry(bucket[i]);
        if (seen[i].lock == entry.lock || seen[i].lock == 0) {
            if (entry.depth >= seen[i].depth) bucket[i] = entry;
            return;
        }
    }
    int victim = 0;
    int lowest = seen[0].depth + 128 * trans_pv_mark(seen[0]);
    for (int i = 1; i < BUCKET; ++i) {
        int priority = seen[i].depth + 128 * trans_pv_mark(seen[i]);
        if (priority < lowest) {
            lowest = priority;
            victim = i;
        }
    }
    bucket[victim] = entry;
}

QsProbe qs_hash_probe(std::uint64_t key, int qs_full, int alpha, int beta) {
    QsProbe r{0, 0, alpha, beta, NO_QS_MOVE};
    if (!qs_table) return r;
    const QsEntry& e = qs_table[static_cast<std::uint32_t>(key) & (qs_entries - 1)];
    if (e.lock != lock_of(key) || e.word >> QS_GENERATION_SHIFT != qs_generation) return r;
    const int full = qs_full_of(e);
    if (full == qs_full) r.move_index = qs_move_index(e);
    if (full < qs_full) return r;
    const int value = qs_value(e);
    const int bound = qs_bound(e);
    if (bound == BOUND_EXACT) {
        r.cutoff = 1;
        r.value = value;
    } else if (bound == BOUND_LOWER) {
        if (value >= beta) {
            r.cutoff = 1;
            r.value = value;
        } else if (value > alpha) {
            r.alpha = value;
        }
    } else {
        if (value <= alpha) {
            r.cutoff = 1;
            r.value = value;
        } else if (value < beta) {
            r.beta = value;
        }
    }
    return r;
}

void qs_hash_store(int move_index, std::uint64_t key, int value, int alpha, int beta, int qs_full) {
    if (!qs_table) return;
    if (move_index < 0 || move_index > 255) move_index = NO_QS_MOVE;
    QsEntry& e = qs_table[static_cast<std::uint32_t>(key) & (qs_entries - 1)];
    e.lock = lock_of(key);
    e.word = (static_cast<std::uint32_t>(value) & 0xFFFF) |
             (static_cast<std::uint32_t>(bound_for(value, alpha, beta)) << 16) |
             (static_cast<std::uint32_t>(move_index) << 18) |
             ((static_cast<std::uint32_t>(qs_full) & 1) << 26) |
             (qs_generation << QS_GENERATION_SHIFT);
}
