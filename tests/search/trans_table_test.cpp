// The transposition tables: sizes, the probe and replacement rules of both tables, resizing
// with its log lines and its fallback, and the principal-variation walk.
#include "search/trans_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "shell/engine_log.h"
#include "shell/output.h"
#include "shell/protocol_output.h"
#include "support/attack_maps.h"
#include "support/engine_runner.h"

namespace {

// A key whose bucket starts at `index` and whose lock is `lock`.
std::uint64_t key_of(std::uint32_t lock, std::uint32_t index) {
    return (std::uint64_t{lock} << 32) | index;
}

class TransTable : public ::testing::Test {
  protected:
    void SetUp() override { clear_hash_tables(); }
};

// Runs init_hash_tables in a scratch directory with the output captured.
struct Resize {
    int result;
    std::string printed;
    std::string logged;
};
Resize resize_in_scratch(std::int64_t megabytes, const std::string& name) {
    const auto here = std::filesystem::current_path();
    const std::string dir = make_scratch_dir(name);
    std::filesystem::current_path(dir);
    std::FILE* capture = std::tmpfile();
    std::FILE* saved = output_file;
    output_file = capture;
    engine_log_create();
    Resize r;
    r.result = init_hash_tables(megabytes);
    output_file = saved;
    std::rewind(capture);
    char buffer[256];
    std::size_t n = std::fread(buffer, 1, sizeof buffer, capture);
    r.printed.assign(buffer, n);
    std::fclose(capture);
    r.logged = read_file(dir + "/orlo.txt");
    std::filesystem::current_path(here);
    return r;
}

}  // namespace

TEST(HashSizes, ForEachBudget) {
    const std::vector<std::tuple<std::int64_t, std::uint32_t, std::uint32_t>> expected = {
        {1, 32768, 65536},
        {16, 524288, 1048576},
        {32, 1048576, 2097152},
        {64, 2097152, 4194304},
        {128, 4194304, 8388608},
        {1024, 33554432, 67108864},
        {4096, 134217728, 268435456},
    };
    for (const auto& [mb, main, qs] : expected) {
        HashSizes s = hash_sizes_for(mb);
        EXPECT_EQ(s.main_entries, main) << mb;
        EXPECT_EQ(s.qs_entries, qs) << mb;
        // Never more than the budget.
        EXPECT_LE(std::uint64_t{s.main_entries} * 12 + std::uint64_t{s.qs_entries} * 8,
                  std::uint64_t(mb) * 1048576);
    }
    EXPECT_EQ(hash_sizes_for(0).main_entries, 32768u);
    EXPECT_EQ(hash_sizes_for(-5).qs_entries, 65536u);
    EXPECT_EQ(hash_sizes_for(1LL << 40).main_entries, 134217728u);
}

TEST(HashInit, StartUpSizesAndResizeLog) {
    // The start-up call (made by the test entry) uses the fixed start sizes.
    EXPECT_TRUE(trans_table != nullptr && qs_table != nullptr);
    Resize r = resize_in_scratch(64, "hash_resize");
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(main_entries, 2097152u);
    EXPECT_EQ(qs_entries, 4194304u);
    EXPECT_EQ(r.logged,
              "\nhashtables initialized"
              "\nmain table: 2097152 entries, 25165824 bytes"
              "\nqs   table: 4194304 entries, 33554432 bytes");
    EXPECT_EQ(r.printed, "");
    // The new tables start empty.
    EXPECT_EQ(hash_probe(key_of(7, 5), 0, -100, 100).move_index, -1);
}

TEST(HashInit, FallsBackWhenMemoryIsRefused) {
    const HashSizes small = hash_sizes_for(16);
    hash_memory_limit =
        (std::uint64_t{small.main_entries} + 4) * 12 + std::uint64_t{small.qs_entries} * 8;
    // In UCI mode the message must be a protocol line (a "Hash" option too large).
    protocol_mode = 2;
    Resize r = resize_in_scratch(128, "hash_fallback_uci");
    protocol_mode = 0;
    EXPECT_EQ(r.printed, "info string hashinit failed!\n");
    r = resize_in_scratch(128, "hash_fallback");
    hash_memory_limit = ~std::uint64_t{0};
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.printed, "hashinit failed!\n");
    EXPECT_EQ(main_entries, small.main_entries);
    EXPECT_EQ(qs_entries, small.qs_entries);
    EXPECT_NE(r.logged.find("main table: 524288 entries"), std::string::npos);
    // Usable at the smaller size.
    hash_store(3, key_of(9, 1), 50, -100, 100, 8);
    EXPECT_EQ(hash_probe(key_of(9, 1), 8, -100, 100).move_index, 3);

    // Nothing at all to be had: no tables, and probes and stores do nothing.
    hash_memory_limit = 0;
    r = resize_in_scratch(1, "hash_none");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(trans_table, nullptr);
    EXPECT_EQ(hash_probe(key_of(9, 1), 0, -100, 100).move_index, -1);
    hash_store(3, key_of(9, 1), 50, -100, 100, 8);
    qs_hash_store(3, key_of(9, 1), 50, -100, 100, 1);
    EXPECT_EQ(qs_hash_probe(key_of(9, 1), 0, -100, 100).move_index, NO_QS_MOVE);
    char text[PV_TEXT_SIZE];
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, ".");
    hash_memory_limit = ~std::uint64_t{0};
    EXPECT_EQ(resize_in_scratch(1, "hash_back").result, 1);
    EXPECT_EQ(main_entries, 32768u);
}

