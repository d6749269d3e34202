// Exact outcomes of fixed-depth searches from a freshly started engine: alpha-beta and
// quiescence nodes, best move and score. Any change to the search's ordering, pruning,
// extensions or to the evaluation moves a count here; a change meant to do so updates the
// table in the same commit and says why.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "search/search_state.h"
#include "search/think.h"
#include "support/search_run.h"

namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string word; in >> word;) result.push_back(word);
    return result;
}

struct Pinned {
    const char* what;
    const char* fen;
    const char* moves;  // played from the FEN, separated by spaces: the game before the search
    int depth, contempt, easymove;
    std::int64_t nodes, qs_nodes;
    const char* best;
    int score;
};

// Nf3 Nf6 Ng1 in the repetition rows: Ng8 would repeat the start position, which is worth the
// contempt to the engine. The easy move ends the search after 6 plies: the queen must be
// taken back.
// What, FEN, the moves before the root; depth, contempt, easymove; alpha-beta and quiescence
// nodes, best move, score.
// clang-format off
const Pinned PINNED[] = {
    {"opening", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
     "", 7, 0, 0, 3710, 27800, "b1c3", 14},
    {"middlegame, castling next", "r1bqk2r/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQK2R w KQkq",
     "", 7, 0, 0, 6387, 49061, "e1g1", -6},
    {"middlegame, isolated pawn", "r2q1rk1/pp2bppp/2n1bn2/3p4/3N4/2N1B3/PPP1BPPP/R2QK2R w KQ",
     "", 7, 0, 0, 6269, 41037, "e1g1", 9},
    {"tactics: Rg3 wins", "5rk1/1ppb3p/p1pb4/6q1/3P1p1r/2P1R2P/PP1BQ1P1/5RKN w",
     "", 7, 0, 0, 3513, 12500, "e3g3", 214},
    {"tactics: mate in 4", "r4r1k/1bpq1p1n/p1np4/1p1Bb1BQ/P7/6R1/1P3PPP/1N2R1K1 w",
     "", 6, 0, 0, 1888, 10199, "g5f6", 31993},
    {"in check, two replies", "rnb1kbnr/pppp1ppp/8/4p3/4PP1q/8/PPPP2PP/RNBQKBNR w KQkq",
     "", 8, 0, 0, 4573, 21105, "g2g3", -2},
    {"promotion", "3q4/2P3k1/8/8/8/8/6K1/8 w",
     "", 8, 0, 0, 8025, 70318, "c7d8q", 1039},
    {"en passant after the double push", "rnbqkbnr/1ppppppp/p7/4P3/8/8/PPPP1PPP/RNBQKBNR b KQkq",
     "d7d5", 7, 0, 0, 4172, 17814, "d2d4", 20},
    {"en passant with discovered check", "4k3/3p4/8/4P3/8/8/5PPP/4R1K1 b",
     "d7d5", 8, 0, 0, 4602, 17713, "e5d6", 1119},
    {"king and pawn ending", "8/8/4k3/8/2p5/8/P1PK4/8 w",
     "", 14, 0, 0, 12599, 18499, "a2a4", 705},
    {"rook ending", "8/8/8/8/5k2/R7/5PK1/6r1 w",
     "", 10, 0, 0, 7955, 42024, "g2g1", 638},
    {"mate in 3", "r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq",
     "", 7, 0, 0, 529, 9358, "f8c5", 31995},
    {"repetition wanted", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
     "g1f3 g8f6 f3g1", 6, 150, 0, 155, 655, "f6g8", 150},
    {"repetition avoided", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
     "g1f3 g8f6 f3g1", 6, -150, 0, 1614, 10404, "d7d6", 40},
    {"easy move: the queen taken back", "rnb1kbnr/pppp1ppp/8/8/3q4/8/PPP2PPP/RNBQKBNR w KQkq",
     "", 8, 0, 1, 2328, 11350, "d1d4", 843},
};
// clang-format on

TEST(PinnedSearch, NodesMoveAndScoreOfEachPosition) {
    ASSERT_TRUE(tables_as_at_start_up());
    for (const Pinned& row : PINNED) {
        EngineSettings settings{};
        settings.contempt = row.contempt;
        settings.easymove = row.easymove;
        const SearchRun run =
            run_game_think(game_from(row.fen, words(row.moves)), row.depth, settings);
        ASSERT_EQ(run.returned, 1) << row.what;
        EXPECT_EQ(stats.node_count, row.nodes) << row.what;
        EXPECT_EQ(stats.qs_node_count, row.qs_nodes) << row.what;
        EXPECT_STREQ(last_search.best_text, row.best) << row.what;
        EXPECT_EQ(last_search.score, row.score) << row.what;
    }
}

}  // namespace
