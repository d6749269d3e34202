// The quiescence generator: captures, promotions and (on request) direct checking moves,
// with the check mark on moves that land where the moved piece attacks the enemy king.
#pragma once

#include "board/position.h"
#include "movegen/move_list.h"

struct AttackInfo;

// attack_info must be filled for this position (the evaluation does it). King captures of
// pieces the enemy's men defend are left out. Writes 1 to any_check_out when a listed move
// carries CHECK_MARK, else 0. Returns the count.
int generate_captures(const Position& position, MoveList& list, const AttackInfo& attack_info,
                      int with_checks, int& any_check_out);
