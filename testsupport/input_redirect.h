// Points the input layer at a pipe the caller writes into, or at a file, instead of standard
// input: how tests and in-process drivers feed lines to the loops and to poll_input.
#pragma once

#include <string>

struct InputPipe {
    int write_fd = -1;  // writes arrive at the input layer; -1 once closed
};

// Makes a fresh pipe the input (buffered bytes and the end mark are forgotten).
bool redirect_input_to_pipe(InputPipe& pipe);
bool write_input_pipe(InputPipe& pipe, const std::string& text);
// Closes the writing end: the input layer then sees the end of input.
void close_input_pipe(InputPipe& pipe);
// Sets O_NONBLOCK on the input descriptor, as a parent process may leave it.
bool make_input_nonblocking();
// Makes a pipe holding `text`, already ended, the input: how an in-process driver hands a
// whole session to a loop. The pipe is enlarged to hold the text where the system allows;
// returns false when only the start of the text fit (that start is still the input).
bool redirect_input_to_text(const std::string& text);
// Makes the named file the input.
bool redirect_input_to_file(const std::string& path);
// Back to standard input, closing a redirected descriptor.
void restore_standard_input();
