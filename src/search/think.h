// The search's single entry point, think, the outcome of the last search, and the flags its
// callers set and read (declared in search_flags.h).
#pragma once

#include <cstdint>

#include "board/move.h"
#include "board/position.h"
#include "search/engine_settings.h"
#include "search/game_keys.h"
#include "search/search_flags.h"

// What the last think decided, for the protocol loops.
struct SearchResult {
    int has_move;         // 0 when the root had no legal move (nothing was searched or played)
    int in_check;         // root side in check (with has_move 0: mated, else stalemate)
    int from_book;        // the move came from the opening book
    Move best_move;       // 0 when has_move is 0
    int score;            // final score for the side to move at the root
    int depth;            // last iteration reported (0 after a book move)
    char best_text[8];    // coordinate text of best_move ("" when none)
    char ponder_text[8];  // first move of the principal variation after it ("" when none)
};
extern SearchResult last_search;

// Sends "bestmove" (with " ponder" when there is a reply) and, for depth 1 to 4 searches, the
// before/after evaluation reports, for the search last_search describes.
void send_bestmove();

// Searches the position for up to time_ms milliseconds (0: no limit) or depth plies (0: no
// limit), writing the current mode's output; with search_settings.book set, a book move is
// taken instead when there is one (no search, score 0, no ponder move). In console and
// xboard modes the chosen move is made on position. moves_played is the count of moves the UCI
// "position" line played. Returns 1 when a move was chosen, 0 when the root has no legal move (then
// at once, without output beyond the console's "\ncheckmate" / "\nstalemate").
int think(Position& position, int time_ms, int depth, const EngineSettings& search_settings,
          int moves_played);
