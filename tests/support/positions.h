// Helpers shared by tests: positions from FEN with keys and counters set as a search would.
#pragma once

#include <string>
#include <vector>

#include "board/position.h"
#include "movegen/move_list.h"

// Reads the FEN and sets hash_key, pawn_hash_key and piece_counts for it.
Position position_from_fen(const std::string& fen);
// The texts of the legal moves, in generation order.
std::vector<std::string> legal_move_texts(const Position& position);
// Plays the move whose text is given (must be legal); returns false if none matches.
bool play_text_move(Position& position, const std::string& text);
