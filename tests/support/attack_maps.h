// Test helpers for the generators: the attack record computed straight from the boards (the
// fields the generators and ordering read), positions with side to move set, and the legal
// moves by full generation.
#pragma once

#include <string>
#include <vector>

#include "board/position.h"
#include "eval/attack_info.h"
#include "movegen/move_list.h"

// Attack maps per piece kind, king zones, the all-attacks unions and the checkers.
AttackInfo attack_maps(const Position& position);
Position position_from(const std::string& fen);
// Moves of generate_moves that make_move accepts, in generation order.
std::vector<Move> legal_moves(const Position& position);
std::vector<std::string> move_texts(const Position& position, const std::vector<Move>& moves);
// Plays coordinate moves ("e2e4") from the position; false if one is not legal.
bool play_moves(Position& position, const std::vector<std::string>& moves);
