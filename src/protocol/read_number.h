// Reading the decimal numbers of protocol lines: leading digits count, text after them is
// ignored, and absurd figures are held at the int range instead of overflowing.
#pragma once

#include <string>

// A missing or non-numeric word reads as 0.
int read_int(const std::string& word);
