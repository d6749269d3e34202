// The forms of the lines an engine may send to a GUI, as a GUI's parser would accept them:
// UCI ("id", "option", "uciok", "readyok", "info", "bestmove") and xboard ("feature",
// "pong", "move", thinking output, results, "resign", "tellothers" and friends). The
// referee of self-play games, the fuzz targets and the tests check output with these.
#pragma once

#include <string>
#include <vector>

#include "shell/move_text_shape.h"

// "info ..." as the UCI grammar has it (the pv holds moves only; scores "cp N" or "mate N",
// optionally followed by "lowerbound" or "upperbound"; "string" takes the rest of the line).
bool well_formed_info(const std::string& line);
// "bestmove MOVE" or "bestmove MOVE ponder MOVE"; MOVE may be "0000".
bool well_formed_bestmove(const std::string& line);
// An xboard thinking line: depth, score, centiseconds and nodes, then the moves of the
// principal variation (the engine closes it with ".").
bool well_formed_thinking(const std::string& line);

// The engine's own texts that reach a protocol channel too, and that a GUI passes over as it
// does any line it does not know: the two lines of the table wipe at every search (" " and
// "hash cleared/aged in S.SSS s").
bool is_table_wipe_line(const std::string& line);
// The heading of the evaluation report after a UCI "go depth" of 1 to 4: "now evaluating"
// and the lines of the board diagram (ranks, side to move, castling).
bool is_eval_heading_line(const std::string& line);

// Any line a UCI engine may send once the "uci" line has been answered (empty lines too:
// every GUI skips them), the two kinds of text above included.
bool is_uci_line(const std::string& line);
// Any line an xboard engine may send (empty lines too), the table wipe's included.
bool is_xboard_line(const std::string& line);

// The lines of a text, without their ends; a last line without an end counts too.
std::vector<std::string> lines_of(const std::string& text);
