// The UCI protocol loop, entered from the console with "uci".
#pragma once

#include <string>

#include "protocol/uci_position.h"

// What the loop carries from line to line.
struct UciSession {
    UciGame game;
    std::string pending;  // a line read while waiting for "stop", handled next
    bool has_pending = false;
    bool input_ended = false;  // end of input counts as "quit"
};

// Announces the engine, then serves lines (from read_line, answers through send_line) until
// "quit" or the end of input. Returns the exit status, 0.
int uci_loop();

// Reads the next line for the loop (a pending one first), logging it; false at end of input.
bool uci_next_line(UciSession& session, std::string& line);

// Handles one line; returns false when the loop must end ("quit").
bool uci_handle_line(UciSession& session, const std::string& line);
