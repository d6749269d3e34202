#include "movegen/generate_evasions.h"

#include "board/zobrist.h"
#include "movegen/attack_info.h"
#include "movegen/generate_moves.h"
#include "movegen/piece_moves.h"
#include "movegen/square_pairs.h"

std::int32_t double_check_count = 0;

namespace {

using namespace piece_moves;

template <Color C>
int generate_for(const Position& p, MoveList& list, const AttackInfo& info, int& extension_out) {
    constexpr Color Them = opposite(C);
    set_generator_state<C>(p);
    const Bitboard checkers = map_of<Them, CHECKERS>(info);
    const Bitboard attacked = map_of<Them, ALL_ATTACKS>(info);
    const int k = lowest_square(board_of<C, KING>(p));
    if (popcount(checkers) >= 2) {
        extension_out = 8;
        if constexpr (C == WHITE) ++double_check_count;
        return add_piece_moves<C, KING>(p, list, 0, ~attacked, 0);
    }
    const Bitboard king_safe = ~(attacked | map_of<Them, KING>(info));
    if (checkers & (board_of<Them, PAWN>(p) | board_of<Them, KNIGHT>(p))) {
        int n = add_pawn_captures<C>(p, list, 0, checkers);
        n = add_piece_moves<C, KNIGHT>(p, list, n, checkers, 0);
        n = add_piece_moves<C, BISHOP>(p, list, n, checkers, 0);
        n = add_piece_moves<C, ROOK>(p, list, n, checkers, 0);
        n = add_piece_moves<C, QUEEN>(p, list, n, checkers, 0);
        return add_piece_moves<C, KING>(p, list, n, king_safe, 0);
    }
    const int s = lowest_square(checkers);
    const Bitboard targets = checkers | between[k][s];
    int n = add_pawn_captures<C>(p, list, 0, targets);
    n = add_piece_moves<C, KNIGHT>(p, list, n, targets, 0);
    n = add_piece_moves<C, BISHOP>(p, list, n, targets, 0);
    n = add_piece_moves<C, ROOK>(p, list, n, targets, 0);
    n = add_piece_moves<C, QUEEN>(p, list, n, targets, 0);
    n = add_pawn_pushes<C>(p, list, n, targets, 0);
    return add_piece_moves<C, KING>(p, list, n, king_safe & line_exclusion[k][s], 0);
}

}  // namespace

int generate_evasions(const Position& position, MoveList& list, const AttackInfo& attack_info,
                      int& extension_out) {
    const bool black = (position.flags & BLACK_TO_MOVE) != 0;
    const Bitboard own_king = black ? position.black_king : position.white_king;
    const Bitboard checkers = black ? attack_info.white_checkers : attack_info.black_checkers;
    // Not in check (or no king): every pseudo-legal move is a candidate.
    if (!own_king || !checkers) return generate_moves(position, list);
    return black ? generate_for<BLACK>(position, list, attack_info, extension_out)
                 : generate_for<WHITE>(position, list, attack_info, extension_out);
}

int legal_filter(Position& position, MoveList& moves, int count) {
    const SavedBoard saved = save_board(position);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const Move move = moves[i];
        if (make_move(position, move)) moves[kept++] = move;
        position = saved.position;
    }
    restore_board(position, saved);
    return kept;
}

bool any_legal_move(const Position& position) {
    if (!position.white_king || !position.black_king) return false;
    Position copy = position;
    const SavedBoard saved = save_board(copy);
    const int saved_ply = ply;
    ply = 0;
    MoveList moves;
    const int count = generate_moves(copy, moves);
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        found = make_move(copy, moves[i]) != 0;
        restore_board(copy, saved);
    }
    ply = saved_ply;
    return found;
}
