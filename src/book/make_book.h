// Making book.txt from opening lines: each input line holds coordinate moves from the start
// position followed by a count ("e2e4 c7c5 g1f3 40"). Every position along the lines becomes
// one book line: its FEN, the moves that first led there in quotes, the summed count of all
// lines through it as the weight, and "0 0".
#pragma once

#include <string>

// Needs the attack and magic tables (it generates and plays the moves). Appends the book
// lines to `book` in order of first appearance, and one message per faulty input line
// ("line 3: illegal move e2e5") to `errors`; faulty lines add nothing. Empty lines and text
// after '#' are ignored. Returns the number of faulty lines.
int make_book(const std::string& openings, std::string& book, std::string& errors);
