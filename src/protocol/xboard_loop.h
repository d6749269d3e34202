// The xboard (version 2) protocol loop, entered from the console with "xboard".
#pragma once

#include <cstdio>
#include <string>

#include "protocol/xboard_game.h"

constexpr const char* XBOARD_FEATURES =
    "feature setboard=1 ping=1 analyze=1 variants=normal done=1";

struct XboardSession {
    XboardGame game;
    std::FILE* log = nullptr;  // winboard.txt, or null when it cannot be written
    // Analysis is asked for, or the position changed, since an analysis last came to its own
    // end: in analyze mode the loop analyses once no line waits.
    bool analysis_due = false;
};

// Serves lines (from read_line, answers through out) until "quit" or the end of input.
// Returns the exit status, 0.
int xboard_loop();

// Handles one line; returns false when the loop must end ("quit").
bool xboard_handle_line(XboardSession& session, const std::string& line);
