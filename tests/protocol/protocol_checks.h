// Pipe sessions with a running engine under UCI or xboard, and the checks the protocol tests
// share; the line forms come from testsupport/protocol_lines.h.
#pragma once

#include <string>
#include <vector>

#include "board/position.h"
#include "testsupport/child_process.h"
#include "testsupport/protocol_lines.h"

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

// After "uci": exchange() sends a line and reads through the answer to a following isready.
struct UciEngine : EngineProcess {
    std::string announcement;
    UciEngine(const std::string& name, const std::vector<StartFile>& files = {});
    std::string exchange(const std::string& line);
    // Sends the line (a "go") and reads through the bestmove and a following isready.
    std::string search(const std::string& line);
};

// After "xboard" and "protover 2": exchange() reads through the answer to a following ping.
struct XboardEngine : EngineProcess {
    std::string features;
    int pings = 0;
    XboardEngine(const std::string& name, const std::vector<StartFile>& files = {});
    std::string exchange(const std::string& line);
    // The engine's "move" answer to the line ("" if none).
    std::string move_after(const std::string& line);
};

Position from_fen(const std::string& fen);
// The move of the text's bestmove line ("" when there is none).
std::string best_move_of(const std::string& text);
// Is move legal in the position after the given moves from fen?
bool legal_after(const std::string& fen, const std::vector<std::string>& moves,
                 const std::string& move);
// Every info and bestmove line of the text is well formed.
void expect_well_formed(const std::string& text);
