// What a GUI checks in an engine's protocol output: well-formed UCI "info" and "bestmove"
// lines and xboard "move" lines, and a pipe session with a running engine.
#pragma once

#include <string>
#include <vector>

#include "shell/child_process.h"

// Coordinate move text: four square characters and an optional promotion letter.
bool is_move_text(const std::string& word);
// "info ..." as the UCI grammar has it (the pv holds moves only; scores "cp N" or "mate N",
// optionally followed by "lowerbound" or "upperbound").
bool well_formed_info(const std::string& line);
// "bestmove MOVE" or "bestmove MOVE ponder MOVE"; MOVE may be "0000".
bool well_formed_bestmove(const std::string& line);

// The lines of a text (without their ends).
std::vector<std::string> lines_of(const std::string& text);

// A file the engine finds in its working directory when it starts (orlo.ini, book.txt...).
struct StartFile {
    std::string name;
    std::string text;
};

// A running engine in its own scratch directory; ended (quit, then killed if need be) when
// the test is done with it.
struct EngineProcess {
    ChildProcess child;
    std::string dir;
    EngineProcess(const std::string& name, const std::string& first_line,
                  const std::vector<StartFile>& files = {});
    ~EngineProcess();
    void send(const std::string& line);
    // The output up to and including `wanted` ("" on timeout).
    std::string until(const std::string& wanted, int timeout_ms = 60000);
    // Sends "quit" and returns the exit status.
    int quit();
};
