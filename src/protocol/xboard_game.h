// The game an xboard interface plays: the current position, the record of the game's
// positions and their keys, the mode and the clock.
#pragma once

#include <string>
#include <vector>

#include "board/position.h"
#include "protocol/key_list.h"
#include "protocol/xboard_clock.h"

enum class XboardMode { NORMAL = 0, ANALYZE = 1, FORCE = 2 };

struct XboardGame {
    Position position = start_position;
    // Entry ply is always the current position; the record grows with the game.
    std::vector<Position> record{start_position};
    KeyList keys = keys_from(start_position);
    int ply = 0;
    XboardMode mode = XboardMode::NORMAL;
    XboardClock clock;
};

// "new": the start position as the record's only entry; the clock figures stay.
void game_new(XboardGame& game);
// "setboard": a usable position becomes a new record of its own (entry 0, ply 0); anything
// else is refused with false and the game stays as it was.
bool game_setboard(XboardGame& game, const std::string& fen);
// "undo" (1) and "remove" (2): back that many plies; nothing happens past the record's start.
void game_take_back(XboardGame& game, int plies);
// The current position, after a move was made on it, becomes the record's next entry.
void game_advance(XboardGame& game);
// The current position replaces the record's current entry (after "setboard" and the like).
void game_sync(XboardGame& game);
