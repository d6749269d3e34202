// The evaluation test: how well the static evaluation predicts the search scores recorded
// in orlotest.txt, compared with the scores an earlier evaluation gave.
#pragma once

#include <string_view>

#include "board/position.h"

// Reads one test line: placement, side, castling, en passant (ignored), two counters
// (ignored), old score, search score. Returns 1 when the line held all eight words, 0
// otherwise (the outputs are then still filled from the words that were there).
int parse_test_line(std::string_view text, Position& position, int& old_score, int& search_score);

// Runs the test on orlotest.txt in the working directory and prints one line per used
// position and three summary lines. Returns 0, printing nothing, when the file is missing.
int run_eval_test();
