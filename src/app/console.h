// The console: banner, start-up, and the command loop at the "\n>orlo " prompt.
#pragma once

#include <string>
#include <vector>

// Runs the console until end of input; returns the exit status.
int console_loop();

// Splits a line into blank-separated words (at most max_words).
std::vector<std::string> split_words(const std::string& line, std::size_t max_words);
