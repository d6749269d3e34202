// The referee of games between two engine processes: it plays the GUI's part in UCI or in
// xboard, keeps both clocks, checks every move with the engine's own generator and every
// line the engines send against the protocol's forms, and reports how the game ended and
// every fault it saw (crashes, hangs, illegal moves, malformed lines, clock overruns).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class RefereeProtocol { UCI, XBOARD };

struct RefereeSetup {
    std::string engine;     // the engine program
    std::string directory;  // existing; the engines work in <directory>/white and /black
    RefereeProtocol protocol = RefereeProtocol::UCI;
    int base_ms = 2000;     // each side's clock at the start
    int increment_ms = 20;  // added after each move
    // Above 0: a fixed time a move instead of the clocks (UCI "go movetime"; xboard "st", which
    // counts whole seconds, so a multiple of 1000 there). A move that takes longer overruns.
    int movetime_ms = 0;
    bool count_overruns = true;        // false: the clocks are kept but never judged (tests)
    int ply_limit = 600;               // the game is adjudicated a draw after this many plies
    int grace_ms = 10000;              // silence this long past the mover's clock is a hang
    std::vector<std::string> opening;  // coordinate moves played before the engines take over
};

struct GameReport {
    std::string result = "*";  // "1-0", "0-1", "1/2-1/2"; "*" when a fault cut it short
    std::string reason;        // "checkmate", "stalemate", "repetition", ... or the fault
    std::string moves;         // the whole game in coordinate text, opening included
    int plies = 0;             // plies the engines played
    int crashes = 0;
    int hangs = 0;
    int illegal_moves = 0;
    int malformed_lines = 0;
    int clock_overruns = 0;
    std::int64_t least_clock_ms = INT64_MAX;  // the least time a side had left after a move
                                              // (of its clock, or of the fixed move time)
    std::int64_t longest_move_ms = 0;         // the longest single move
    std::int64_t think_ms = 0;                // both engines' thinking time
    std::vector<std::string> faults;          // one line per fault
};

// Plays one game, the engines started fresh and ended with "quit" when it is over.
GameReport referee_game(const RefereeSetup& setup);

// The opening lines of a file: one line of coordinate moves each; a word that is not a move
// (a count, a "#" comment) ends the line; at most max_plies moves of each are kept.
std::vector<std::vector<std::string>> read_openings(const std::string& path, int max_plies);
