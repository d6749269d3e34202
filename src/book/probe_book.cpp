#include <cstdint>
#include <cstdio>

#include "board/make_move.h"
#include "board/random.h"
#include "board/zobrist.h"
#include "book/book.h"
#include "movegen/generate_moves.h"
#include "shell/protocol_output.h"

namespace {

// The book speaks to the interface only in UCI mode.
void book_say(const char* text) {
    if (protocol_mode == UCI_MODE) send_line(text);
}

// The moves that lead to a position, with the key of that position, in generation order.
struct Children {
    MoveList moves;
    std::array<std::uint64_t, MAX_MOVES> keys;
    int count;
};

// Plays every legal move on a copy; the caller's keys, counters and per-ply entries are put
// back afterwards.
void list_children(const Position& position, Children& children) {
    const std::uint64_t saved_key = hash_key, saved_pawn_key = pawn_hash_key;
    const PieceCounts saved_counts = piece_counts;
    const std::int32_t saved_capture_square = ply_entries.capture_square[ply];
    const std::int32_t saved_captured_value = ply_entries.captured_value[ply];
    const Bitboard saved_pawn_push = ply_entries.pawn_push[ply];
    const std::int32_t saved_in_check = ply_entries.in_check[ply + 1];

    MoveList list;
    const int generated = generate_moves(position, list);
    children.count = 0;
    for (int i = 0; i < generated; ++i) {
        Position after = position;
        // A move that leaves the own king attacked is never a book move, whatever the file says.
        if (!make_move(after, list[i])) continue;
        children.moves[children.count] = list[i];
        children.keys[children.count] = compute_hash_key(after);
        ++children.count;
    }

    hash_key = saved_key;
    pawn_hash_key = saved_pawn_key;
    piece_counts = saved_counts;
    ply_entries.capture_square[ply] = saved_capture_square;
    ply_entries.captured_value[ply] = saved_captured_value;
    ply_entries.pawn_push[ply] = saved_pawn_push;
    ply_entries.in_check[ply + 1] = saved_in_check;
}

}  // namespace

int probe_book(const Position& position, Move& move) {
    move = 0;
    book_say("info string looking up book position");
    if (book_count == 0) return 0;

    static Children children;  // large; probes never nest
    list_children(position, children);

    // Summed in 64 bits: 40000 weights near the 32-bit limit would overflow a 32-bit total.
    std::int64_t total = 0;
    for (int m = 0; m < children.count; ++m)
        for (int e = 0; e < book_count; ++e)
            if (book_entries[e].key == children.keys[m]) total += book_entries[e].weight;
    const std::int64_t threshold = total / 10;

    // The first matching entry is the best until a strictly heavier one comes.
    const BookEntry* best_entry = nullptr;
    Move best_move = 0;
    int candidates = 0;
    for (int m = 0; m < children.count; ++m) {
        for (int e = 0; e < book_count; ++e) {
            const BookEntry& entry = book_entries[e];
            if (entry.key != children.keys[m]) continue;
            if (!best_entry || entry.weight > best_entry->weight) {
                best_entry = &entry;
                best_move = children.moves[m];
            }
            // A move whose position stands on two qualifying lines counts twice.
            if (entry.weight >= threshold) ++candidates;
        }
    }
    if (!best_entry) return 0;

    char text[8];
    char line[128];
    if (candidates > 1) {
        int pick = next_random() % candidates;
        for (int m = 0; m < children.count && !move; ++m)
            for (int e = 0; e < book_count && !move; ++e)
                if (book_entries[e].key == children.keys[m] &&
                    book_entries[e].weight >= threshold && pick-- == 0)
                    move = children.moves[m];
        move_to_text(position, move, text);
        std::snprintf(line, sizeof line, "info string book move: %s", text);
    } else {
        move = best_move;
        move_to_text(position, move, text);
        std::snprintf(line, sizeof line, "info string book move: %s (%i of %lld,  %i %i)", text,
                      best_entry->weight, static_cast<long long>(total), best_entry->stat_a,
                      best_entry->stat_b);
    }
    book_say(line);
    return 1;
}
