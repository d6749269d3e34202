#include "shell/startup.h"

#include "board/bitboard.h"
#include "board/zobrist.h"
#include "book/book.h"

void init_engine_tables() {
    static bool done = false;
    if (done) return;
    done = true;
    init_attack_tables();
    init_zobrist();
    load_book();
    init_magic_tables();
}
