// think from a freshly started engine's state: mates, repetitions through the game keys,
// single replies, the easy move, determinism and the per-mode endings.
#include "search/think.h"

#include <gtest/gtest.h>

#include "board/fen.h"
#include "board/zobrist.h"
#include "search/game_keys.h"
#include "search/search_state.h"
#include "shell/protocol_output.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

constexpr int XBOARD = 1;
constexpr int UCI = 2;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Think, FindsMatesWithTheMatingFirstMove) {
    struct Case {
        const char* fen;
        int moves;
    };
    const Case cases[] = {
        {"6k1/5ppp/8/8/8/8/5PPP/R5K1 w", 1}, {"k7/8/8/1K6/8/8/8/1Q6 w", 2},
        {"3R4/k7/8/3K4/8/8/8/8 w", 2},       {"2Q5/6k1/8/5K2/8/8/8/8 w", 3},
        {"3R4/3K4/k7/8/8/8/8/8 w", 3},
    };
    for (const Case& c : cases) {
        Position p = position_from_fen(c.fen);
        SearchRun run = run_think(p, 0, 2 * c.moves + 1);
        ASSERT_EQ(run.returned, 1) << c.fen;
        EXPECT_GT(last_search.score, 31900) << c.fen;
        if (c.moves == 1) {
            EXPECT_EQ(last_search.score, 31999) << c.fen;
        }
        EXPECT_TRUE(forces_mate(position_from_fen(c.fen), c.moves, last_search.best_move))
            << c.fen << " " << last_search.best_text;
        // A mate ends the search at once.
        EXPECT_LE(last_search.depth, 2 * c.moves) << c.fen;
    }
}

TEST(Think, RepetitionThroughTheGameKeysScoresContempt) {
    // Nf3 Nf6 Ng1 played from the start; black's Ng8 repeats the start position.
    std::vector<Position> game{start_position};
    for (const char* move : {"g1f3", "g8f6", "f3g1"}) {
        Position next = game.back();
        ASSERT_TRUE(play_text_move(next, move));
        game.push_back(next);
    }
    for (int contempt : {150, -150}) {
        fresh_search_state();
        EngineSettings s{};
        s.contempt = contempt;
        Position root = game.back();
        SearchRun run{};
        {
            CapturedOutput capture;
            for (const Position& p : game) push_key_history(compute_hash_key(p));
            run.after = root;
            run.returned = think(run.after, 0, 3, s, 0);
        }
        if (contempt > 0) {
            EXPECT_STREQ(last_search.best_text, "f6g8");
            EXPECT_EQ(last_search.score, contempt);
        } else {
            EXPECT_STRNE(last_search.best_text, "f6g8");
        }
    }
    clear_key_history();
}

TEST(Think, SingleLegalMoveEndsAfterOneIteration) {
    Position p = position_from_fen("k7/8/8/8/8/8/8/KR6 b");
    SearchRun run = run_think(p, 60000, 0);
    EXPECT_EQ(run.returned, 1);
    EXPECT_EQ(last_search.depth, 1);
    EXPECT_STREQ(last_search.best_text, "a8a7");
}

TEST(Think, EasyMoveStopsAtSixPliesOnlyForAClearRecapture) {
    EngineSettings easy{};
    easy.easymove = 1;
    // The black queen on d4 hangs: taking it is the only reasonable move.
    Position hanging = position_from_fen("rnb1kbnr/pppp1ppp/8/8/3q4/8/PPP2PPP/RNBQKBNR w KQkq");
    run_think(hanging, 0, 8, easy);
    EXPECT_EQ(last_search.depth, 6);
    EXPECT_STREQ(last_search.best_text, "d1d4");
    run_think(hanging, 0, 7, EngineSettings{});
    EXPECT_EQ(last_search.depth, 7);
    // A quiet best move never stops early.
    run_think(start_position, 0, 7, easy);
    EXPECT_EQ(last_search.depth, 7);
}

