#include "protocol/xboard_reply.h"

#include "board/make_move.h"
#include "movegen/generate_evasions.h"
#include "protocol/play_move.h"
#include "search/think.h"
#include "shell/output.h"

namespace {

// Announces the result and returns true when the side to move has no legal move.
bool game_over(const Position& position) {
    std::string result = game_result(position);
    if (result.empty()) return false;
    out("%s\n", result.c_str());
    return true;
}

// Searches and, when the engine made its move on the position, records it.
void search_and_record(XboardGame& game, int budget_ms) {
    search_flags.pondering = 0;
    search_flags.move_deadline_ms = clock_deadline(game.clock);
    Position before = game.position;
    think(game.position, budget_ms, game.clock.depth_limit, settings, 0);
    if (before != game.position) game_advance(game);
}

}  // namespace

std::string game_result(const Position& position) {
    if (any_legal_move(position)) return "";
    if (!side_to_move_in_check(position)) return "1/2-1/2 {Stalemate}";
    return (position.flags & BLACK_TO_MOVE) ? "1-0 {White mates}" : "0-1 {Black mates}";
}

void engine_reply(XboardGame& game, std::FILE* plan_log) {
    if (game_over(game.position)) return;
    ReplyPlan plan = plan_reply(game.clock, game.ply);
    if (plan_log) {
        std::fputs(planning_line(plan, game.clock.remaining).c_str(), plan_log);
        std::fflush(plan_log);
    }
    search_and_record(game, plan.budget_ms);
    finish_reply(game.clock, plan);
}

void engine_go(XboardGame& game) {
    game_sync(game);
    if (game_over(game.position)) return;
    search_and_record(game, plan_go(game.clock));
    finish_go(game.clock);
}

void toggle_book(EngineSettings& engine_settings) {
    engine_settings.book = engine_settings.book == 0 ? 1 : 0;
}
