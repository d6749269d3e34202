// The budgets both protocols compute from the interface's clock figures.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "protocol/uci_go.h"
#include "protocol/xboard_clock.h"
#include "search/search_flags.h"

TEST(UciClockRule, Budgets) {
    struct Case {
        const char* go;
        bool black;
        int budget;
    } cases[] = {
        {"go wtime 60000 btime 60000", false, 1000},
        {"go wtime 60000 winc 1000", false, 4500},
        {"go wtime 100 movestogo 1", false, 20},
        {"go wtime 60000 btime 6000 binc 0", true, 100},  // the mover's own figures count
        {"go wtime 6000 btime 60000 binc 1000", true, 4500},
        // No clock or absurd figures still give a positive budget, without overflow.
        {"go", false, 1},
        {"go wtime -5000 winc -100", false, 1},
        {"go wtime 2147483647 movestogo 2147483647", false, 1},
        {"go wtime 60000 movestogo -2", false, 1000},
        {"go wtime 99999999999999 winc 99999999999999", false, INT_MAX / 5},
    };
    for (const Case& c : cases) EXPECT_EQ(clock_budget(parse_go(c.go), c.black), c.budget) << c.go;
}

TEST(UciGoLine, ChoiceOfSearch) {
    struct Case {
        const char* go;
        bool black;
        int depth;
        int time_ms;
        std::int64_t deadline_ms;
    } cases[] = {
        // The mover's clock (less the margin) bounds every search but "go infinite".
        {"go depth 6 wtime 1000", false, 6, 0, 1000 - MOVE_TIME_MARGIN_MS},
        {"go depth 6 wtime 1000", true, 6, 0, 0},
        {"go depth 6", false, 6, 0, 0},
        {"go infinite wtime 1000", false, 0, INFINITE_BUDGET_MS, 0},
        // A fixed time a move is kept, and the clock when it is the shorter.
        {"go movetime 250", false, 0, 250, 250 - MOVE_TIME_MARGIN_MS},
        {"go movetime 250 wtime 1000", false, 0, 250, 250 - MOVE_TIME_MARGIN_MS},
        {"go movetime 250 btime 100", true, 0, 250, 100 - MOVE_TIME_MARGIN_MS},
        {"go ponder wtime 60000 btime 500", true, 0, 8, 500 - MOVE_TIME_MARGIN_MS},
        // A depth below one would never end, so the clock decides.
        {"go depth -3 wtime 60000", false, 0, 1000, 60000 - MOVE_TIME_MARGIN_MS},
        // No time left, or less than the margin: the least deadline, never none.
        {"go wtime 5", false, 0, 1, 1},
        {"go wtime -200", false, 0, 1, 1},
        {"go movetime 3", false, 0, 3, 1},
    };
    for (const Case& c : cases) {
        const SearchRequest r = choose_search(parse_go(c.go), c.black);
        EXPECT_EQ(r.depth, c.depth) << c.go;
        EXPECT_EQ(r.time_ms, c.time_ms) << c.go;
        EXPECT_EQ(r.deadline_ms, c.deadline_ms) << c.go << " " << c.black;
    }
    EXPECT_TRUE(parse_go("go ponder wtime 1 btime 2").ponder);
    // A keyword's value token is consumed even when it is itself a keyword.
    EXPECT_FALSE(parse_go("go wtime infinite").infinite);
}

TEST(XboardClock, ReplyPlans) {
    struct Case {
        std::vector<std::string> level;
        const char* time;
        int moves_played;
        int budget_ms;
        int moves_to_go;
    } cases[] = {
        {{"level", "40", "5", "0"}, "30000", 1, 7317, 40},
        {{"level", "40", "5:30", "0"}, "30000", 1, 7317, 40},
        {{"level", "0", "2", "12"}, "12000", 1, 10000, 0},
        {{"level", "0", "2", "12"}, "1000", 3, 2000, 0},  // held to a fifth of the clock
        {{"level", "99999999999", "5", "0"}, "30000", 1, 1, INT_MAX},
        {{"level"}, "30000", 5, 10000, 0},  // no figures: incremental without increment
    };
    for (const Case& c : cases) {
        XboardClock clock;
        apply_level(clock, c.level);
        apply_time(clock, c.time);
        const ReplyPlan plan = plan_reply(clock, c.moves_played);
        EXPECT_EQ(plan.budget_ms, c.budget_ms) << c.level.size() << " " << c.time;
        EXPECT_EQ(plan.moves_to_go, c.moves_to_go) << c.level.size() << " " << c.time;
    }
    XboardClock clock;
    apply_level(clock, {"level", "40", "5", "0"});
    apply_time(clock, "30000");
    ReplyPlan plan = plan_reply(clock, 1);
    EXPECT_EQ(planning_line(plan, clock.remaining),
              "\n***planning to use 7317ms of 300000 remaining, 40 moves to go \n");
    finish_reply(clock, plan);
    EXPECT_EQ(clock.moves_left, 39);
    // Negative figures leave the clock as it was.
    apply_level(clock, {"level", "-40", "5", "0"});
    apply_level(clock, {"level", "40", "-5", "0"});
    apply_level(clock, {"level", "0", "5", "-1"});
    EXPECT_EQ(clock.remaining, 300000);
    EXPECT_EQ(clock.type, ControlType::CONVENTIONAL);
    // Late in the period the fifth of the clock bounds the budget; the period then restarts.
    apply_time(clock, "1000");
    EXPECT_EQ(plan_reply(clock, 77).budget_ms, 2000);
    finish_reply(clock, {2000, 1});
    EXPECT_EQ(clock.moves_left, 40);
}

TEST(XboardClock, GoFixedTimeAndDepth) {
    XboardClock clock;
    apply_level(clock, {"level", "40", "5", "0"});
    apply_time(clock, "30000");
    EXPECT_EQ(plan_go(clock), (300000 - 10000) / 40);  // ten seconds kept in reserve
    apply_time(clock, "500");
    EXPECT_EQ(plan_go(clock), 1);
    apply_st(clock, "5");
    EXPECT_EQ(plan_reply(clock, 1).budget_ms, 5000);
    apply_sd(clock, "4");
    apply_sd(clock, "-4");
    EXPECT_EQ(clock.depth_limit, 4);
    // No budget of zero: think would read it as "no limit".
    apply_st(clock, "0");
    EXPECT_EQ(plan_reply(clock, 1).budget_ms, 1);
}

// The deadline of the engine's move: the fixed time a move, else the clock left, less the
// margin; none once "sd" has replaced "st".
TEST(XboardClock, Deadlines) {
    XboardClock clock;
    apply_time(clock, "3000");
    EXPECT_EQ(clock_deadline(clock), 30000 - MOVE_TIME_MARGIN_MS);
    apply_level(clock, {"level", "0", "2", "12"});
    apply_sd(clock, "4");
    EXPECT_EQ(clock_deadline(clock), 30000 - MOVE_TIME_MARGIN_MS);
    apply_time(clock, "0");
    EXPECT_EQ(clock_deadline(clock), 1);
    apply_st(clock, "1");
    EXPECT_EQ(clock_deadline(clock), 1000 - MOVE_TIME_MARGIN_MS);
    apply_sd(clock, "4");
    EXPECT_EQ(clock_deadline(clock), 0);
}
