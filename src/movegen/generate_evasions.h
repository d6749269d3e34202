// The check evasion generator: captures of the checker, interpositions and king moves, by
// kind and number of checkers; the legality filter its callers pass the list through; and
// the test for any legal move at all.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "movegen/move_list.h"

struct AttackInfo;

// Double checks met by white (search statistics).
extern std::int32_t double_check_count;

// attack_info must be filled for this position. Writes 8 to
// extension_out on a double check and leaves it alone otherwise. Returns the count. Called
// without a check (which the search never does) it lists every pseudo-legal move.
int generate_evasions(const Position& position, MoveList& list, const AttackInfo& attack_info,
                      int& extension_out);

// Keeps, in order, the moves make_move accepts; restores the position after each and the
// keys and material counters at the end. Returns the number kept.
int legal_filter(Position& position, MoveList& moves, int count);

// Whether the side to move has a legal move (never without both kings). The keys, material
// counters and ply are put back afterwards.
bool any_legal_move(const Position& position);
