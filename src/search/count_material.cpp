#include "search/count_material.h"

#include "board/make_move.h"

void count_material(const Position& position) {
    piece_counts = count_pieces(position);
}
