#include "support/search_run.h"

#include <gtest/gtest.h>

#include <regex>

#include "app/startup.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "search/game_keys.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/output.h"
#include "shell/protocol_output.h"
#include "support/positions.h"

CapturedOutput::CapturedOutput() : file(std::tmpfile()), previous(output_file) {
    if (file) output_file = file;
}

CapturedOutput::~CapturedOutput() {
    output_file = previous;
    if (file) std::fclose(file);
}

std::string CapturedOutput::text() {
    std::string result;
    if (!file) return result;
    std::fflush(file);
    std::rewind(file);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) result.append(buffer, n);
    return result;
}

void fresh_search_state(ProtocolMode mode) {
    reset_engine_state();
    protocol_mode = mode;
}

namespace {

SearchRun captured_think(const Position& position, int time_ms, int depth,
                         const EngineSettings& search_settings) {
    SearchRun run{};
    run.after = position;
    CapturedOutput capture;
    run.returned = think(run.after, time_ms, depth, search_settings, 0);
    run.output = capture.text();
    return run;
}

}  // namespace

SearchRun run_think(const Position& position, int time_ms, int depth,
                    const EngineSettings& search_settings, ProtocolMode mode, int ponder) {
    fresh_search_state(mode);
    search_flags.pondering = ponder;
    const SearchRun run = captured_think(position, time_ms, depth, search_settings);
    protocol_mode = CONSOLE_MODE;
    return run;
}

std::vector<std::int64_t> iteration_node_totals(const std::string& console_output) {
    static const std::regex line("\nd +\\d+/ *\\d+  v -?\\d+  t [\\d.]+s (\\d+) N (\\d+) QN");
    std::vector<std::int64_t> totals;
    for (std::sregex_iterator it(console_output.begin(), console_output.end(), line), end;
         it != end; ++it)
        totals.push_back(std::stoll((*it)[1]) + std::stoll((*it)[2]));
    return totals;
}
std::vector<Position> game_from(const std::string& fen, const std::vector<std::string>& moves) {
    std::vector<Position> game{position_from_fen(fen)};
    for (const std::string& move : moves) {
        game.push_back(game.back());
        if (!play_moves(game.back(), {move})) ADD_FAILURE() << "not legal: " << move;
    }
    return game;
}

SearchRun run_game_think(const std::vector<Position>& game, int depth,
                         const EngineSettings& search_settings) {
    fresh_search_state();
    for (const Position& p : game) push_key_history(compute_hash_key(p));
    const SearchRun run = captured_think(game.back(), 0, depth, search_settings);
    clear_key_history();
    return run;
}

bool tables_as_at_start_up() {
    return main_entries == START_MAIN_ENTRIES && qs_entries == START_QS_ENTRIES;
}

bool forces_mate(const Position& position, int moves, std::uint32_t first) {
    const PieceCounts counts = piece_counts;
    const int saved_ply = ply;
    ply = 0;
    bool found = false;
    for (Move m : legal_moves(position)) {
        if (found || (first && m != first)) continue;
        Position next = position;
        make_move(next, m);
        const std::vector<Move> replies = legal_moves(next);
        // Mate now, or every reply still loses within the remaining moves.
        found = replies.empty() ? side_to_move_in_check(next) : moves > 1;
        for (Move r : replies) {
            if (!found) break;
            Position after = next;
            make_move(after, r);
            found = forces_mate(after, moves - 1);
        }
    }
    piece_counts = counts;
    ply = saved_ply;
    return found;
}
