#include "app/startup.h"

#include "board/bitboard.h"
#include "book/book.h"
#include "eval/eval_tables.h"
#include "movegen/square_pairs.h"
#include "search/trans_table.h"

void init_engine_tables() {
    static bool done = false;
    if (done) return;
    done = true;
    init_attack_tables();
    init_square_pairs();
    init_eval_tables();
    // Its first call draws the Zobrist keys and allocates the pawn table.
    init_hash_tables(32);
    // The book needs the keys but not the magic tables.
    load_book();
    init_magic_tables();
}
