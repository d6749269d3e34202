// Start-up: the tables every part of the engine reads, built in their fixed order; and the
// way back to a freshly started engine's state.
#pragma once

// Builds every start-up table in order (attack tables, square-pair tables, evaluation tables,
// hash tables with the Zobrist keys, opening book, magic tables). Printing and the settings
// file are the console's; this is also what tests and tools call. Safe to call more than once.
void init_engine_tables();

// Puts the process-wide state back as a freshly started engine has it, so that a search or a
// session does the same whatever ran before it in the process: console mode, no protocol log,
// no buffered input, the search flags, the last result, the settings and evaluation weights,
// the root move list, the game's keys, the random generator, the keys and material counters.
// The tables keep their size (every search clears them); output and the engine log are the
// caller's. Builds the start-up tables first if that has not been done.
void reset_engine_state();