TEST_F(TransTable, ProbeOfEmptyTableFindsNothing) {
    HashProbe r = hash_probe(key_of(12345, 77), 0, -50, 50);
    EXPECT_EQ(r.cutoff, 0);
    EXPECT_EQ(r.move_index, -1);
    EXPECT_EQ(r.pv_mark, 0);
    EXPECT_EQ(r.alpha, -50);
    EXPECT_EQ(r.beta, 50);
}

TEST_F(TransTable, BoundsDecideCutoffsAndNarrowing) {
    const std::uint64_t key = key_of(1000, 40);
    hash_store(5, key, 30, -50, 50, 16);  // exact
    HashProbe r = hash_probe(key, 16, -50, 50);
    EXPECT_EQ(r.cutoff, 1);
    EXPECT_EQ(r.value, 30);
    // Too shallow: no cutoff, but the move is still the hash move.
    r = hash_probe(key, 24, -50, 50);
    EXPECT_EQ(r.cutoff, 0);
    EXPECT_EQ(r.move_index, 5);

    clear_hash_tables();
    hash_store(6, key, 70, -50, 50, 16);  // at least 70
    r = hash_probe(key, 8, -50, 100);
    EXPECT_EQ(r.cutoff, 0);
    EXPECT_EQ(r.alpha, 70);
    EXPECT_EQ(r.beta, 100);
    EXPECT_EQ(r.move_index, 6);
    r = hash_probe(key, 8, -50, 60);
    EXPECT_EQ(r.cutoff, 1);
    EXPECT_EQ(r.value, 70);

    clear_hash_tables();
    hash_store(7, key, -80, -50, 50, 16);  // at most -80
    r = hash_probe(key, 8, -100, 50);
    EXPECT_EQ(r.cutoff, 0);
    EXPECT_EQ(r.beta, -80);
    r = hash_probe(key, 8, -70, 50);
    EXPECT_EQ(r.cutoff, 1);
    EXPECT_EQ(r.value, -80);
    EXPECT_EQ(trans_bound(trans_table[40]), BOUND_UPPER);
}

TEST_F(TransTable, ShallowerStoreOfTheSamePositionChangesNothing) {
    const std::uint64_t key = key_of(2000, 8);
    hash_store(4, key, 10, 0, 5, 40);  // lower bound, depth 40
    hash_store(9, key, 3, 0, 5, 32);   // exact but shallower
    const TransEntry& e = trans_table[8];
    EXPECT_EQ(trans_move_index(e), 4);
    EXPECT_EQ(e.depth, 40);
    EXPECT_EQ(trans_bound(e), BOUND_LOWER);
    hash_store(9, key, 3, 0, 5, 40);  // equal depth overwrites
    EXPECT_EQ(trans_move_index(e), 9);
    EXPECT_EQ(trans_bound(e), BOUND_EXACT);
}

TEST_F(TransTable, NegativeDepthDoesNotPinTheEntry) {
    const std::uint64_t key = key_of(3000, 12);
    hash_store(1, key, 0, -1, 1, -8);
    EXPECT_EQ(trans_table[12].depth, 0);
    hash_store(2, key, 0, -1, 1, 0);
    EXPECT_EQ(trans_move_index(trans_table[12]), 2);
}

