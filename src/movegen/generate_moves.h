// The full pseudo-legal move generator (castling is generated only when fully legal).
#pragma once

#include "board/position.h"
#include "movegen/move_list.h"

// Fills list in the fixed order: en passant, pawn captures west then east, castling,
// knights, bishops, rooks, queens, single then double pushes, king. Returns the count.
int generate_moves(const Position& position, MoveList& list);
