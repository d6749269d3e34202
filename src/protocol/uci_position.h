// The game a UCI interface sets up with "position": the position to search, how many moves
// the line played, and the keys of every position on the way (root last).
#pragma once

#include <string>

#include "board/position.h"
#include "protocol/key_list.h"

struct UciGame {
    Position position = start_position;
    int moves_played = 0;
    KeyList keys = keys_from(start_position);
};

// Carries out a "position" line and hands the keys to the search. A FEN that gives no
// usable position is refused: the game stays as it was and false is returned. Move tokens
// that match no move, or that would leave the mover's king attacked, are skipped.
bool apply_position(UciGame& game, const std::string& line);
