#include "movegen/perft.h"

#include "board/make_move.h"
#include "movegen/generate_moves.h"

std::int64_t perft_nodes = 0;

int perft(Position& position, int depth) {
    const Position saved = position;
    MoveList list;
    const int count = generate_moves(saved, list);
    for (int i = 0; i < count; ++i) {
        // make_move's own legality test: the mover's king is not attacked afterwards.
        if (make_move_unmarked(position, list[i])) {
            if (depth <= 1)
                ++perft_nodes;
            else
                perft(position, depth - 1);
        }
        position = saved;
    }
    return 1;
}
