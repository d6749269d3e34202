// What every fuzz target shares: the engine set up once (small tables, output to nowhere),
// the process-wide state put back before each input so that what an input does never
// depends on the inputs run before it, and input text handed over as a file or as the
// protocol loops' input. The targets run in build-fuzz/, where the engine writes its logs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/settings.h"
#include "app/startup.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/engine_log.h"
#include "shell/input.h"
#include "shell/output.h"
#include "shell/protocol_output.h"
#include "testsupport/input_redirect.h"

// Tables of 1 MB: every search wipes them, and a larger wipe would dominate the run time.
constexpr std::int64_t FUZZ_HASH_MB = 1;
// A "Hash" option or an orlo.ini "hash" line asking for more is refused by the allocator
// and falls back, as it would on a machine short of memory.
constexpr std::uint64_t FUZZ_HASH_MEMORY_LIMIT = 8u << 20;

inline std::FILE*& fuzz_null_output() {
    static std::FILE* sink = nullptr;
    return sink;
}

// Once per process: start-up as the console does it, with the fuzz build's limits.
inline void fuzz_start() {
    static bool started = false;
    if (started) return;
    started = true;
    std::FILE* sink = std::fopen("/dev/null", "w");
    fuzz_null_output() = sink ? sink : std::tmpfile();
    output_file = fuzz_null_output();
    init_engine_tables();
    hash_memory_limit = FUZZ_HASH_MEMORY_LIMIT;
    init_hash_tables(FUZZ_HASH_MB);
}

// Before each input: everything a previous input may have changed goes back to how
// fuzz_start left it.
inline void fuzz_reset() {
    fuzz_start();
    output_file = fuzz_null_output();
    reset_engine_state();
    engine_log_release();
    // The files an input may have written go, rather than being truncated when next opened:
    // truncating a written file costs a flush to disk on ext4, far more than an input's run.
    for (const char* name : {ENGINE_LOG_NAME, "uci.txt", "winboard.txt", "poslog.txt"})
        std::remove(name);
    engine_log_create();
    const HashSizes sizes = hash_sizes_for(FUZZ_HASH_MB);
    if (main_entries != sizes.main_entries || qs_entries != sizes.qs_entries)
        init_hash_tables(FUZZ_HASH_MB);
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

// Collects everything the engine writes while it lives, in a fresh temporary file (a new
// file each time: see fuzz_reset).
struct FuzzOutput {
    std::FILE* file = std::tmpfile();
    FuzzOutput() {
        if (file) output_file = file;
    }
    ~FuzzOutput() {
        output_file = fuzz_null_output();
        if (file) std::fclose(file);
    }
    std::string text() {
        std::string result;
        if (!file) return result;
        std::fflush(file);
        std::rewind(file);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            result.append(buffer, n);
        return result;
    }
};

// Every line of the output must pass `form`; the first that does not is shown and trapped.
template <typename Form>
void fuzz_require_lines(const std::string& output, Form form) {
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        const std::string line = output.substr(start, end - start);
        if (!form(line)) {
            std::fprintf(stderr, "malformed line: \"%s\"\n", line.c_str());
            __builtin_trap();
        }
        start = end + 1;
    }
}
