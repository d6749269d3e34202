#include "board/key_after.h"

#include "board/zobrist.h"

namespace {

// The piece a move of each colour-free kind below PROMOTE_QUEEN moves, and the piece each
// promotion makes.
constexpr PieceType MOVED[PROMOTE_QUEEN] = {PAWN, KNIGHT, BISHOP, ROOK, QUEEN, KING, PAWN};
constexpr PieceType PROMOTED[4] = {QUEEN, ROOK, BISHOP, KNIGHT};

template <Color C>
std::uint64_t key_after_for(const Position& p, Move move) {
    constexpr Color Them = opposite(C);
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    const int from = move_from(move), to = move_to(move);
    const std::uint32_t kind = base_kind(move);
    std::uint64_t key = hash_key ^ SIDE_KEY;
    if (kind < PROMOTE_QUEEN) {
        key ^= zobrist_of(C, MOVED[kind], from) ^ zobrist_of(C, MOVED[kind], to);
        if (kind == EN_PASSANT && (p.ep_square & bit(to)))
            key ^= zobrist_of(Them, PAWN, to - FORWARD);
    } else if (kind <= PROMOTE_KNIGHT) {
        key ^= zobrist_of(C, PAWN, from) ^ zobrist_of(C, PROMOTED[kind - PROMOTE_QUEEN], to);
    } else if (kind <= CASTLE_LONG) {
        const bool short_side = kind == CASTLE_SHORT;
        const int rook_from = short_side ? (C == WHITE ? 7 : 63) : (C == WHITE ? 0 : 56);
        const int rook_to = short_side ? (C == WHITE ? 5 : 61) : (C == WHITE ? 3 : 59);
        key ^= zobrist_of(C, KING, from) ^ zobrist_of(C, KING, to) ^
               zobrist_of(C, ROOK, rook_from) ^ zobrist_of(C, ROOK, rook_to);
    }
    const Bitboard target = bit(to);
    if (!(pieces_of<Them>(p) & target)) return key;
    // The captured piece, looked for in make_move's order.
    const Bitboard boards[6] = {board_of<Them, KING>(p),   board_of<Them, QUEEN>(p),
                                board_of<Them, ROOK>(p),   board_of<Them, BISHOP>(p),
                                board_of<Them, KNIGHT>(p), board_of<Them, PAWN>(p)};
    for (PieceType taken : {PAWN, KNIGHT, BISHOP, ROOK, QUEEN})
        if (boards[taken] & target) return key ^ zobrist_of(Them, taken, to);
    return key;
}

}  // namespace

std::uint64_t key_after(const Position& position, Move move) {
    return (position.flags & BLACK_TO_MOVE) ? key_after_for<BLACK>(position, move)
                                            : key_after_for<WHITE>(position, move);
}
