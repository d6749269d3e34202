// Runs the real orlo binary in a scratch directory, as a GUI or a person would.
#pragma once

#include <string>

#include "testsupport/child_process.h"

// A fresh empty directory under the build tree for one test's files (orlo.txt, uci.txt...),
// apart from every other test's.
std::string make_scratch_dir(const std::string& name);
// Writes a file (for orlo.ini, book.txt, orlotest.txt) into dir.
void write_file(const std::string& dir, const std::string& name, const std::string& text);
std::string read_file(const std::string& path);
// Starts orlo in dir.
bool start_engine(ChildProcess& child, const std::string& dir);
// Feeds all of `input` to a fresh orlo in dir, closes its input, and returns all its output
// and (in *status) its exit status.
std::string run_engine(const std::string& dir, const std::string& input, int* status,
                       int timeout_ms = 60000);
