// The one standard-input layer: every line the program reads comes through here, so that
// bytes moved aside by a non-blocking look during a search are never lost.
#pragma once

#include <cstddef>
#include <string>

// The descriptor lines are read from (standard input unless a caller redirects it).
extern int input_fd;

// Longest line kept; the rest of a longer line is read and dropped.
constexpr std::size_t MAX_LINE_LENGTH = 1 << 16;

// Reads one line without its end ("\n", "\r\n"). Returns false at end of input (or on a
// read error) when no bytes of a last unterminated line remain.
bool read_line(std::string& line);

// The most that fill_input_nonblocking buffers: the rest waits until lines are read.
constexpr std::size_t INPUT_BUFFER_LIMIT = 1 << 20;

// Moves whatever is waiting on input_fd into the buffer without blocking, up to
// INPUT_BUFFER_LIMIT. Returns the number of bytes now buffered; *closed is set when the input
// has ended.
std::size_t fill_input_nonblocking(bool* closed);

// The unread bytes held in the buffer (not consumed).
const std::string& buffered_input();

// Drops the buffered line holding byte `offset` (through its "\n", or to the end of the
// buffer); the lines before and after it stay in order. Returns the dropped text without its
// line end, as read_line would have given it.
std::string discard_buffered_line_at(std::size_t offset);

// Blocks until input is readable or has ended; returns false on end of input with nothing
// buffered.
bool wait_for_input();

// Forgets all buffered bytes and the end-of-input mark (for tests and in-process drivers).
void reset_input();
