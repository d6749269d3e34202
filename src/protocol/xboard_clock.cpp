#include "protocol/xboard_clock.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

#include "protocol/read_number.h"
#include "search/search_flags.h"

namespace {

int clamp_to_int(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -INT_MAX, INT_MAX));
}

// A budget never means "no limit" and never risks the clock: 1 ms at least, and (for the
// computed controls) at most a fifth of what is left, since the search may overrun its
// budget up to four times.
int bounded_budget(std::int64_t t, std::int64_t remaining, bool computed) {
    if (computed) t = std::min(t, remaining / 5);
    if (t < 1) t = 1;
    return clamp_to_int(t);
}

}  // namespace

void apply_level(XboardClock& clock, const std::vector<std::string>& words) {
    auto word = [&](std::size_t i) { return i < words.size() ? words[i] : std::string(); };
    int moves = read_int(word(1));
    int minutes = read_int(word(2));  // "5" or "5:30": the figure before ':' counts
    int increment = read_int(word(3));
    if (moves < 0 || minutes < 0 || increment < 0) return;
    if (moves != 0) {
        clock.moves_per_control = moves;
        clock.moves_left = moves;
        clock.type = ControlType::CONVENTIONAL;
        clock.remaining = clamp_to_int(std::int64_t{minutes} * 60000);
    } else {
        clock.moves_per_control = 0;
        clock.type = ControlType::INCREMENTAL;
        clock.increment = clamp_to_int(std::int64_t{increment} * 1000);
    }
}

void apply_st(XboardClock& clock, const std::string& seconds) {
    clock.type = ControlType::FIXED;
    clock.move_time = clamp_to_int(std::int64_t{read_int(seconds)} * 1000);
    clock.depth_limit = 0;
}

void apply_sd(XboardClock& clock, const std::string& plies) {
    int depth = read_int(plies);
    if (depth < 0) return;
    clock.depth_limit = depth;
    clock.move_time = 0;
}

void apply_time(XboardClock& clock, const std::string& centiseconds) {
    clock.remaining = clamp_to_int(std::int64_t{read_int(centiseconds)} * 10);
}

ReplyPlan plan_reply(const XboardClock& clock, int ply) {
    ReplyPlan plan{};
    // An incremental control has no period: nothing to go, and no division by zero.
    if (clock.moves_per_control > 0)
        plan.moves_to_go = clock.moves_per_control - ((ply / 2) % clock.moves_per_control);
    std::int64_t remaining = clock.remaining;
    switch (clock.type) {
        case ControlType::CONVENTIONAL:
            plan.budget_ms = bounded_budget(
                std::min(remaining / (std::int64_t{plan.moves_to_go} + 1), remaining / 5),
                remaining, true);
            break;
        case ControlType::INCREMENTAL:
            plan.budget_ms = bounded_budget(remaining / 30 + clock.increment / 2, remaining, true);
            break;
        case ControlType::FIXED:
            plan.budget_ms = bounded_budget(clock.move_time, remaining, false);
            break;
    }
    return plan;
}

void finish_reply(XboardClock& clock, const ReplyPlan& plan) {
    clock.moves_left = plan.moves_to_go - 1;
    if (clock.moves_left <= 0) clock.moves_left = clock.moves_per_control;
}

int plan_go(const XboardClock& clock) {
    std::int64_t remaining = clock.remaining;
    switch (clock.type) {
        case ControlType::CONVENTIONAL:
            return bounded_budget((remaining - 10000) / std::max(clock.moves_left, 1), remaining,
                                  true);
        case ControlType::INCREMENTAL:
            return bounded_budget((remaining - 10000) / 30 + clock.increment / 2, remaining, true);
        case ControlType::FIXED:
            break;
    }
    return bounded_budget(clock.move_time, remaining, false);
}

void finish_go(XboardClock& clock) {
    clock.moves_left -= 1;
    if (clock.moves_left <= 0) clock.moves_left = clock.moves_per_control;
}

std::int64_t clock_deadline(const XboardClock& clock) {
    if (clock.type == ControlType::FIXED)
        return clock.move_time > 0 ? deadline_within(clock.move_time) : 0;
    return deadline_within(clock.remaining);
}

std::string planning_line(const ReplyPlan& plan, int remaining) {
    char text[128];
    std::snprintf(text, sizeof text, "\n***planning to use %ims of %i remaining, %i moves to go \n",
                  plan.budget_ms, remaining, plan.moves_to_go);
    return text;
}
