// Coordinate text of a move in the position it is about to be played in.
#include "board/move.h"

#include <cstring>

int move_to_text(const Position& position, Move move, char* buffer) {
    static constexpr const char* CASTLING_TEXT[4] = {"e1g1", "e1c1", "e8g8", "e8c8"};
    std::uint32_t kind = move_type(move);
    for (int i = 0; i < 4; ++i) {
        std::uint32_t castle =
            (i & 1 ? CASTLE_LONG : CASTLE_SHORT) + (i & 2 ? BLACK_KIND_OFFSET : 0);
        if (kind == castle) {
            std::memcpy(buffer, CASTLING_TEXT[i], 5);
            return 1;
        }
    }
    int a = move_from(move), b = move_to(move);
    bool black = (position.flags & BLACK_TO_MOVE) != 0;
    Bitboard own = black ? position.black_pieces : position.white_pieces;
    // The origin is whichever square holds a piece of the side to move.
    int from = (own & bit(a)) ? a : ((own & bit(b)) ? b : a);
    int to = from == a ? b : a;
    buffer[0] = static_cast<char>('a' + file_of(from));
    buffer[1] = static_cast<char>('1' + rank_of(from));
    buffer[2] = static_cast<char>('a' + file_of(to));
    buffer[3] = static_cast<char>('1' + rank_of(to));
    buffer[4] = 0;
    std::uint32_t t = move_type(move);
    std::uint32_t first = black ? PROMOTE_QUEEN + BLACK_KIND_OFFSET : PROMOTE_QUEEN;
    if (t >= first && t <= first + 3) {
        buffer[4] = "qrbn"[t - first];
        buffer[5] = 0;
    }
    return 1;
}
