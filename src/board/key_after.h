// The hash key a move would give, worked out without making the move (for prefetching the
// child's table entries before the move is made).
#pragma once

#include <cstdint>

#include "board/move.h"
#include "board/position.h"

// hash_key after `move` from `position`, as make_move would leave it (legal or not).
std::uint64_t key_after(const Position& position, Move move);
