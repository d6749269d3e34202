#include "support/search_run.h"

#include "board/make_move.h"
#include "movegen/generate_moves.h"
#include "search/game_keys.h"
#include "search/root_search.h"
#include "search/think.h"
#include "shell/output.h"
#include "shell/protocol_output.h"

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

void fresh_search_state(int mode) {
    reset_root_moves();
    clear_key_history();
    pondering = 0;
    hold_bestmove = 0;
    protocol_mode = mode;
}

SearchRun run_think(const Position& position, int time_ms, int depth,
                    const EngineSettings& search_settings, int mode) {
    fresh_search_state(mode);
    SearchRun run{};
    run.after = position;
    {
        CapturedOutput capture;
        run.returned = think(run.after, time_ms, depth, search_settings, 0);
        run.output = capture.text();
    }
    protocol_mode = 0;
    return run;
}

namespace {

bool is_mated_or_stuck(const Position& position, bool& mated) {
    MoveList moves;
    const int count = generate_moves(position, moves);
    for (int i = 0; i < count; ++i) {
        Position next = position;
        if (make_move(next, moves[i])) return false;
    }
    const bool black = (position.flags & BLACK_TO_MOVE) != 0;
    mated = black ? is_attacked(position, position.black_king, 0)
                  : is_attacked(position, position.white_king, 1);
    return true;
}

bool mate_after(const Position& after_move, int moves) {
    bool mated = false;
    if (is_mated_or_stuck(after_move, mated)) return mated;
    if (moves <= 1) return false;
    MoveList replies;
    const int count = generate_moves(after_move, replies);
    for (int i = 0; i < count; ++i) {
        Position next = after_move;
        if (!make_move(next, replies[i])) continue;
        if (!forces_mate(next, moves - 1)) return false;
    }
    return true;
}

}  // namespace

bool forces_mate(const Position& position, int moves, std::uint32_t first) {
    const PieceCounts counts = piece_counts;
    const int saved_ply = ply;
    ply = 0;
    MoveList list;
    const int count = generate_moves(position, list);
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        if (first && list[i] != first) continue;
        Position next = position;
        if (!make_move(next, list[i])) continue;
        found = mate_after(next, moves);
    }
    piece_counts = counts;
    ply = saved_ply;
    return found;
}
