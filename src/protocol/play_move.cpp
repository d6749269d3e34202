#include "protocol/play_move.h"

#include "board/make_move.h"
#include "board/move.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"

namespace {

// make_move changes globals besides the position; the protocol loops only want the position.
struct SavedGlobals {
    std::uint64_t key = hash_key;
    std::uint64_t pawn_key = pawn_hash_key;
    PieceCounts counts = piece_counts;
    int saved_ply = ply;
    void restore() const {
        hash_key = key;
        pawn_hash_key = pawn_key;
        piece_counts = counts;
        ply = saved_ply;
    }
};

// Plays move on a copy; returns whether it was legal, leaving the result in `after`.
bool try_move(const Position& position, Move move, Position& after) {
    SavedGlobals saved;
    ply = 0;
    hash_key = compute_hash_key(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    piece_counts = count_pieces(position);
    after = position;
    bool legal = make_move(after, move) != 0;
    saved.restore();
    return legal;
}

}  // namespace

bool play_move_text(Position& position, const std::string& text, MatchRule rule) {
    if (text.empty() || text.size() > 5) return false;
    MoveList list;
    int count = generate_moves(position, list);
    int match = -1;
    char buffer[8];
    for (int i = 0; i < count; ++i) {
        move_to_text(position, list[i], buffer);
        if (text == buffer) {
            match = i;
            if (rule == MatchRule::FIRST) break;
        }
    }
    if (match < 0) return false;
    Position after;
    if (!try_move(position, list[match], after)) return false;
    position = after;
    return true;
}

bool has_legal_move(const Position& position) {
    MoveList list;
    int count = generate_moves(position, list);
    Position after;
    for (int i = 0; i < count; ++i)
        if (try_move(position, list[i], after)) return true;
    return false;
}

bool mover_in_check(const Position& position) {
    if (position.flags & BLACK_TO_MOVE) return is_attacked(position, position.black_king, 0);
    return is_attacked(position, position.white_king, 1);
}

bool positions_equal(const Position& a, const Position& b) {
    return a.black_king == b.black_king && a.black_queens == b.black_queens &&
           a.black_rooks == b.black_rooks && a.black_bishops == b.black_bishops &&
           a.black_knights == b.black_knights && a.black_pawns == b.black_pawns &&
           a.white_king == b.white_king && a.white_queens == b.white_queens &&
           a.white_rooks == b.white_rooks && a.white_bishops == b.white_bishops &&
           a.white_knights == b.white_knights && a.white_pawns == b.white_pawns &&
           a.white_pieces == b.white_pieces && a.black_pieces == b.black_pieces &&
           a.ep_square == b.ep_square && a.flags == b.flags;
}
