// The four generator-wide globals, set on entry by every generator and read by the
// per-piece routines until the next generator call.
#pragma once

#include "board/bitboard.h"

extern Bitboard gen_own;       // pieces of the side to move
extern Bitboard gen_enemy;     // pieces of the other side
extern Bitboard gen_occupied;  // both
extern Bitboard gen_empty;     // complement of gen_occupied
