// The xboard clock: the time-control figures from "level", "st", "sd" and "time", and the
// budgets of the engine's reply to a move and of "go".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ControlType { CONVENTIONAL = 0, INCREMENTAL = 1, FIXED = 2 };

struct XboardClock {
    ControlType type = ControlType::CONVENTIONAL;
    int moves_per_control = 1;
    int moves_left = 1;
    int remaining = 5000;  // ms, the engine's clock
    int increment = 1000;  // ms
    int move_time = 5000;  // ms, from "st"
    int depth_limit = 0;   // from "sd"; 0: none
};

// "level MPS BASE INC": words 2 to 4 of the line. A negative figure leaves the clock as is.
void apply_level(XboardClock& clock, const std::vector<std::string>& words);
// "st SECONDS".
void apply_st(XboardClock& clock, const std::string& seconds);
// "sd PLIES"; a negative depth leaves the clock as is.
void apply_sd(XboardClock& clock, const std::string& plies);
// "time CENTISECONDS".
void apply_time(XboardClock& clock, const std::string& centiseconds);

// The plan for the reply to a move, ply counted after the opponent's move.
struct ReplyPlan {
    int budget_ms;
    int moves_to_go;
};
ReplyPlan plan_reply(const XboardClock& clock, int ply);
// After the reply: the moves left in the period.
void finish_reply(XboardClock& clock, const ReplyPlan& plan);

// The budget of "go" (keeping ten seconds in reserve), and the period count after it.
int plan_go(const XboardClock& clock);
void finish_go(XboardClock& clock);

// The deadline of the engine's move in ms (0: none): the fixed time a move ("st") or what is
// left on the clock, less the margin; none when "sd" replaced "st".
std::int64_t clock_deadline(const XboardClock& clock);

// The line written to winboard.txt before a reply.
std::string planning_line(const ReplyPlan& plan, int remaining);
