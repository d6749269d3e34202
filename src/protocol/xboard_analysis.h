// xboard analysis: the search of the game's position without a limit, sending its thinking
// output and never a move, until input that ends the analysis arrives.
#pragma once

#include "protocol/xboard_game.h"

// Analyses the current position (the game is not changed). The search ends when a line that
// ends the analysis waits (a move, "undo", "new", "setboard", "exit", "quit"), when the input
// ends, or by its own rules (a mate found, the deepest iteration, a single legal move).
// Returns true when waiting input ended it: the loop then reads that input and, still in
// analyze mode, analyses again.
bool analyse_position(const XboardGame& game);
