// The program's one pseudo-random generator: a 32-bit linear congruential generator,
// state 1 at start, never reseeded. The Zobrist keys take its first draws; the book later.
#pragma once

#include <cstdint>

// Returns 0..32767.
int next_random();