TEST_F(TransTable, ReplacementPrefersShallowUnmarkedEntries) {
    const std::uint32_t index = 100;
    const std::uint16_t depths[4] = {80, 24, 160, 24};
    for (int i = 0; i < 4; ++i) hash_store(i, key_of(500 + i, index), 0, -1, 1, depths[i]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(trans_table[index + i].lock, 500u + i);
    // The first of the two shallowest goes.
    hash_store(9, key_of(600, index), 0, -1, 1, 8);
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
    // The mark shows in the probe; an equal-depth update clears it.
    EXPECT_EQ(hash_probe(key_of(700, index), 0, -1, 1).pv_mark, 1);
    hash_store(2, key_of(700, index), 0, -1, 1, 40);
    EXPECT_EQ(trans_pv_mark(trans_table[index]), 0);
}

TEST_F(TransTable, BucketAtTheLastIndexStaysInside) {
    const std::uint32_t last = main_entries - 1;
    for (int i = 0; i < 5; ++i) hash_store(i, key_of(900 + i, last), 0, -1, 1, 8 * (i + 1));
    EXPECT_EQ(trans_table[last + 3].lock, 903u);
    EXPECT_EQ(hash_probe(key_of(904, last), 0, -1, 1).move_index, 4);
}

TEST_F(TransTable, QuiescenceEntries) {
    const std::uint64_t key = key_of(4242, 17);
    qs_hash_store(12, key, -35, -10, 40, 0);  // upper bound, light search
    QsProbe r = qs_hash_probe(key, 1, -50, 40);
    EXPECT_EQ(r.cutoff, 0);
    EXPECT_EQ(r.move_index, NO_QS_MOVE);
    EXPECT_EQ(r.beta, 40);
    r = qs_hash_probe(key, 0, -50, 40);
    EXPECT_EQ(r.move_index, 12);
    EXPECT_EQ(r.beta, -35);

    qs_hash_store(3, key, 60, -10, 40, 1);  // lower bound, full search
    r = qs_hash_probe(key, 0, -10, 50);
    EXPECT_EQ(r.cutoff, 1);
    EXPECT_EQ(r.value, 60);
    EXPECT_EQ(r.move_index, NO_QS_MOVE);  // the move serves only the same kind of node
    r = qs_hash_probe(key, 1, -10, 70);
    EXPECT_EQ(r.cutoff, 0);
    EXPECT_EQ(r.alpha, 60);
    EXPECT_EQ(r.move_index, 3);

    // Negative values survive the 16-bit packing; index 30 reads as no move.
    qs_hash_store(30, key, -31000, -100, 100, 1);
    r = qs_hash_probe(key, 1, -100, 100);
    EXPECT_EQ(r.cutoff, 1);
    EXPECT_EQ(r.value, -31000);
    EXPECT_EQ(r.move_index, NO_QS_MOVE);
    // Another position on the same index gives nothing.
    EXPECT_EQ(qs_hash_probe(key_of(4243, 17), 0, -100, 100).cutoff, 0);
}

TEST_F(TransTable, PvLineOfEmptyTableIsAPoint) {
    char text[PV_TEXT_SIZE];
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, ".");
}

namespace {
int index_of(const Position& p, const std::string& text) {
    MoveList list;
    int n = generate_moves(p, list);
    for (int i = 0; i < n; ++i)
        if (move_texts(p, {list[i]})[0] == text) return i;
    return -1;
}
// Stores the named move as the best move of the position, returns the position after it.
Position store_best(const Position& p, const std::string& text) {
    hash_store(index_of(p, text), compute_hash_key(p), 0, -1, 1, 8);
    Position next = p;
    EXPECT_TRUE(play_moves(next, {text}));
    return next;
}
}  // namespace

TEST_F(TransTable, PvLineFollowsStoredMovesAndMarksThem) {
    Position p = start_position;
    p = store_best(p, "e2e4");
    p = store_best(p, "e7e5");
    const std::uint64_t key = hash_key = 0x1234;
    pawn_hash_key = 0x5678;
    piece_counts = PieceCounts{};
    char text[PV_TEXT_SIZE];
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, "e2e4 e7e5 .");
    EXPECT_EQ(hash_probe(compute_hash_key(start_position), 0, -1, 1).pv_mark, 1);
    EXPECT_EQ(hash_key, key);
    EXPECT_EQ(pawn_hash_key, 0x5678u);
    EXPECT_EQ(piece_counts.white_pawn_count, 8);
    EXPECT_EQ(piece_counts.black_piece_count, 7);
}

TEST_F(TransTable, PvLineStopsAtElevenMovesAndBadIndices) {
    // Knights going back and forth: a cycle the walk must cut off.
    Position p = start_position;
    for (const char* m : {"g1f3", "g8f6", "f3g1", "f6g8"}) p = store_best(p, m);
    char text[PV_TEXT_SIZE];
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 .");

    clear_hash_tables();
    hash_store(900, compute_hash_key(start_position), 0, -1, 1, 8);
    hash_pv_line(start_position, text);
    EXPECT_STREQ(text, ".");
}

TEST_F(TransTable, PvLineThroughCheckIndexesLegalEvasions) {
    Position p = position_from("rnbqkbnr/ppp2ppp/8/3pp3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq");
    Position after = store_best(p, "f1b5");
    MoveList list;
    AttackInfo info = attack_maps(after);
    int extension = 0;
    int n = generate_evasions(after, list, info, extension);
    Position copy = after;
    n = legal_filter(copy, list, n);
    int index = -1;
    for (int i = 0; i < n; ++i)
        if (move_texts(after, {list[i]})[0] == "c7c6") index = i;
    ASSERT_GT(index, 0);
    // In the full list the same index names another move.
    ASSERT_NE(index, index_of(after, "c7c6"));
    hash_store(index, compute_hash_key(after), 0, -1, 1, 8);
    char text[PV_TEXT_SIZE];
    hash_pv_line(p, text);
    EXPECT_STREQ(text, "f1b5 c7c6 .");
}
