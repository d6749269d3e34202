// The settings file orlo.ini: the record every search is handed, and its reader.
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

constexpr const char* SETTINGS_FILE_NAME = "orlo.ini";

// Reads orlo.ini from the working directory into `settings`, printing one message per key.
// Returns 1 when the file was read, 0 when it could not be opened (nothing printed then).
int read_settings();
// The same for a named file.
int read_settings_file(const char* name);
