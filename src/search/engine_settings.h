// The engine settings: the record every search is handed, and the one the console and the
// protocols hand it (filled from orlo.ini, changed by xboard's "bk", "hard" and "easy").
#pragma once

#include <cstdint>

struct EngineSettings {
    std::int32_t hash;       // table size in MB; 0 = the start-up sizes
    std::int32_t book;       // 1: ask the opening book before searching
    std::int32_t resign;     // not 0: resign when the score is very bad
    std::int32_t ponder;     // stored only
    std::int32_t drawclaim;  // stored only
    std::int32_t easymove;   // copied into the search: allow the easy-move stop
    std::int32_t contempt;   // copied into the search: value of a repetition for the root side
};

// All zero until orlo.ini is read (and when there is none).
extern EngineSettings settings;
