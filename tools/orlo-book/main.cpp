// orlo-book: makes a book.txt from opening lines.
//   orlo-book [openings.txt] > book.txt
// Reads the opening lines from the named file (standard input without one): coordinate moves
// from the start position and a count per line, e.g. "e2e4 c7c5 g1f3 40". Faulty lines are
// reported on standard error and left out; the exit status is then 1.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "board/bitboard.h"
#include "book/make_book.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: orlo-book [openings.txt] > book.txt\n";
        return 2;
    }
    std::stringstream text;
    if (argc == 2) {
        std::ifstream file(argv[1], std::ios::binary);
        if (!file) {
            std::cerr << "orlo-book: cannot read " << argv[1] << "\n";
            return 2;
        }
        text << file.rdbuf();
    } else {
        text << std::cin.rdbuf();
    }

    // Generating and playing moves needs only these; no log files, no book of its own.
    init_attack_tables();
    init_magic_tables();

    std::string book, errors;
    int faulty = make_book(text.str(), book, errors);
    std::cout << book;
    std::cerr << errors;
    return faulty ? 1 : 0;
}
