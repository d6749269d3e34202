#include "app/startup.h"

#include <cstdint>

#include "board/bitboard.h"
#include "board/make_move.h"
#include "board/random.h"
#include "board/zobrist.h"
#include "book/book.h"
#include "eval/eval_cache.h"
#include "eval/eval_tables.h"
#include "eval/eval_weights.h"
#include "movegen/square_pairs.h"
#include "search/engine_settings.h"
#include "search/game_keys.h"
#include "search/root_search.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/input.h"
#include "shell/protocol_output.h"

namespace {

// The random generator's state once the tables are built: the book's draws start here.
std::uint32_t start_random_state = 0;

}  // namespace

void init_engine_tables() {
    static bool done = false;
    if (done) return;
    done = true;
    init_attack_tables();
    init_square_pairs();
    init_eval_tables();
    init_eval_cache();
    // Its first call draws the Zobrist keys and allocates the pawn table.
    init_hash_tables(32);
    // The book needs the keys but not the magic tables.
    load_book();
    init_magic_tables();
    start_random_state = random_state();
}

void reset_engine_state() {
    init_engine_tables();
    protocol_mode = CONSOLE_MODE;
    close_protocol_log();
    reset_input();
    search_flags = SearchFlags{};
    last_search = SearchResult{};
    settings = EngineSettings{};
    eval_weights = DEFAULT_EVAL_WEIGHTS;
    clear_eval_cache();
    reset_root_moves();
    clear_key_history();
    set_random_state(start_random_state);
    hash_key = 0;
    pawn_hash_key = 0;
    piece_counts = PieceCounts{};
    ply = 0;
}
