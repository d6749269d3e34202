#include "shell/startup.h"

#include "board/bitboard.h"
#include "board/zobrist.h"
#include "eval/eval_tables.h"
#include "eval/pawn_table.h"

void init_engine_tables() {
    static bool done = false;
    if (done) return;
    done = true;
    init_attack_tables();
    init_eval_tables();
    // The hash-table set-up will take over the keys and the pawn table.
    init_zobrist();
    init_pawn_table();
    init_magic_tables();
}
