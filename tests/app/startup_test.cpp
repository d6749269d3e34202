// reset_engine_state: whatever a session left behind, the next search is the one a freshly
// started engine makes, and the book's random draws start again where start-up left them.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "board/random.h"
#include "board/zobrist.h"
#include "eval/eval_weights.h"
#include "search/game_keys.h"
#include "search/search_state.h"
#include "search/think.h"
#include "shell/protocol_output.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

struct Outcome {
    std::int64_t nodes;
    int score;
    std::string move;
};

Outcome search_after_reset(const Position& position) {
    reset_engine_state();
    Position root = position;
    {
        CapturedOutput capture;
        think(root, 0, 4, settings, 0);
    }
    return {stats.node_count + stats.qs_node_count, last_search.score, last_search.best_text};
}

TEST(Startup, ResetUndoesWhatASessionLeftBehind) {
    const Position p =
        position_from_fen("r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ");
    reset_engine_state();
    const int first_draw = next_random();
    const Outcome fresh = search_after_reset(p);

    protocol_mode = UCI_MODE;
    search_flags.pondering = 1;
    search_flags.stop_flag = 1;
    search_flags.hold_bestmove = 1;
    search_flags.move_deadline_ms = 1;
    settings.contempt = 200;
    settings.easymove = 1;
    eval_weights.pawn_value = 150;
    eval_weights.mobility = 0;
    push_key_history(compute_hash_key(p));
    next_random();
    const Outcome after = search_after_reset(p);
    EXPECT_EQ(after.nodes, fresh.nodes);
    EXPECT_EQ(after.score, fresh.score);
    EXPECT_EQ(after.move, fresh.move);

    next_random();
    reset_engine_state();
    EXPECT_EQ(next_random(), first_draw);
}

}  // namespace
