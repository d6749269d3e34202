// Running engine parts in-process: their output captured, a working directory for the files
// they write, and the search from the state of a freshly started engine.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "board/position.h"
#include "search/engine_settings.h"
#include "shell/protocol_output.h"

// Collects everything `out` writes between construction and text().
struct CapturedOutput {
    CapturedOutput();
    ~CapturedOutput();
    std::string text();

    std::FILE* file;
    std::FILE* previous;
};

// Makes `dir` the working directory for the guard's lifetime (orlo.txt is written there).
struct InDirectory {
    std::filesystem::path saved = std::filesystem::current_path();
    explicit InDirectory(const std::string& dir) { std::filesystem::current_path(dir); }
    ~InDirectory() { std::filesystem::current_path(saved); }
};

// The state of a freshly started engine (reset_engine_state), in the given mode.
void fresh_search_state(ProtocolMode mode = CONSOLE_MODE);

struct SearchRun {
    int returned;
    std::string output;
    Position after;  // the position think left (the move made in console and xboard modes)
};
// think on the position with the given limits and settings, output captured; `ponder` is the
// pondering flag it starts with.
SearchRun run_think(const Position& position, int time_ms, int depth,
                    const EngineSettings& search_settings = EngineSettings{},
                    ProtocolMode mode = CONSOLE_MODE, int ponder = 0);

// The node count (alpha-beta and quiescence) at the end of each iteration, read from think's
// console output.
std::vector<std::int64_t> iteration_node_totals(const std::string& console_output);

// The positions of a game from the FEN through the moves (coordinate text), root last.
std::vector<Position> game_from(const std::string& fen, const std::vector<std::string>& moves);
// think to a fixed depth on the game's last position, in console mode, from a freshly started
// engine that was told the game (every position's key in the game history), output captured.
SearchRun run_game_think(const std::vector<Position>& game, int depth,
                         const EngineSettings& search_settings = EngineSettings{});

// Whether the tables have the sizes a freshly started engine gives them, for which counts
// of nodes are pinned (a test that resizes them runs in a process of its own under ctest).
bool tables_as_at_start_up();

// Does the side to move force mate within `moves` of its own moves, starting with `first`
// (or with any move when first is 0)? Brute force; for small positions only.
bool forces_mate(const Position& position, int moves, std::uint32_t first = 0);
