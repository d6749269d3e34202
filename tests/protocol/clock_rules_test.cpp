// The budgets both protocols compute from the interface's clock figures.
#include <gtest/gtest.h>

#include <climits>

#include "protocol/uci_go.h"
#include "protocol/xboard_clock.h"

namespace {

int uci_budget(const std::string& go_line, bool black = false) {
    return clock_budget(parse_go(go_line), black);
}

}  // namespace

TEST(UciClockRule, WorkedFigures) {
    EXPECT_EQ(uci_budget("go wtime 60000 btime 60000"), 1000);
    EXPECT_EQ(uci_budget("go wtime 60000 winc 1000"), 4500);
    EXPECT_EQ(uci_budget("go wtime 10000 movestogo 3"), 2000);
    EXPECT_EQ(uci_budget("go wtime 100 movestogo 1"), 20);
    // The mover's own figures count.
    EXPECT_EQ(uci_budget("go wtime 60000 btime 6000 binc 0", true), 100);
    EXPECT_EQ(uci_budget("go wtime 6000 btime 60000 binc 1000", true), 4500);
}

TEST(UciClockRule, NoClockOrAbsurdFiguresStillGiveAPositiveBudget) {
    EXPECT_EQ(uci_budget("go"), 1);
    EXPECT_EQ(uci_budget("go wtime"), 1);
    EXPECT_EQ(uci_budget("go wtime -5000 winc -100"), 1);
    // movestogo + 2 must not overflow, and a negative count means none.
    EXPECT_EQ(uci_budget("go wtime 2147483647 movestogo 2147483647"), 1);
    EXPECT_EQ(uci_budget("go wtime 60000 movestogo -2"), 1000);
    EXPECT_EQ(uci_budget("go wtime 99999999999999 winc 99999999999999"), INT_MAX / 5);
}

TEST(UciGoLine, ChoiceOfSearch) {
    SearchRequest depth = choose_search(parse_go("go depth 6 wtime 1000"), false);
    EXPECT_EQ(depth.depth, 6);
    EXPECT_EQ(depth.time_ms, 0);
    EXPECT_FALSE(depth.pass_moves_played);

    SearchRequest infinite = choose_search(parse_go("go infinite wtime 1000"), false);
    EXPECT_EQ(infinite.time_ms, INFINITE_BUDGET_MS);
    EXPECT_EQ(infinite.depth, 0);

    SearchRequest movetime = choose_search(parse_go("go movetime 250 wtime 1000"), false);
    EXPECT_EQ(movetime.time_ms, 250);
    EXPECT_TRUE(movetime.pass_moves_played);

    // A depth below one would never end on its own: the clock decides instead.
    SearchRequest negative = choose_search(parse_go("go depth -3 wtime 60000"), false);
    EXPECT_EQ(negative.depth, 0);
    EXPECT_EQ(negative.time_ms, 1000);

    GoParameters ponder = parse_go("go ponder wtime 1 btime 2 winc 3 binc 4 movestogo 5");
    EXPECT_TRUE(ponder.ponder);
    EXPECT_EQ(ponder.btime, 2);
    EXPECT_EQ(ponder.binc, 4);
    EXPECT_EQ(ponder.movestogo, 5);
    // A keyword's value token is consumed even when it is itself a keyword.
    EXPECT_FALSE(parse_go("go wtime infinite").infinite);
}

TEST(XboardClock, ConventionalControlPlanningLine) {
    XboardClock clock;
    apply_level(clock, {"level", "40", "5", "0"});
    apply_time(clock, "30000");
    EXPECT_EQ(clock.remaining, 300000);
    ReplyPlan plan = plan_reply(clock, 1);
    EXPECT_EQ(plan.moves_to_go, 40);
    EXPECT_EQ(plan.budget_ms, 7317);
    EXPECT_EQ(planning_line(plan, clock.remaining),
              "\n***planning to use 7317ms of 300000 remaining, 40 moves to go \n");
    finish_reply(clock, plan);
    EXPECT_EQ(clock.moves_left, 39);
    // Late in the period the fifth of the clock bounds the budget.
    apply_time(clock, "1000");
    plan = plan_reply(clock, 77);
    EXPECT_EQ(plan.moves_to_go, 2);
    EXPECT_EQ(plan.budget_ms, 2000);
    finish_reply(clock, {2000, 1});
    EXPECT_EQ(clock.moves_left, 40);
}

