// Start-up: the tables every part of the engine reads, built in their fixed order.
#pragma once

// Builds every start-up table in order (attack tables, square-pair tables, evaluation tables,
// hash tables with the Zobrist keys, opening book, magic tables). Printing and the settings
// file are the console's; this is also what tests and tools call. Safe to call more than once.
void init_engine_tables();
