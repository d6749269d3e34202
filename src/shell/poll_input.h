// A non-blocking look at the input during a search.
#pragma once

// 0: nothing to act on; 1: a "ponderhit" was waiting and its line was consumed; 2: other
// input (or the end of input) is waiting, left for the protocol loop's next read. Only
// reports anything in UCI mode with the input a pipe, FIFO or socket.
int poll_input();