// The largest period a "level" line can give: one more than the moves to go must still be
// counted without overflow.
TEST(XboardClock, HugePeriodDoesNotOverflow) {
    XboardClock clock;
    apply_level(clock, {"level", "99999999999", "5", "0"});
    apply_time(clock, "30000");
    ReplyPlan plan = plan_reply(clock, 1);
    EXPECT_EQ(plan.moves_to_go, INT_MAX);
    EXPECT_EQ(plan.budget_ms, 1);
}

TEST(XboardClock, IncrementalControl) {
    XboardClock clock;
    apply_level(clock, {"level", "0", "2", "12"});
    apply_time(clock, "12000");
    ReplyPlan plan = plan_reply(clock, 1);
    EXPECT_EQ(plan.budget_ms, 10000);
    EXPECT_EQ(plan.moves_to_go, 0);
    EXPECT_EQ(planning_line(plan, clock.remaining),
              "\n***planning to use 10000ms of 120000 remaining, 0 moves to go \n");
    // An increment larger than the clock can bear is held to a fifth of the clock.
    apply_time(clock, "1000");
    EXPECT_EQ(plan_reply(clock, 3).budget_ms, 2000);
    EXPECT_EQ(plan_go(clock), 2000);
    finish_reply(clock, plan);
    finish_go(clock);
    EXPECT_EQ(clock.moves_left, 0);
    apply_time(clock, "12000");
    EXPECT_EQ(plan_go(clock), 3666 + 6000);
}

TEST(XboardClock, LevelForms) {
    XboardClock clock;
    apply_level(clock, {"level", "40", "5:30", "0"});
    EXPECT_EQ(clock.remaining, 300000);
    EXPECT_EQ(clock.type, ControlType::CONVENTIONAL);
    XboardClock before = clock;
    apply_level(clock, {"level", "-40", "5", "0"});
    apply_level(clock, {"level", "40", "-5", "0"});
    apply_level(clock, {"level", "0", "5", "-1"});
    EXPECT_EQ(clock.remaining, before.remaining);
    EXPECT_EQ(clock.moves_per_control, 40);
    EXPECT_EQ(clock.type, ControlType::CONVENTIONAL);
    apply_level(clock, {"level"});  // no figures: an incremental control without increment
    EXPECT_EQ(clock.type, ControlType::INCREMENTAL);
    EXPECT_EQ(plan_reply(clock, 5).moves_to_go, 0);
}

TEST(XboardClock, FixedTimeAndDepth) {
    XboardClock clock;
    apply_st(clock, "5");
    EXPECT_EQ(plan_reply(clock, 1).budget_ms, 5000);
    EXPECT_EQ(plan_go(clock), 5000);
    apply_sd(clock, "4");
    EXPECT_EQ(clock.depth_limit, 4);
    EXPECT_EQ(clock.move_time, 0);
    apply_sd(clock, "-4");
    EXPECT_EQ(clock.depth_limit, 4);
    // No budget of zero: think would read it as "no limit".
    apply_st(clock, "0");
    EXPECT_EQ(clock.depth_limit, 0);
    EXPECT_EQ(plan_reply(clock, 1).budget_ms, 1);
    apply_level(clock, {"level", "40", "5", "0"});
    EXPECT_EQ(clock.type, ControlType::CONVENTIONAL);
}

TEST(XboardClock, GoKeepsTenSecondsInReserve) {
    XboardClock clock;
    apply_level(clock, {"level", "40", "5", "0"});
    apply_time(clock, "30000");
    EXPECT_EQ(plan_go(clock), (300000 - 10000) / 40);
    finish_go(clock);
    EXPECT_EQ(clock.moves_left, 39);
    // Under ten seconds the figure would be zero or negative: 1 ms instead.
    apply_time(clock, "500");
    EXPECT_EQ(plan_go(clock), 1);
    clock.moves_left = 1;
    finish_go(clock);
    EXPECT_EQ(clock.moves_left, 40);
}
