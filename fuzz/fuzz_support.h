// What every fuzz target shares: the engine set up once (small tables, output to nowhere),
// the process-wide state put back before each input so that what an input does never
// depends on the inputs run before it, and input text handed over as a file or as the
// protocol loops' input. The targets run in build-fuzz/, where the engine writes its logs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "board/make_move.h"
#include "board/random.h"
#include "board/zobrist.h"
#include "eval/eval_weights.h"
#include "search/game_keys.h"
#include "search/root_search.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/engine_log.h"
#include "shell/input.h"
#include "shell/input_redirect.h"
#include "shell/output.h"
#include "shell/protocol_output.h"
#include "shell/settings.h"
#include "shell/startup.h"

// Tables of 1 MB: every search wipes them, and a larger wipe would dominate the run time.
constexpr std::int64_t FUZZ_HASH_MB = 1;
// A "Hash" option or an orlo.ini "hash" line asking for more is refused by the allocator
// and falls back, as it would on a machine short of memory.
constexpr std::uint64_t FUZZ_HASH_MEMORY_LIMIT = 8u << 20;

inline std::uint32_t& fuzz_start_random_state() {
    static std::uint32_t state = 0;
    return state;
}

// Once per process: start-up as the console does it, with the fuzz build's limits.
inline void fuzz_start() {
    static bool started = false;
    if (started) return;
    started = true;
    std::FILE* sink = std::fopen("/dev/null", "w");
    output_file = sink ? sink : std::tmpfile();
    init_engine_tables();
    hash_memory_limit = FUZZ_HASH_MEMORY_LIMIT;
    init_hash_tables(FUZZ_HASH_MB);
    fuzz_start_random_state() = random_state();
}

// Before each input: everything a previous input may have changed goes back to how
// fuzz_start left it.
inline void fuzz_reset() {
    fuzz_start();
    engine_log_release();
    close_protocol_log();
    // The files an input may have written go, rather than being truncated when next opened:
    // truncating a written file costs a flush to disk on ext4, far more than an input's run.
    for (const char* name : {ENGINE_LOG_NAME, "uci.txt", "winboard.txt", "poslog.txt"})
        std::remove(name);
    engine_log_create();
    protocol_mode = 0;
    pondering = 0;
    stop_flag = 0;
    ponder_move = 0;
    hold_bestmove = 0;
    last_search = SearchResult{};
    settings = EngineSettings{};
    eval_weights = DEFAULT_EVAL_WEIGHTS;
    const HashSizes sizes = hash_sizes_for(FUZZ_HASH_MB);
    if (main_entries != sizes.main_entries || qs_entries != sizes.qs_entries)
        init_hash_tables(FUZZ_HASH_MB);
    reset_root_moves();
    clear_key_history();
    set_random_state(fuzz_start_random_state());
    hash_key = 0;
    pawn_hash_key = 0;
    piece_counts = PieceCounts{};
    ply = 0;
    reset_input();
}

inline std::string fuzz_text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Writes the text to the named file in the working directory; false when it cannot.
inline bool fuzz_write_file(const char* name, const std::string& text) {
    std::remove(name);  // see fuzz_reset
    std::FILE* file = std::fopen(name, "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}
