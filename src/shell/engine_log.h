// The engine log orlo.txt: created empty at start-up, appended to by its writers.
// A search holds it open for its duration; otherwise each message opens and closes it.
#pragma once

#include <cstdio>

constexpr const char* ENGINE_LOG_NAME = "orlo.txt";

// Creates (truncates) orlo.txt; silently does nothing when it cannot be written.
void engine_log_create();
// Appends one message; skipped when the file cannot be opened.
void engine_log(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Keeps the log open (a search does this); returns the open file or nullptr.
std::FILE* engine_log_hold();
void engine_log_release();
