// The keys of a game's positions as a protocol loop keeps them (any length), and their
// hand-over to the search's repetition history.
#pragma once

#include <cstdint>
#include <vector>

#include "board/position.h"

using KeyList = std::vector<std::uint64_t>;

// Replaces key_history with the list (root last); only the newest keys are kept when the
// list is longer than the history's capacity.
void publish_keys(const KeyList& keys);

// A list holding the key of position alone.
KeyList keys_from(const Position& position);
