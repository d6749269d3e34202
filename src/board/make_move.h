// Making a move in place (copy-make: callers keep the copy) and the attack test.
#pragma once

#include <array>
#include <cstdint>

#include "board/move.h"
#include "board/position.h"
#include "board/zobrist.h"

constexpr int MAX_PLY = 39;

// The twelve material counters, kept together so callers save and restore them as one block.
struct PieceCounts {
    std::int32_t white_pawn_count;
    std::int32_t white_knight_count;
    std::int32_t white_bishop_count;
    std::int32_t white_rook_count;
    std::int32_t white_queen_count;
    std::int32_t black_pawn_count;
    std::int32_t black_knight_count;
    std::int32_t black_bishop_count;
    std::int32_t black_rook_count;
    std::int32_t black_queen_count;
    std::int32_t white_piece_count;  // knights + bishops + rooks + queens
    std::int32_t black_piece_count;
};
extern PieceCounts piece_counts;

// Colour-generic access to the counters of pawns .. queens, and to the piece total.
template <Color C, PieceType P>
constexpr std::int32_t& count_of(PieceCounts& c) {
    static_assert(P != KING);
    using Count = std::int32_t PieceCounts::*;
    constexpr Count FIELDS[2][PAWN + 1] = {
        {nullptr, &PieceCounts::white_queen_count, &PieceCounts::white_rook_count,
         &PieceCounts::white_bishop_count, &PieceCounts::white_knight_count,
         &PieceCounts::white_pawn_count},
        {nullptr, &PieceCounts::black_queen_count, &PieceCounts::black_rook_count,
         &PieceCounts::black_bishop_count, &PieceCounts::black_knight_count,
         &PieceCounts::black_pawn_count}};
    return c.*FIELDS[C][P];
}
template <Color C, PieceType P>
constexpr std::int32_t count_of(const PieceCounts& c) {
    return count_of<C, P>(const_cast<PieceCounts&>(c));
}
template <Color C>
constexpr std::int32_t& piece_total_of(PieceCounts& c) {
    return C == WHITE ? c.white_piece_count : c.black_piece_count;
}
template <Color C>
constexpr std::int32_t piece_total_of(const PieceCounts& c) {
    return C == WHITE ? c.white_piece_count : c.black_piece_count;
}

// The copy-make frame: the position, both keys and the counters as they stood before a move,
// put back after it (the per-ply entries are left to the caller).
struct SavedBoard {
    Position position;
    std::uint64_t key;
    std::uint64_t pawn_key;
    PieceCounts counts;
};
inline SavedBoard save_board(const Position& position) {
    return {position, hash_key, pawn_hash_key, piece_counts};
}
inline void restore_board(Position& position, const SavedBoard& saved) {
    position = saved.position;
    hash_key = saved.key;
    pawn_hash_key = saved.pawn_key;
    piece_counts = saved.counts;
}

// Counters recomputed from the boards.
PieceCounts count_pieces(const Position& position);

// The search's current ply; make_move reads it to index the per-ply arrays.
extern int ply;
// What make_move leaves per ply for the search's extensions and ordering to read.
struct PlyEntries {
    std::array<std::int32_t, MAX_PLY + 1> capture_square;  // -1 when no capture
    std::array<std::int32_t, MAX_PLY + 1> captured_value;  // 0, 1, 3, 3, 5, 9
    std::array<Bitboard, MAX_PLY + 1> pawn_push;           // advanced pawn destination
    std::array<std::int32_t, MAX_PLY + 2> in_check;        // side to move at ply is in check
};
extern PlyEntries ply_entries;

// Applies the move; returns 1 if legal (own king not attacked), 0 otherwise. Either way the
// position, keys, counters and per-ply entries have changed; the caller restores them.
int make_move(Position& position, Move move);
// Perft's make_move for C to move: the position alone (keys, counters and per-ply entries are
// left as they were) and no check test for the next ply; returns legality as make_move does.
template <Color C>
int make_move_unmarked_as(Position& position, Move move);
// (For a move known legal, make_legal_move_as in make_move_for.h.)

// Is the lowest square of target attacked by black (by_black = 1) or white? 0 for empty.
int is_attacked(const Position& position, Bitboard target, int by_black);
// Is the side to move in check? (Never without a king.)
inline bool side_to_move_in_check(const Position& p) {
    return (p.flags & BLACK_TO_MOVE) ? is_attacked(p, p.black_king, 0) != 0
                                     : is_attacked(p, p.white_king, 1) != 0;
}

template <Color By>
bool square_attacked(const Position& position, int square);
