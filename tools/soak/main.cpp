// soak: Orlo plays itself many games through UCI and through xboard at a bullet control or
// at a fixed time a move, refereed move by move, and the faults are counted: crashes, hangs,
// illegal moves, malformed lines and clock overruns (a move past its fixed time is one).
// Exit status 0 only when there were none.
//
//   soak ENGINE [--games N] [--protocol uci|xboard|both] [--base MS] [--inc MS]
//               [--movetime MS] [--openings FILE] [--plies N] [--dir DIR] [--keep]
//
// --movetime plays every move in that time instead of on the clocks: UCI "go movetime",
// xboard "st", which counts whole seconds (so a multiple of 1000 for xboard games).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/startup.h"
#include "shell/clock.h"
#include "testsupport/referee.h"

namespace {

constexpr int OPENING_PLIES = 8;

struct Options {
    std::string engine;
    int games = 100;
    std::string protocol = "both";
    int base_ms = 2000;
    int increment_ms = 20;
    int movetime_ms = 0;  // 0: the clocks
    std::string openings;
    int ply_limit = 600;
    std::string dir = "soak-games";
    bool keep = false;  // keep every game's directory, not only those with faults
};

struct Totals {
    int games = 0;
    int plies = 0;
    int crashes = 0, hangs = 0, illegal_moves = 0, malformed_lines = 0, clock_overruns = 0;
    std::int64_t least_clock_ms = INT64_MAX;
    std::int64_t longest_move_ms = 0;
    std::int64_t think_ms = 0;
    std::map<std::string, int> results;
    std::map<std::string, int> reasons;
    std::vector<std::string> faults;

    int fault_count() const {
        return crashes + hangs + illegal_moves + malformed_lines + clock_overruns;
    }
};

bool parse_options(int argc, char** argv, Options& o) {
    if (argc < 2) return false;
    o.engine = argv[1];
    for (int i = 2; i < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--keep") {
            o.keep = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[i + 1];
        if (key == "--games")
            o.games = std::atoi(value);
        else if (key == "--protocol")
            o.protocol = value;
        else if (key == "--base")
            o.base_ms = std::atoi(value);
        else if (key == "--inc")
            o.increment_ms = std::atoi(value);
        else if (key == "--movetime")
            o.movetime_ms = std::atoi(value);
        else if (key == "--openings")
            o.openings = value;
        else if (key == "--plies")
            o.ply_limit = std::atoi(value);
        else if (key == "--dir")
            o.dir = value;
        else
            return false;
    }
    const bool xboard_games = o.protocol != "uci";
    return o.games > 0 && o.base_ms > 0 && o.increment_ms >= 0 && o.movetime_ms >= 0 &&
           (!xboard_games || o.movetime_ms % 1000 == 0) &&
           (o.protocol == "uci" || o.protocol == "xboard" || o.protocol == "both");
}

Totals run_games(const Options& o, RefereeProtocol protocol,
                 const std::vector<std::vector<std::string>>& openings) {
    const char* name = protocol == RefereeProtocol::UCI ? "uci" : "xboard";
    Totals t;
    const double start = clock_ms_precise();
    for (int game = 0; game < o.games; ++game) {
        RefereeSetup setup;
        setup.engine = o.engine;
        setup.directory =
            (std::filesystem::path(o.dir) / (std::string(name) + "-" + std::to_string(game)))
                .string();
        std::filesystem::remove_all(setup.directory);
        std::filesystem::create_directories(setup.directory);
        setup.protocol = protocol;
        setup.base_ms = o.base_ms;
        setup.increment_ms = o.increment_ms;
        setup.movetime_ms = o.movetime_ms;
        setup.ply_limit = o.ply_limit;
        if (!openings.empty()) setup.opening = openings[game % openings.size()];

        const GameReport r = referee_game(setup);
        ++t.games;
        t.plies += r.plies;
        t.crashes += r.crashes;
        t.hangs += r.hangs;
        t.illegal_moves += r.illegal_moves;
        t.malformed_lines += r.malformed_lines;
        t.clock_overruns += r.clock_overruns;
        t.least_clock_ms = std::min(t.least_clock_ms, r.least_clock_ms);
        t.longest_move_ms = std::max(t.longest_move_ms, r.longest_move_ms);
        t.think_ms += r.think_ms;
        ++t.results[r.result];
        ++t.reasons[r.reason];
        std::printf("%s game %3d: %-7s %-22s %3d plies%s\n", name, game + 1, r.result.c_str(),
                    r.reason.c_str(), r.plies, r.faults.empty() ? "" : "  FAULTS:");
        for (const std::string& f : r.faults) {
            std::printf("    %s\n", f.c_str());
            t.faults.push_back(std::string(name) + " game " + std::to_string(game + 1) + ": " + f);
        }
        if (!r.faults.empty()) std::printf("    moves: %s\n", r.moves.c_str());
        // A clean game's directory holds only the engines' logs.
        if (r.faults.empty() && !o.keep) std::filesystem::remove_all(setup.directory);
        std::fflush(stdout);
    }
    const double seconds = (clock_ms_precise() - start) / 1000.0;
    std::printf("\n%s: %d games in %.0f s, %d plies (%.1f per game), results", name, t.games,
                seconds, t.plies, static_cast<double>(t.plies) / t.games);
    for (const auto& [result, count] : t.results) std::printf(" %s:%d", result.c_str(), count);
    std::printf("\n  endings:");
    for (const auto& [reason, count] : t.reasons) std::printf(" %s %d,", reason.c_str(), count);
    std::printf(
        "\n  crashes %d, hangs %d, illegal moves %d, malformed lines %d, clock overruns %d\n",
        t.crashes, t.hangs, t.illegal_moves, t.malformed_lines, t.clock_overruns);
    std::printf("  average move %.0f ms, longest move %lld ms, least time left %lld ms\n\n",
                t.plies ? static_cast<double>(t.think_ms) / t.plies : 0.0,
                static_cast<long long>(t.longest_move_ms),
                static_cast<long long>(t.least_clock_ms == INT64_MAX ? 0 : t.least_clock_ms));
    std::fflush(stdout);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse_options(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: soak ENGINE [--games N] [--protocol uci|xboard|both] [--base MS] "
                     "[--inc MS] [--movetime MS (a multiple of 1000 for xboard)] "
                     "[--openings FILE] [--plies N] [--dir DIR] [--keep]\n");
        return 2;
    }
    // The referee checks moves with the engine's own generator and keys.
    init_engine_tables();
    o.engine = std::filesystem::absolute(o.engine).string();
    const std::vector<std::vector<std::string>> openings =
        o.openings.empty() ? std::vector<std::vector<std::string>>{}
                           : read_openings(o.openings, OPENING_PLIES);
    char control[64];
    if (o.movetime_ms)
        std::snprintf(control, sizeof control, "%d ms a move", o.movetime_ms);
    else
        std::snprintf(control, sizeof control, "%d ms + %d ms", o.base_ms, o.increment_ms);
    std::printf("soak: %s, %d games per protocol, %s, %zu openings\n\n", o.engine.c_str(), o.games,
                control, openings.size());

    int faults = 0;
    if (o.protocol != "xboard")
        faults += run_games(o, RefereeProtocol::UCI, openings).fault_count();
    if (o.protocol != "uci")
        faults += run_games(o, RefereeProtocol::XBOARD, openings).fault_count();
    std::printf("soak: %s\n", faults ? "FAULTS FOUND" : "no faults");
    return faults ? 1 : 0;
}
