// The process-wide flags the protocol loops and the search share: pondering, the stop flag,
// the expected reply (ponder_move), the UCI loop's hold on "bestmove" and xboard analysis.
// Defined with think.
#pragma once

#include "board/move.h"

// 1 while the search ponders: the time rules between iterations and the hard limit are off
// until a "ponderhit" (seen by the interrupt check) clears it.
extern int pondering;
// Nonzero once the search must end; stays set until the next think.
extern int stop_flag;
// Its value when waiting input ended the search (what the input look reports).
constexpr int STOPPED_BY_INPUT = 2;
// The reply expected from the opponent, left by think in console and xboard modes.
extern Move ponder_move;
// UCI only: when nonzero, think does not send the "bestmove" line nor the reports that
// follow it; the UCI loop sends them with send_bestmove when the protocol allows.
extern int hold_bestmove;
// xboard only: nonzero while the loop analyses. The search then also ends when input that ends
// the analysis waits (poll_analysis_input), an iteration cut short that way is not reported
// (the GUI has moved on), and think sends no move, result or resignation and leaves the
// position as it was.
extern int analysing;
