// The transposition tables: sizes, resizing with its log lines and its fallback, the probe
// and replacement rules of both tables, and the principal-variation walk.
#include "search/trans_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "shell/engine_log.h"
#include "shell/protocol_output.h"
#include "support/engine_runner.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

// A key whose bucket starts at `index` and whose lock is `lock`.
std::uint64_t key_of(std::uint32_t lock, std::uint32_t index) {
    return (std::uint64_t{lock} << 32) | index;
}

TEST(HashSizes, ForEachBudget) {
    // The floor, a step between, the cap and budgets beyond both ends (16 and 64 MB: below).
    const std::tuple<std::int64_t, std::uint32_t, std::uint32_t> expected[] = {
        {1, 32768, 65536}, {32, 1048576, 2097152}, {4096, 134217728, 268435456},
        {0, 32768, 65536}, {-5, 32768, 65536},     {1LL << 40, 134217728, 268435456}};
    for (const auto& [mb, main, qs] : expected) {
        const HashSizes s = hash_sizes_for(mb);
        EXPECT_EQ(s.main_entries, main) << mb;
        EXPECT_EQ(s.qs_entries, qs) << mb;
    }
}

struct Resize {
    int result;
    std::string printed, logged;
};
Resize resize_in_scratch(std::int64_t megabytes, const std::string& name) {
    const std::string dir = make_scratch_dir(name);
    InDirectory in(dir);
    CapturedOutput capture;
    engine_log_create();
    const int result = init_hash_tables(megabytes);
    return {result, capture.text(), read_file("orlo.txt")};
}

TEST(HashInit, ResizeLogAndFallbackWhenMemoryIsRefused) {
    Resize r = resize_in_scratch(64, "hash_resize");
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.logged,
              "\nhashtables initialized"
              "\nmain table: 2097152 entries, 25165824 bytes"
              "\nqs   table: 4194304 entries, 33554432 bytes");
    EXPECT_EQ(r.printed, "");
    EXPECT_EQ(hash_probe(key_of(7, 5), 0, -100, 100).move_index, -1);  // starts empty

    const HashSizes small = hash_sizes_for(16);
    hash_memory_limit =
        (std::uint64_t{small.main_entries} + 4) * 12 + std::uint64_t{small.qs_entries} * 8;
    // In UCI mode the message must be a protocol line (a "Hash" option too large).
    protocol_mode = UCI_MODE;
    r = resize_in_scratch(128, "hash_fallback_uci");
    protocol_mode = CONSOLE_MODE;
    EXPECT_EQ(r.printed, "info string hashinit failed!\n");
    r = resize_in_scratch(128, "hash_fallback");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.printed, "hashinit failed!\n");
    EXPECT_EQ(main_entries, small.main_entries);
    EXPECT_NE(r.logged.find("main table: 524288 entries"), std::string::npos);
    hash_store(3, key_of(9, 1), 50, -100, 100, 8);
    EXPECT_EQ(hash_probe(key_of(9, 1), 8, -100, 100).move_index, 3);

    // Nothing at all to be had: no tables, and probes, stores and the walk do nothing.
    hash_memory_limit = 0;
    EXPECT_EQ(resize_in_scratch(1, "hash_none").result, 0);
    EXPECT_EQ(trans_table, nullptr);
    hash_store(3, key_of(9, 1), 50, -100, 100, 8);
    qs_hash_store(3, key_of(9, 1), 50, -100, 100, 1);
    EXPECT_EQ(hash_probe(key_of(9, 1), 0, -100, 100).move_index, -1);
    EXPECT_EQ(qs_hash_probe(key_of(9, 1), 0, -100, 100).move_index, NO_QS_MOVE);
    char text[PV_TEXT_SIZE];
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, ".");
    hash_memory_limit = ~std::uint64_t{0};
    EXPECT_EQ(resize_in_scratch(1, "hash_back").result, 1);
}

