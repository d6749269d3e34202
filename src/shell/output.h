// Console and protocol output: every text the engine prints goes through `out`.
#pragma once

#include <cstdio>

// Where output goes (standard output unless a caller redirects it); nullptr: nowhere.
extern std::FILE* output_file;

// printf-style; flushed at once so a GUI sees every line when it is written.
void out(const char* format, ...) __attribute__((format(printf, 1, 2)));
