// Fuzz target: arbitrary bytes as FEN text. Positions that pass the usable check then go the
// whole way: the three generators (checked against each other), a make-move walk chosen by
// the input's bytes (keys and counters checked against fresh ones), the evaluation with a
// window taken from the input, and a shallow search.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/usable.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "fuzz_support.h"
#include "movegen/generate_captures.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "search/search_state.h"
#include "search/think.h"

namespace {

constexpr int WALK_PLIES = 16;

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t next = 0;
    int take() { return data[next++ % size]; }
};

void require(bool condition) {
    if (!condition) __builtin_trap();
}

struct Saved {
    Position position;
    std::uint64_t key, pawn_key;
    PieceCounts counts;
};
Saved save(const Position& p) {
    return {p, hash_key, pawn_hash_key, piece_counts};
}
void restore(Position& p, const Saved& s) {
    p = s.position;
    hash_key = s.key;
    pawn_hash_key = s.pawn_key;
    piece_counts = s.counts;
}

bool counts_equal(const PieceCounts& a, const PieceCounts& b) {
    return std::equal(&a.white_pawn_count, &a.black_piece_count + 1, &b.white_pawn_count);
}

// The moves of the list that make_move accepts, without their check marks, sorted.
std::vector<Move> legal_set(Position& position, const MoveList& list, int count) {
    const Saved saved = save(position);
    std::vector<Move> moves;
    for (int i = 0; i < count; ++i) {
        ply = 0;
        if (make_move(position, list[i])) moves.push_back(list[i] & ~CHECK_MARK);
        restore(position, saved);
    }
    std::sort(moves.begin(), moves.end());
    return moves;
}

bool side_in_check(const Position& p) {
    return (p.flags & BLACK_TO_MOVE) ? is_attacked(p, p.black_king, 0) != 0
                                     : is_attacked(p, p.white_king, 1) != 0;
}

// The generators on one position: the evasions in check and the captures otherwise list
// only moves the full generator lists, and the evasions all of its legal ones.
int check_generators(Position& position, Bytes& bytes) {
    MoveList list;
    const int count = generate_moves(position, list);
    const std::vector<Move> legal = legal_set(position, list, count);

    PawnRecord record;
    AttackInfo attacks;
    int passer_flag = 0;
    const int exact = evaluate(position, record, -MATE, MATE, passer_flag, 0, attacks);
    require(exact > -MATE && exact < MATE);
    const int alpha = (bytes.take() << 8 | bytes.take()) % 6400 - 3200;
    const int beta = alpha + 1 + bytes.take() * 4;
    AttackInfo window_attacks;
    evaluate(position, record, alpha, beta, passer_flag, 0, window_attacks);

    MoveList other;
    if (side_in_check(position)) {
        int extension = 0;
        const int evasions = generate_evasions(position, other, attacks, extension);
        require(legal_set(position, other, evasions) == legal);
    } else {
        int any_check = 0;
        const int captures =
            generate_captures(position, other, attacks, bytes.take() & 1, any_check);
        for (Move m : legal_set(position, other, captures))
            require(std::binary_search(legal.begin(), legal.end(), m));
    }
    if (legal.empty()) return -1;
    return static_cast<int>(
        std::find(list.begin(), list.begin() + count, legal[bytes.take() % legal.size()]) -
        list.begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    if (size == 0) return 0;
    std::string text = fuzz_text(data, size);
    Position position{};
    read_fen(text.c_str(), position);
    char fen[FEN_BUFFER_SIZE];
    write_fen(position, fen);
    if (!position_is_usable(position)) return 0;

    hash_key = compute_hash_key(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    piece_counts = count_pieces(position);
    const Position root = position;
    Bytes bytes{data, size};
    for (int step = 0; step < WALK_PLIES; ++step) {
        MoveList list;
        generate_moves(position, list);
        const int chosen = check_generators(position, bytes);
        if (chosen < 0) break;
        ply = 0;
        require(make_move(position, list[chosen]) == 1);
        require(hash_key == compute_hash_key(position));
        require(pawn_hash_key == compute_pawn_hash_key(position));
        require(counts_equal(piece_counts, count_pieces(position)));
        write_fen(position, fen);
    }

    // A shallow search from the root, as the console would run it.
    position = root;
    const int depth = 1 + bytes.take() % 2;
    think(position, 0, depth, settings, 0);
    return 0;
}
