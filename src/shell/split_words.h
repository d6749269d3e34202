// Splitting a line into words: how the console and both protocols read their commands.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Splits a line into blank-separated words (at most max_words).
std::vector<std::string> split_words(const std::string& line, std::size_t max_words);
