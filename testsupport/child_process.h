// A program started with pipes on its standard input and output: how tests, the referee of
// self-play games and tools talk to a real engine process, as a GUI would.
#pragma once

#include <string>
#include <vector>

struct ChildProcess {
    int pid = -1;
    int to_child = -1;     // writes reach the child's standard input
    int from_child = -1;   // the child's standard output
    std::string received;  // everything read so far, not yet consumed
};

// Starts program with arguments in working_directory (empty: the current one).
bool start_child(ChildProcess& child, const std::string& program,
                 const std::vector<std::string>& arguments, const std::string& working_directory);
// Writes text as it stands (add "\n" for a line).
bool send_to_child(ChildProcess& child, const std::string& text);
// Reads until `wanted` occurs in the received text or timeout_ms passes; returns the text up
// to and including `wanted` and consumes it, or "" (leaving the text unconsumed) on timeout.
std::string read_child_until(ChildProcess& child, const std::string& wanted, int timeout_ms);
// Reads one line (without its end) within timeout_ms; false on timeout or end of output.
bool read_child_line(ChildProcess& child, std::string& line, int timeout_ms);
// Reads everything until the child closes its output or timeout_ms passes.
std::string read_child_all(ChildProcess& child, int timeout_ms);
// Closes the child's standard input (end of input for it).
void close_child_input(ChildProcess& child);
// Waits up to timeout_ms for the child to exit; returns its exit status, or -1 if it had to
// be killed or did not exit normally.
int wait_child(ChildProcess& child, int timeout_ms);
