#include "movegen/perft.h"

#include "board/make_move.h"
#include "movegen/generate_moves.h"

std::int64_t perft_nodes = 0;

int perft(Position& position, int depth) {
    const Position saved = position;
    MoveList list;
    const int count = generate_moves(saved, list);
    const int mover_is_black = (saved.flags & BLACK_TO_MOVE) ? 1 : 0;
    const Bitboard& mover_king = mover_is_black ? position.black_king : position.white_king;
    for (int i = 0; i < count; ++i) {
        make_move(position, list[i]);
        if (!is_attacked(position, mover_king, !mover_is_black)) {
            if (depth <= 1)
                ++perft_nodes;
            else
                perft(position, depth - 1);
        }
        position = saved;
    }
    return 1;
}
