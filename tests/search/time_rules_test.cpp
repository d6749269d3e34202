// The search's time rules, on a clock the tests drive: the stop between iterations, no new
// root move after the sixth once the budget is spent, the hard limit, pondering until
// "ponderhit", and when the search looks at the clock and the input.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "search/ordering.h"
#include "search/root_search.h"
#include "search/search_state.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/clock.h"
#include "shell/input_redirect.h"
#include "shell/protocol_output.h"
#include "support/search_run.h"
#include "support/test_clock.h"

namespace {

constexpr int UCI = 2;
constexpr std::int64_t NODES_PER_MS = 10;

int count_of(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Where the iterations of a search of the start position end, in nodes. A timed search is
// this one until a time rule steps in.
std::vector<std::int64_t> start_position_iterations(int depth) {
    return iteration_node_totals(run_think(start_position, 0, depth).output);
}

// The state think leaves before its first iteration, in UCI mode, for driving root_search
// directly.
void start_search(const Position& position, std::int64_t budget) {
    fresh_search_state(UCI);
    clear_hash_tables();
    clear_history();
    clear_ply_marks();
    path_keys.fill(0);
    stats = SearchStats{};
    next_interrupt_check = 0;
    stop_flag = 0;
    ply = 0;
    sel_depth = 0;
    draw_value = 0;
    easy_move_enabled = 0;
    root_side = (position.flags & BLACK_TO_MOVE) ? 1 : 0;
    time_budget = budget;
    search_start_ms = clock_ms();
}

TEST(TimeRules, IterationsEndOnceTwoThirdsOfTheBudgetHavePassed) {
    const std::vector<std::int64_t> ends = start_position_iterations(7);
    ASSERT_EQ(ends.size(), 7u);
    TestClock clock(NODES_PER_MS);
    for (int k = 1; k < 7; ++k) {
        const std::int64_t at = ends[k - 1] / NODES_PER_MS;  // the clock as iteration k ends
        // Two thirds of this budget are exactly that reading: not yet passed.
        const int budget = static_cast<int>((3 * at + 1) / 2);
        ASSERT_EQ(2 * budget / 3, at);
        const SearchRun stopped = run_think(start_position, budget - 1, 0);
        EXPECT_EQ(last_search.depth, k);
        EXPECT_EQ(stop_flag, 0);
        EXPECT_EQ(iteration_node_totals(stopped.output),
                  std::vector<std::int64_t>(ends.begin(), ends.begin() + k));
        run_think(start_position, budget, 0);
        EXPECT_EQ(last_search.depth, k + 1) << budget;
    }
}

// One 7-ply root search of the start position (20 moves) with the clock held at `elapsed`
// after a budget of 100 ms: which moves it starts, and whether the look at the clock inside
// the first move's search stops it.
TEST(TimeRules, RootMovesAfterTheSixthAndTheHardLimit) {
    struct Case {
        std::int64_t elapsed;
        int pondering;
        int moves_started;
        int stopped;
    } cases[] = {
        {100, 0, 20, 0},  // the budget spent, not passed
        {101, 0, 6, 0},   // passed: the first six are still searched
        {101, 1, 6, 0},   // pondering too
        {400, 0, 6, 0},   // four times the budget spent, not passed
        {401, 0, 1, 1},   // passed: the first look stops the search
        {401, 1, 6, 0},   // pondering: no hard limit
    };
    InputPipe pipe;  // nothing waiting
    ASSERT_TRUE(redirect_input_to_pipe(pipe));
    for (const Case& c : cases) {
        TestClock clock;
        Position position = start_position;
        start_search(position, 100);
        pondering = c.pondering;
        clock.now_ms = c.elapsed;
        clock.readings.clear();
        Move best = 0;
        int easy = 0;
        CapturedOutput capture;
        root_search(position, -MATE, MATE, 7 * 8, best, easy);
        const std::string output = capture.text();
        EXPECT_EQ(count_of(output, "info currmove "), c.moves_started) << c.elapsed;
        EXPECT_NE(output.find(" currmovenumber " + std::to_string(c.moves_started) + "\n"),
                  std::string::npos)
            << output;
        EXPECT_EQ(stop_flag, c.stopped) << c.elapsed;
        if (c.stopped) {
            // A single look at the clock, and nothing searched after it.
            ASSERT_EQ(clock.readings.size(), 1u);
            EXPECT_EQ(searched_nodes(), clock.readings[0]);
        }
    }
    close_input_pipe(pipe);
    restore_standard_input();
    fresh_search_state();
}

// UCI searches of the start position, the clock at NODES_PER_MS, with "ponderhit" written
// into the input once iteration 7 is under way.
TEST(TimeRules, PonderingIgnoresTheBudgetUntilPonderhit) {
    const std::vector<std::int64_t> ends = start_position_iterations(7);
    ASSERT_EQ(ends.size(), 7u);
    // Two thirds of it pass during iteration 6; the whole of it is not spent at the first look
    // in iteration 7.
    const int budget = static_cast<int>(3 * (ends[5] / NODES_PER_MS) / 2 - 1);
    const int to_seven = static_cast<int>(3 * (ends[6] / NODES_PER_MS) / 2 - 1);
    struct Case {
        int pondering;
        int budget;
        int depth;
        int stopped;
        const char* lines;  // the lines after "ponderhit!", with elapsed ms and the budget
    } cases[] = {
        // Neither two thirds nor four times the budget end a search while it ponders; a
        // ponderhit after the budget then ends it at once.
        {1, 1, 7, 1,
         "info string ponderhit, but time is up %lld > %lld!\n"
         "info string search stopped (1)!\n"},
        {0, 1, 1, 0, nullptr},
        // Before the budget is spent the search goes on under the usual rules: two thirds
        // have passed, so it ends with this iteration.
        {1, budget, 7, 0, "info string ponderhit, continue, %lld is smaller than %lld!\n"},
        {0, budget, 6, 0, nullptr},
        // Not pondering: a ponderhit changes nothing.
        {0, to_seven, 7, 0, ""},
    };
    for (const Case& c : cases) {
        InputPipe pipe;
        ASSERT_TRUE(redirect_input_to_pipe(pipe));
        TestClock clock(NODES_PER_MS);
        std::int64_t hit_at = -1;
        clock.at_nodes(ends[5] + 1, [&] {
            write_input_pipe(pipe, "ponderhit\n");
            hit_at = searched_nodes();
        });
        // Should pondering never end, a stop ends the search long after it should have.
        clock.at_nodes(4 * ends[6], [&] { write_input_pipe(pipe, "stop\n"); });
        fresh_search_state(UCI);
        pondering = c.pondering;
        std::string output;
        {
            CapturedOutput capture;
            Position position = start_position;
            think(position, c.budget, 0, EngineSettings{}, 0);
            output = capture.text();
        }
        EXPECT_EQ(last_search.depth, c.depth) << c.pondering << " " << c.budget;
        EXPECT_EQ(stop_flag, c.stopped) << c.pondering << " " << c.budget;
        const std::size_t hit = output.find("info string ponderhit!\n");
        if (!c.lines) {
            EXPECT_EQ(hit, std::string::npos) << output;
        } else {
            ASSERT_NE(hit, std::string::npos) << output;
            char lines[256];
            std::snprintf(lines, sizeof lines, c.lines,
                          static_cast<long long>(hit_at / NODES_PER_MS),
                          static_cast<long long>(c.budget));
            EXPECT_EQ(output.compare(hit + 23, std::string(lines).size(), lines), 0) << output;
            EXPECT_EQ(output.find("info string ponderhit, ", hit + 23 + std::string(lines).size()),
                      std::string::npos);
        }
        EXPECT_NE(output.find("\nbestmove "), std::string::npos) << output;
        close_input_pipe(pipe);
        restore_standard_input();
        fresh_search_state();
    }
}

}  // namespace
