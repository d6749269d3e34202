// Writing a whole text to a descriptor: the pipes to a child process and into the input layer.
#pragma once

#include <string>

// Writes every byte of text to fd, going on after interrupted writes; false on a write error.
bool write_all(int fd, const std::string& text);
