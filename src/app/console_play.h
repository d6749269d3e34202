// The console's playing commands: "go", "auto" and the engine's answer to a typed move.
#pragma once

#include "board/position.h"

constexpr int CONSOLE_MOVE_MS = 30000;  // "go" and the answer to a typed move
constexpr int AUTO_MOVE_MS = 5000;      // each move of "auto"

// The engine moves for the side to move.
void console_go(Position& current, int time_ms = CONSOLE_MOVE_MS);
// The engine answers a typed move, then names the reply it expects.
void console_answer(Position& current, int time_ms = CONSOLE_MOVE_MS);
// Self-play until the side to move has no legal move.
void console_auto(Position& current, int time_ms = AUTO_MOVE_MS);
