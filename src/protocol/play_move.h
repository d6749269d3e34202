// Playing a move given as coordinate text ("e2e4", "e7e8q") on a game's position: the move
// must be one the generator lists and must not leave the mover's own king attacked.
#pragma once

#include <string>

#include "board/position.h"

// Which of several moves with the same text counts (UCI takes the first, xboard the last).
enum class MatchRule { FIRST, LAST };

// Plays the move and returns true; returns false, changing nothing, when the text matches no
// generated move or the move would leave the own king attacked. The global keys and
// material counters that make_move touches are restored either way.
bool play_move_text(Position& position, const std::string& text, MatchRule rule);
