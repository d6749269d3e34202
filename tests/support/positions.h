// Test helpers for positions: FEN with keys and counters set as a search would, the legal
// moves by full generation, move texts, and the evaluation's attack record.
#pragma once

#include <string>
#include <vector>

#include "board/position.h"
#include "movegen/attack_info.h"
#include "movegen/move_list.h"

// Reads the FEN and sets hash_key, pawn_hash_key and piece_counts for it.
Position position_from_fen(const std::string& fen);
// Moves of generate_moves that make_move accepts, in generation order; globals kept.
std::vector<Move> legal_moves(const Position& position);
std::vector<std::string> move_texts(const Position& position, const std::vector<Move>& moves);
// The generated move with this text, 0 if none.
Move find_move(const Position& position, const std::string& text);
// Plays the legal moves given as text ("e2e4"); false if one is not legal.
bool play_moves(Position& position, const std::vector<std::string>& moves);
// The attack record a full-window evaluation leaves, which the generators and ordering read.
AttackInfo attack_maps(const Position& position);
