// The root search: the persistent list of legal root moves, one iteration over it inside a
// window, the soft time check between moves, progress lines, reordering and the easy move.
#pragma once

#include <array>
#include <cstdint>

#include "board/move.h"
#include "board/position.h"
#include "movegen/move_list.h"

// The legal root moves in search order, each with its index in the full generator's list.
extern MoveList root_moves;
extern std::array<std::int32_t, MAX_MOVES> root_move_index;
extern int root_count;
// The position root_moves was built for (valid once root_list_valid is set).
extern Position root_position;
extern int root_list_valid;

// Forgets the root list, as at start-up: the next search rebuilds and reorders it.
void reset_root_moves();

// Scores and sorts root_moves for a new root position.
void root_order(const Position& position);

// One iteration at depth (eighths of a ply). Writes the best move to best_out (also when cut
// short) and, when the move loop ends normally, the easy-move verdict to easy_out. Returns
// the best score.
int root_search(Position& position, int alpha, int beta, int depth, Move& best_out, int& easy_out);

// Text of a score for UCI lines: "cp V", or "mate N" / "mate -N" beyond +-30000.
void uci_score_text(int value, char* text, int size);
