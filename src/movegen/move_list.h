// The caller-owned move list that generators fill from index 0.
#pragma once

#include <array>

#include "board/move.h"

// No position can exceed this: a piece has at most 27 destinations and there are 64 squares,
// so even boards no game can reach (a FEN full of queens) stay inside.
constexpr int MAX_MOVES = 2048;
using MoveList = std::array<Move, MAX_MOVES>;
