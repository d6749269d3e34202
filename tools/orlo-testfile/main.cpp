// orlo-testfile: makes an orlotest.txt for the console's "testeval" and "test".
//   orlo-testfile positions.txt [DEPTH] > orlotest.txt
// Reads one position in FEN per line (blank lines and text after '#' are ignored) and writes
// for each the test line: the position, the engine's static evaluation as the "old" score
// and the score of a fixed-depth search (default 8 plies) as the "search" score, both from
// the side to move's view. Positions that cannot be searched are reported on standard error
// and left out; the exit status is then 1.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "app/startup.h"
#include "board/fen.h"
#include "board/usable.h"
#include "harness/eval_test.h"
#include "search/think.h"
#include "shell/output.h"

namespace {

constexpr int DEFAULT_DEPTH = 8;
constexpr int MAX_DEPTH = 20;

std::string without_comment(const std::string& line) {
    std::string text = line.substr(0, line.find('#'));
    const std::size_t end = text.find_last_not_of(" \t\r");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: orlo-testfile positions.txt [DEPTH] > orlotest.txt\n";
        return 2;
    }
    const int depth = argc == 3 ? std::atoi(argv[2]) : DEFAULT_DEPTH;
    if (depth < 1 || depth > MAX_DEPTH) {
        std::cerr << "orlo-testfile: depth must be between 1 and " << MAX_DEPTH << "\n";
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        std::cerr << "orlo-testfile: cannot read " << argv[1] << "\n";
        return 2;
    }

    init_engine_tables();
    // The searches' own console output is not wanted here.
    std::FILE* sink = std::tmpfile();
    if (!sink) {
        std::cerr << "orlo-testfile: cannot open a scratch file for the search output\n";
        return 2;
    }
    std::FILE* console = output_file;
    const EngineSettings no_book{};

    int faulty = 0;
    int line_number = 0;
    std::string line;
    while (std::getline(input, line)) {
        ++line_number;
        const std::string fen = without_comment(line);
        if (fen.empty()) continue;
        Position position{};
        read_fen(fen.c_str(), position);
        if (!position_is_usable(position)) {
            std::cerr << "line " << line_number << ": position not usable: " << fen << "\n";
            ++faulty;
            continue;
        }
        char text[FEN_BUFFER_SIZE];
        write_fen(position, text);
        const int old_score = test_evaluation(position);

        reset_engine_state();
        Position searched = position;
        output_file = sink;
        const int moved = think(searched, 0, depth, no_book, 0);
        output_file = console;
        std::rewind(sink);
        if (!moved) {
            std::cerr << "line " << line_number << ": no legal move: " << fen << "\n";
            ++faulty;
            continue;
        }
        std::printf("%s %i %i\n", text, old_score, last_search.score);
    }
    std::fclose(sink);
    return faulty ? 1 : 0;
}
