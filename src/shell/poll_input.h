// A non-blocking look at the input during a search: the UCI look, and the look of an xboard
// analysis.
#pragma once

#include <string_view>

// 0: nothing to act on; 1: a "ponderhit" was waiting and its line was consumed; 2: other
// input (or the end of input) is waiting, left for the protocol loop's next read. Only
// reports anything in UCI mode with the input a pipe, FIFO or socket.
int poll_input();

// Is the line one that ends an xboard analysis search: a move (coordinate text) or "undo",
// "new", "setboard", "exit" or "quit"?
bool ends_analysis(std::string_view line);

// The look during an xboard analysis search, on any input that can be polled: 2 when a
// complete line that ends the analysis waits, when the input has ended, or when so much other
// input waits that the loop must read it; 0 otherwise. Waiting "." lines (a GUI's request for
// a status line, which needs no answer) are dropped; any other line stays, in order, for the
// loop to read after the search.
int poll_analysis_input();
