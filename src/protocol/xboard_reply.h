// The engine's moves in the xboard loop: the reply to the opponent's move (with its
// planning line) and the move after "go"; and the game's end when no move is left.
#pragma once

#include <cstdio>
#include <string>

#include "protocol/xboard_game.h"
#include "search/engine_settings.h"

// Answers the move just played: plans the budget (the planning line goes to plan_log when
// there is one), searches, and records the engine's move. With no legal move left the result
// is announced instead.
void engine_reply(XboardGame& game, std::FILE* plan_log);
// "go": the engine moves now for the side to move.
void engine_go(XboardGame& game);

// The result line when the side to move has no legal move ("" while it has one).
std::string game_result(const Position& position);

// "bk": book use on when it was off, off otherwise.
void toggle_book(EngineSettings& engine_settings);
