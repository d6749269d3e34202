// The UCI identification and options: the announcement sent on entering the UCI loop, and
// "setoption" for the hash size and the twelve evaluation weights.
#pragma once

#include <string>

// The author credit of the "id author" line.
constexpr const char* ENGINE_AUTHOR = "the Orlo developers";

// Sends the empty line, the two id lines, the thirteen option lines and "uciok".
void send_announcement();

// Carries out a "setoption name NAME value V" line (words 3 and 5); unknown names do nothing.
// Weights are held within WEIGHT_LIMIT either way so no evaluation arithmetic can overflow;
// the hash size is held within the tables' 1..4096 MB.
void apply_setoption(const std::string& line);

constexpr int WEIGHT_LIMIT = 10000;
