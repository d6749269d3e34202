// The process-wide flags the protocol loops and the search share: pondering, the stop flag,
// the expected reply (ponder_move), the UCI loop's hold on "bestmove", xboard analysis, and
// the deadline by which an interface's clock wants the move. Defined with think.
#pragma once

#include <cstdint>

#include "board/move.h"

// What is kept back from the time an interface allows for a move: the time the search's clock
// does not see (the command on its way in and being read, the move being written and on its
// way out, the process waiting for a processor). The time between two looks at the clock needs
// none: the search ends at the last look before the deadline, judging the next to come as late
// as the latest so far, so a slow build or a busy machine stops earlier by itself.
constexpr std::int64_t MOVE_TIME_MARGIN_MS = 10;
// The deadline for a move that must be sent within time_ms (a fixed time a move, or what is
// left on the mover's clock): that time less the margin, at least 1 ms.
constexpr std::int64_t deadline_within(std::int64_t time_ms) {
    return time_ms - MOVE_TIME_MARGIN_MS > 1 ? time_ms - MOVE_TIME_MARGIN_MS : 1;
}

// Its value of stop_flag when waiting input ended the search (what the input look reports).
constexpr int STOPPED_BY_INPUT = 2;

struct SearchFlags {
    // 1 while the search ponders: the time rules between iterations and the hard limit are off
    // until a "ponderhit" (seen by the interrupt check) clears it.
    int pondering;
    // Nonzero once the search must end; stays set until the next think.
    int stop_flag;
    // The reply expected from the opponent, left by think in console and xboard modes.
    Move ponder_move;
    // UCI only: when nonzero, think does not send the "bestmove" line nor the reports that
    // follow it; the UCI loop sends them with send_bestmove when the protocol allows.
    int hold_bestmove;
    // xboard only: nonzero while the loop analyses. The search then also ends when input that
    // ends the analysis waits (poll_analysis_input), an iteration cut short that way is not
    // reported (the GUI has moved on), and think sends no move, result or resignation and
    // leaves the position as it was.
    int analysing;
    // The deadline of the next search in ms from its start (0: none), set by a protocol loop
    // whose interface enforces a clock (see deadline_within). think takes it for that search
    // alone and clears it, so no other caller inherits it. It does not run while the search
    // ponders; after a "ponderhit" it counts from the ponderhit, as the interface's clock
    // does. Inside it the time rules apply as always.
    std::int64_t move_deadline_ms;
};
extern SearchFlags search_flags;
