// Protocol output and the protocol log: the mode flag, send_line (standard output plus a
// stamped uci.txt line) and the log line formats.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The protocol the engine speaks: the console's until "xboard" or "uci" hands it over.
enum ProtocolMode : int { CONSOLE_MODE = 0, XBOARD_MODE = 1, UCI_MODE = 2 };
extern ProtocolMode protocol_mode;
// The protocol log (uci.txt in UCI mode), or nullptr when none is open.
extern std::FILE* log_file;
// Clock reading (ms) when the UCI loop started: the time base of the log stamps.
extern double log_start_ms;

// Opens (truncates) the named log as log_file and takes log_start_ms from the clock.
// Returns false, leaving log_file null, when it cannot be opened: the engine works on.
bool open_protocol_log(const char* name);
void close_protocol_log();

// Whole milliseconds since log_start_ms (64-bit: a session may outlast 2^31 ms).
std::int64_t log_stamp_ms();

// Writes text and "\n" to the output, flushes, then logs "%6i -->%s\n" when a log is open.
void send_line(const char* text);
// printf-style send_line.
void send_line_format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Only the stamped "%6i -->%s\n" log line, flushed (when a log is open).
void log_sent_line(const char* text);
// A received line as "<--%s\n" (not flushed).
void log_received_line(const std::string& line);
// A received line exactly as read, "%s\n" (the xboard log).
void log_raw_line(const std::string& line);
