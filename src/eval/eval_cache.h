// The search's evaluation cache: a position evaluated again (after a re-search, at a
// transposition, in the shallower search that picks a first move) is answered from what its
// first evaluation recorded, with the same value for any window and the attack maps the
// move generators and the ordering read.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "movegen/attack_info.h"

// Allocates the cache (once); without memory for it every call evaluates afresh.
void init_eval_cache();
// Forgets every entry: the weights may change between searches.
void clear_eval_cache();
// Starts fetching the entry of the position with this hash key.
void prefetch_eval_entry(std::uint64_t key);

// evaluate for the search, for the position of the current `hash_key`: the same value,
// passer flags and counters. Of `attack_info` only the maps of the side not to move are sure
// to be filled (pawn, knight, bishop, rook, king zone, all attacks, checkers), which is what
// the capture and evasion generators and the move ordering read.
int evaluate_for_search(const Position& position, int alpha, int beta, int& passer_flag_out,
                        AttackInfo& attack_info);