TEST(Think, FixedDepthSearchIsDeterministic) {
    Position p =
        position_from_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq");
    run_think(p, 0, 5);
    const std::int64_t nodes = stats.node_count + stats.qs_node_count;
    const std::string move = last_search.best_text;
    run_think(p, 0, 5);
    EXPECT_EQ(stats.node_count + stats.qs_node_count, nodes);
    EXPECT_EQ(last_search.best_text, move);
}

TEST(Think, RootWithoutLegalMoveReturnsAtOnce) {
    Position mated = position_from_fen("k7/1Q6/1K6/8/8/8/8/8 b");
    SearchRun run = run_think(mated, 0, 0);
    EXPECT_EQ(run.returned, 0);
    EXPECT_EQ(run.output, "\ncheckmate");
    EXPECT_EQ(last_search.has_move, 0);
    EXPECT_EQ(run.after.flags, mated.flags);
    Position stalemate = position_from_fen("k7/2Q5/1K6/8/8/8/8/8 b");
    run = run_think(stalemate, 0, 0, EngineSettings{}, UCI);
    EXPECT_EQ(run.returned, 0);
    EXPECT_EQ(run.output, "");  // the protocol loop gives the reply
}

TEST(Think, ConsoleOutputPlaysTheMoveAndNamesThePonderMove) {
    Position p = position_from_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w");
    SearchRun run = run_think(p, 0, 3);
    EXPECT_TRUE(contains(run.output, "\nhash cleared/aged in "));
    EXPECT_TRUE(contains(run.output, "evaluation is "));
    EXPECT_TRUE(contains(run.output, "\nd  1/"));
    EXPECT_TRUE(contains(run.output, "\n  pv: a1a8 ."));
    EXPECT_TRUE(contains(run.output, "\nextensions: check:"));
    EXPECT_TRUE(contains(run.output, " razor cuts "));
    EXPECT_NE(run.after.white_rooks & bit(56), 0u);  // the rook stands on a8
    EXPECT_EQ(ponder_move, 0u);                      // mate: no reply to expect
}

TEST(Think, XboardMateAnnouncementAndUciLines) {
    Position p = position_from_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w");
    SearchRun run = run_think(p, 1000, 0, EngineSettings{}, XBOARD);
    EXPECT_TRUE(contains(run.output, "\nmove a1a8\n1-0 {White mates}\n") ||
                contains(run.output, "move a1a8\n1-0 {White mates}\n"));
    EXPECT_TRUE(contains(run.output, "1 31999 "));
    EXPECT_TRUE(contains(run.output, "tellothers 1 31999 "));

    run = run_think(p, 0, 1, EngineSettings{}, UCI);
    EXPECT_TRUE(contains(run.output, "info depth 1 seldepth "));
    EXPECT_TRUE(contains(run.output, " score mate 1 nodes "));
    EXPECT_TRUE(contains(run.output, " pv a1a8\n"));
    EXPECT_TRUE(contains(run.output, "\nbestmove a1a8\n"));
    EXPECT_TRUE(contains(run.output, "--------------------- after move ------------------------"));
    // The UCI loop keeps its position: think leaves it alone.
    EXPECT_EQ(run.after.white_rooks, p.white_rooks);

    // Held, the reply waits for send_bestmove.
    fresh_search_state(UCI);
    hold_bestmove = 1;
    {
        CapturedOutput capture;
        Position copy = p;
        think(copy, 0, 6, EngineSettings{}, 0);
        EXPECT_FALSE(contains(capture.text(), "bestmove"));
        send_bestmove();
        EXPECT_TRUE(contains(capture.text(), "bestmove a1a8"));
        EXPECT_FALSE(contains(capture.text(), "after move"));  // depth 6: no reports
    }
    hold_bestmove = 0;
    protocol_mode = 0;
}

TEST(Think, ResignsOnlyWhenAskedAndLost) {
    Position lost = position_from_fen("k7/8/8/8/8/8/8/KQR5 b");
    EngineSettings resign{};
    resign.resign = 1;
    EXPECT_TRUE(contains(run_think(lost, 0, 2, resign).output, "\nI resign!"));
    EXPECT_FALSE(contains(run_think(lost, 0, 2).output, "resign"));
}

}  // namespace
