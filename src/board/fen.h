// FEN in and out (placement, side and castling only), and the board diagram.
#pragma once

#include <string>

#include "board/position.h"

// Room for write_fen: 84 characters for a consistent position, more for overlapping boards.
constexpr int FEN_BUFFER_SIZE = 800;

// Fills the whole position from FEN text; never fails: unknown characters are skipped,
// missing fields count as empty (black to move, no castling), en passant is ignored.
int read_fen(const char* text, Position& position);
// Writes placement, side, castling and the fixed tail " - 0 0".
int write_fen(const Position& position, char* buffer);
// The diagram with the castling line, on the engine's output.
int print_board(const Position& position);
// The same diagram without the castling line, into orlo.txt.
int log_board(const Position& position);
// The diagram's text (shared by the two printers).
std::string board_diagram(const Position& position, bool with_castling);
