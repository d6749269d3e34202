// The program's one pseudo-random generator: a 32-bit linear congruential generator,
// state 1 at start, never reseeded. The Zobrist keys take its first draws; the book later.
#pragma once

#include <cstdint>

// Returns 0..32767.
int next_random();

// The generator's state, so that an in-process driver (the fuzz targets) can start every
// input from the same draws.
std::uint32_t random_state();
void set_random_state(std::uint32_t state);