TEST(TransTable, ProbeRules) {
    const std::uint64_t key = key_of(1000, 40);
    const struct {
        int stored, store_alpha, store_beta;  // stored at depth 16 with move 5
        int depth, alpha, beta;               // probed
        int cutoff, value_or_alpha, beta_after;
    } cases[] = {
        {30, -50, 50, 16, -50, 50, 1, 30, 0},       // exact
        {30, -50, 50, 24, -50, 50, 0, -50, 50},     // too shallow: only the move
        {70, -50, 50, 8, -50, 100, 0, 70, 100},     // at least 70 narrows alpha
        {70, -50, 50, 8, -50, 60, 1, 70, 0},        // ... or cuts off
        {-80, -50, 50, 8, -100, 50, 0, -100, -80},  // at most -80 narrows beta
        {-80, -50, 50, 8, -70, 50, 1, -80, 0},
    };
    for (const auto& c : cases) {
        clear_hash_tables();
        hash_store(5, key, c.stored, c.store_alpha, c.store_beta, 16);
        const HashProbe r = hash_probe(key, c.depth, c.alpha, c.beta);
        EXPECT_EQ(r.cutoff, c.cutoff);
        EXPECT_EQ(r.move_index, 5);
        EXPECT_EQ(r.cutoff ? r.value : r.alpha, c.value_or_alpha);
        if (!r.cutoff) {
            EXPECT_EQ(r.beta, c.beta_after);
        }
    }
    clear_hash_tables();
    EXPECT_EQ(hash_probe(key_of(12345, 77), 0, -50, 50).move_index, -1);
    // A shallower store of the same position changes nothing; an equal depth overwrites; a
    // negative depth does not pin the entry.
    hash_store(4, key_of(2000, 8), 10, 0, 5, 40);
    hash_store(9, key_of(2000, 8), 3, 0, 5, 32);
    EXPECT_EQ(trans_move_index(trans_table[8]), 4);
    EXPECT_EQ(trans_bound(trans_table[8]), BOUND_LOWER);
    hash_store(9, key_of(2000, 8), 3, 0, 5, 40);
    EXPECT_EQ(trans_bound(trans_table[8]), BOUND_EXACT);
    hash_store(1, key_of(3000, 12), 0, -1, 1, -8);
    hash_store(2, key_of(3000, 12), 0, -1, 1, 0);
    EXPECT_EQ(trans_move_index(trans_table[12]), 2);
}

TEST(TransTable, ReplacementPrefersShallowUnmarkedEntries) {
    clear_hash_tables();
    const std::uint32_t index = 100;
    const std::uint16_t depths[4] = {80, 24, 160, 24};
    for (int i = 0; i < 4; ++i) hash_store(i, key_of(500 + i, index), 0, -1, 1, depths[i]);
    hash_store(9, key_of(600, index), 0, -1, 1, 8);  // the first of the two shallowest goes
    EXPECT_EQ(trans_table[index + 1].lock, 600u);
    EXPECT_EQ(trans_table[index + 3].lock, 503u);
    // A marked entry of depth 40 outlives an unmarked one of depth 160.
    clear_hash_tables();
    const std::uint16_t deep[4] = {40, 160, 170, 180};
    for (int i = 0; i < 4; ++i) hash_store(i, key_of(700 + i, index), 0, -1, 1, deep[i]);
    trans_table[index].flags |= 1u << 12;
    hash_store(9, key_of(800, index), 0, -1, 1, 8);
    EXPECT_EQ(trans_table[index].lock, 700u);
    EXPECT_EQ(trans_table[index + 1].lock, 800u);
    EXPECT_EQ(hash_probe(key_of(700, index), 0, -1, 1).pv_mark, 1);
    hash_store(2, key_of(700, index), 0, -1, 1, 40);  // an equal-depth update clears the mark
    EXPECT_EQ(trans_pv_mark(trans_table[index]), 0);
    // A bucket at the last index stays inside the table.
    const std::uint32_t last = main_entries - 1;
    for (int i = 0; i < 5; ++i) hash_store(i, key_of(900 + i, last), 0, -1, 1, 8 * (i + 1));
    EXPECT_EQ(hash_probe(key_of(904, last), 0, -1, 1).move_index, 4);
}

TEST(TransTable, EntriesFromBeforeAClearReadAsEmpty) {
    const std::uint32_t index = 300;
    for (int round = 0; round < 3; ++round) {
        clear_hash_tables();
        for (int i = 0; i < 4; ++i)
            hash_store(i, key_of(40 + i, index), 0, -1, 1, i == 1 ? 24 : 160);
        clear_hash_tables();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(hash_probe(key_of(40 + i, index), 0, -1, 1).move_index, -1);
        // The store takes the first entry, as in a zeroed bucket, not the shallowest old one's.
        hash_store(7, key_of(50, index), 0, -1, 1, 8);
        EXPECT_EQ(hash_probe(key_of(50, index), 0, -1, 1).move_index, 7);
        EXPECT_EQ(live_entry(trans_table[index]).lock, 50u);
        EXPECT_EQ(live_entry(trans_table[index + 1]).lock, 0u);
        // Marking an old entry leaves it empty but for the mark, as on a zeroed one.
        mark_pv(trans_table[index + 2]);
        const TransEntry marked = live_entry(trans_table[index + 2]);
        EXPECT_EQ(marked.lock, 0u);
        EXPECT_EQ(marked.depth, 0);
        EXPECT_EQ(trans_pv_mark(marked), 1);
        EXPECT_EQ(trans_move_index(marked), 0);
    }
}

