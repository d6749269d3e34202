// The evaluation test: how well the static evaluation predicts the search scores recorded
// in orlotest.txt, compared with the scores an earlier evaluation gave; and the reading of
// orlotest.txt lines that the search test suite shares.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "board/position.h"

// Longer lines are read to their end; only this much of them is kept.
constexpr std::size_t MAX_TEST_LINE = 4096;

// One line of a test file, without its line end; false at the end of the file.
bool read_test_line(std::FILE* file, std::string& line);

// The exact static evaluation of the position (side to move's view), with the pawn key and
// the material counters set from it first, as the search would have them.
int test_evaluation(const Position& position);

// Reads one test line: placement, side, castling, en passant (ignored), two counters
// (ignored), old score, search score. Returns 1 when the line held all eight words, 0
// otherwise (the outputs are then still filled from the words that were there).
int parse_test_line(std::string_view text, Position& position, int& old_score, int& search_score);

// Runs the test on orlotest.txt in the working directory and prints one line per used
// position and three summary lines. Returns 0, printing nothing, when the file is missing.
int run_eval_test();
