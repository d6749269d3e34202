// A pipe session with a running engine; the line forms come from harness/protocol_lines.h.
#pragma once

#include <string>
#include <vector>

#include "harness/protocol_lines.h"
#include "shell/child_process.h"

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
