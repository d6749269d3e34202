// The search's time rules, on a clock the tests drive: the stop between iterations, no new
// root move after the sixth once the budget is spent, the hard limit, pondering until
// "ponderhit", and when the search looks at the clock and the input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "search/ordering.h"
#include "search/root_search.h"
#include "search/search_state.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/clock.h"
#include "shell/input.h"
#include "support/positions.h"
#include "support/search_run.h"
#include "support/test_clock.h"
#include "testsupport/input_redirect.h"

namespace {

constexpr std::int64_t NODES_PER_MS = 10;
// A look at the clock comes at the first alpha-beta node past its interval; the quiescence
// nodes in between delay it by a few nodes, never by this many.
constexpr std::int64_t LOOK_DELAY = INTERRUPT_INTERVAL / 8;

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
    fresh_search_state(UCI_MODE);
    clear_hash_tables();
    clear_history();
    clear_ply_marks();
    path_keys.fill(0);
    stats = SearchStats{};
    next_interrupt_check = INTERRUPT_INTERVAL;
    search_flags.stop_flag = 0;
    ply = 0;
    sel_depth = 0;
    draw_value = 0;
    easy_move_enabled = 0;
    root_side = (position.flags & BLACK_TO_MOVE) ? 1 : 0;
    time_budget = budget;
    search_start_ms = clock_ms();
}

// Searches of the start position, the clock at NODES_PER_MS. For each iteration k: a budget
// whose two thirds are the clock's reading as k ends lets the search go on; one millisecond
// less ends it after k, the same search as at a fixed depth until then.
TEST(TimeRules, IterationsEndOnceTwoThirdsOfTheBudgetHavePassed) {
    const std::vector<std::int64_t> ends = start_position_iterations(7);
    ASSERT_EQ(ends.size(), 7u);
    TestClock clock(NODES_PER_MS);
    for (int k = 1; k < 7; ++k) {
        const std::int64_t at = ends[k - 1] / NODES_PER_MS;
        const int budget = static_cast<int>((3 * at + 1) / 2);
        ASSERT_EQ(2 * budget / 3, at);
        const SearchRun stopped = run_think(start_position, budget - 1, 0);
        EXPECT_EQ(last_search.depth, k);
        EXPECT_EQ(search_flags.stop_flag, 0);
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
        {101, 1, 6, 0},   // search_flags.pondering too
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
        search_flags.pondering = c.pondering;
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
        EXPECT_EQ(search_flags.stop_flag, c.stopped) << c.elapsed;
        if (c.stopped) {
            // One look at the clock, one interval in, and the search ends soon after it.
            ASSERT_EQ(clock.readings.size(), 1u);
            EXPECT_GE(clock.readings[0], INTERRUPT_INTERVAL);
            EXPECT_LT(searched_nodes(), INTERRUPT_INTERVAL + LOOK_DELAY);
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
        const std::string output =
            run_think(start_position, c.budget, 0, EngineSettings{}, UCI_MODE, c.pondering).output;
        EXPECT_EQ(last_search.depth, c.depth) << c.pondering << " " << c.budget;
        EXPECT_EQ(search_flags.stop_flag, c.stopped) << c.pondering << " " << c.budget;
        const std::string seen = "info string ponderhit!\n";
        const std::size_t hit = output.find(seen);
        if (!c.lines) {
            EXPECT_EQ(hit, std::string::npos) << output;
        } else {
            ASSERT_NE(hit, std::string::npos) << output;
            char buffer[256];
            std::snprintf(buffer, sizeof buffer, c.lines,
                          static_cast<long long>(hit_at / NODES_PER_MS),
                          static_cast<long long>(c.budget));
            const std::string lines = buffer;
            EXPECT_EQ(output.compare(hit + seen.size(), lines.size(), lines), 0) << output;
            EXPECT_EQ(output.find("info string ponderhit, ", hit + seen.size() + lines.size()),
                      std::string::npos)
                << output;
        }
        EXPECT_NE(output.find("\nbestmove "), std::string::npos) << output;
        close_input_pipe(pipe);
        restore_standard_input();
    }
}

// In a quiescence-heavy search, think at a fixed depth with the clock held: every reading but
// those at the start and at the ends of iterations is a look at the clock (the root reads it
// only from its seventh move, and this root has three).
TEST(TimeRules, LooksAtTheClockEveryIntervalOfBothSearches) {
    TestClock clock;
    const Position checked =
        position_from_fen("r1bqk1nr/pppp1Bpp/2n5/2b1p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq");
    const std::vector<std::int64_t> ends = iteration_node_totals(run_think(checked, 0, 7).output);
    ASSERT_EQ(ends.size(), 7u);
    // Counting alpha-beta nodes only, the looks would come five times more rarely.
    ASSERT_GT(stats.qs_node_count, 5 * stats.node_count);
    std::vector<std::int64_t> looks;
    for (std::int64_t at : clock.readings)
        if (at != 0 && std::find(ends.begin(), ends.end(), at) == ends.end()) looks.push_back(at);
    ASSERT_EQ(looks.size(), static_cast<std::size_t>(ends.back() / INTERRUPT_INTERVAL));
    // The first one interval in, then one every interval: each at the first alpha-beta node
    // past it, which quiescence nodes in between make a little later.
    std::int64_t previous = 0;
    for (std::int64_t at : looks) {
        EXPECT_GE(at - previous, INTERRUPT_INTERVAL);
        EXPECT_LT(at - previous, INTERRUPT_INTERVAL + LOOK_DELAY);
        previous = at;
    }
}

// A line waiting in UCI mode when the search starts ("stop" here) is seen at the first look:
// the shallow iterations are complete by then and the move played is the last one's.
TEST(TimeRules, ALineWaitingAtTheStartIsSeenOneIntervalIn) {
    const std::vector<std::int64_t> ends = start_position_iterations(7);
    std::size_t completed = 0;  // iterations complete when the first look comes
    while (completed < ends.size() && ends[completed] < INTERRUPT_INTERVAL) ++completed;
    ASSERT_GE(completed, 2u);
    ASSERT_LT(completed, ends.size());
    run_think(start_position, 0, static_cast<int>(completed));
    const std::string completed_move = last_search.best_text;

    ASSERT_TRUE(redirect_input_to_text("stop\n"));
    const std::string output = run_think(start_position, 0, 0, EngineSettings{}, UCI_MODE).output;
    EXPECT_NE(output.find("\ninfo string search stopped (2)!\n"), std::string::npos) << output;
    EXPECT_EQ(last_search.depth, static_cast<int>(completed + 1)) << output;
    EXPECT_EQ(last_search.best_text, completed_move) << output;
    EXPECT_NE(output.find("\nbestmove " + completed_move + " "), std::string::npos) << output;
    std::string line;
    EXPECT_TRUE(read_line(line));
    EXPECT_EQ(line, "stop");  // left for the protocol loop
    restore_standard_input();
}

}  // namespace
