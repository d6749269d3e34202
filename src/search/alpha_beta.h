// The full-width principal-variation search below the root, and the periodic interrupt check.
#pragma once

#include "board/move.h"
#include "board/position.h"

// Fail-soft score of the position at the current ply; depth in eighths of a ply. On a normal
// end with a legal move the best move is written to best_out; hint is the reply that refuted
// the previous sibling (0 for none).
int alpha_beta(Position& position, int alpha, int beta, int depth, Move& best_out, Move hint);

// Called every INTERRUPT_INTERVAL nodes of both searches, the first time one interval in: the
// hard time limit, the deadline and, in UCI mode, waiting input. Returns 0 to go on, nonzero
// (the reason) to stop.
int check_interrupt();