TEST(TransTable, QuiescenceEntries) {
    clear_hash_tables();
    const std::uint64_t key = key_of(4242, 17);
    qs_hash_store(12, key, -35, -10, 40, 0);  // upper bound, light search
    QsProbe r = qs_hash_probe(key, 1, -50, 40);
    EXPECT_EQ(r.move_index, NO_QS_MOVE);  // the move serves only the same kind of node
    EXPECT_EQ(r.beta, 40);
    r = qs_hash_probe(key, 0, -50, 40);
    EXPECT_EQ(r.move_index, 12);
    EXPECT_EQ(r.beta, -35);
    qs_hash_store(3, key, 60, -10, 40, 1);  // lower bound, full search
    r = qs_hash_probe(key, 0, -10, 50);
    EXPECT_EQ(r.cutoff, 1);
    EXPECT_EQ(r.value, 60);
    r = qs_hash_probe(key, 1, -10, 70);
    EXPECT_EQ(r.alpha, 60);
    EXPECT_EQ(r.move_index, 3);
    // Negative values survive the 16-bit packing; index 30 reads as no move.
    qs_hash_store(30, key, -31000, -100, 100, 1);
    r = qs_hash_probe(key, 1, -100, 100);
    EXPECT_EQ(r.value, -31000);
    EXPECT_EQ(r.move_index, NO_QS_MOVE);
    EXPECT_EQ(qs_hash_probe(key_of(4243, 17), 0, -100, 100).cutoff, 0);
}

TEST(TransTable, QuiescenceEntriesFromBeforeAClearReadAsEmpty) {
    // Enough clears for the generations to wrap (and the memory to be zeroed) more than once.
    const std::uint64_t key = key_of(777, 91);
    const std::uint64_t zero_lock = 91;  // upper half 0, like an untouched entry's lock
    for (int round = 0; round < 70; ++round) {
        clear_hash_tables();
        EXPECT_EQ(qs_hash_probe(zero_lock, 0, 0, 100).cutoff, 0) << round;
        qs_hash_store(5, key, 20, -10, 10, 1);
        QsProbe r = qs_hash_probe(key, 1, -100, 100);
        ASSERT_EQ(r.move_index, 5) << round;
        ASSERT_EQ(r.alpha, 20) << round;
        clear_hash_tables();
        r = qs_hash_probe(key, 1, -100, 100);
        EXPECT_EQ(r.move_index, NO_QS_MOVE) << round;
        EXPECT_EQ(r.alpha, -100) << round;
    }
}

// The index of the named move in the full generated list.
int list_index(const Position& p, const std::string& text) {
    MoveList list;
    const int n = generate_moves(p, list);
    return static_cast<int>(std::find(list.begin(), list.begin() + n, find_move(p, text)) -
                            list.begin());
}

// Stores the move at `index` as the best move of the position; the position after `text`.
Position store_best(const Position& p, const std::string& text, int index = -1) {
    hash_store(index < 0 ? list_index(p, text) : index, compute_hash_key(p), 0, -1, 1, 8);
    Position next = p;
    EXPECT_TRUE(play_moves(next, {text}));
    return next;
}

TEST(TransTable, PvLine) {
    clear_hash_tables();
    char text[PV_TEXT_SIZE];
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, ".");
    // The walk follows and marks the stored moves, leaving the keys as they were.
    store_best(store_best(start_position, "e2e4"), "e7e5");
    hash_key = 0x1234;
    pawn_hash_key = 0x5678;
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, "e2e4 e7e5 .");
    EXPECT_EQ(hash_probe(compute_hash_key(start_position), 0, -1, 1).pv_mark, 1);
    EXPECT_EQ(hash_key, 0x1234u);
    EXPECT_EQ(pawn_hash_key, 0x5678u);
    EXPECT_EQ(piece_counts.black_piece_count, 7);
    // A cycle is cut off at eleven moves; an index beyond the list ends the walk.
    Position p = start_position;
    for (const char* m : {"g1f3", "g8f6", "f3g1", "f6g8"}) p = store_best(p, m);
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 .");
    clear_hash_tables();
    hash_store(900, compute_hash_key(start_position), 0, -1, 1, 8);
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, ".");
    // In check the index is into the legal evasions, where it names another move than in
    // the full list.
    clear_hash_tables();
    p = position_from_fen("rnbqkbnr/ppp2ppp/8/3pp3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq");
    const Position after = store_best(p, "f1b5");
    MoveList list;
    int extension = 0;
    Position copy = after;
    const int n =
        legal_filter(copy, list, generate_evasions(after, list, attack_maps(after), extension));
    const int index = static_cast<int>(
        std::find(list.begin(), list.begin() + n, find_move(after, "c7c6")) - list.begin());
    ASSERT_LT(index, n);
    ASSERT_NE(index, list_index(after, "c7c6"));
    store_best(after, "c7c6", index);
    hash_pv_line(p, text);
    EXPECT_STREQ(text, "f1b5 c7c6 .");
}

}  // namespace
