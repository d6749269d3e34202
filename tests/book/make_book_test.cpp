// orlo-book's core: opening lines in, book lines out, and the book it makes in use.
#include "book/make_book.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "board/fen.h"
#include "book/book.h"
#include "support/engine_runner.h"
#include "support/positions.h"

namespace {

// The book line of the position after the moves.
std::string line(const std::string& moves, int count) {
    Position p = start_position;
    std::vector<std::string> list;
    for (std::size_t at = 0; at < moves.size(); at += 5) list.push_back(moves.substr(at, 4));
    EXPECT_TRUE(play_moves(p, list));
    char fen[FEN_BUFFER_SIZE];
    write_fen(p, fen);
    return std::string(fen) + " \"" + moves + "\" " + std::to_string(count) + " 0 0\n";
}

TEST(MakeBook, PositionsAlongTheLinesWithSummedCounts) {
    std::string book, errors;
    // Counts add up along shared beginnings and transpositions; a position reached again in
    // the same line counts once.
    const int faulty = make_book(
        "# comment line\n"
        "e2e4 c7c5 40\n"
        "\n"
        "e2e4 e7e5 10   # Open Game\r\n"
        "d2d4 e7e6 c2c4 3\n"
        "c2c4 e7e6 d2d4 g8f6 g1f3 f6g8 f3g1 2\n",
        book, errors);
    EXPECT_EQ(faulty, 0);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(book, line("e2e4", 50) + line("e2e4 c7c5", 40) + line("e2e4 e7e5", 10) +
                        line("d2d4", 3) + line("d2d4 e7e6", 3) + line("d2d4 e7e6 c2c4", 5) +
                        line("c2c4", 2) + line("c2c4 e7e6", 2) + line("c2c4 e7e6 d2d4 g8f6", 2) +
                        line("c2c4 e7e6 d2d4 g8f6 g1f3", 2) +
                        line("c2c4 e7e6 d2d4 g8f6 g1f3 f6g8", 2));
}

TEST(MakeBook, FaultyLinesAreReportedAndLeftOut) {
    std::string book, errors;
    const int faulty = make_book(
        "e2e4 e7e5 e5e4 1\n"  // blocked pawn
        "e2e4 e1e2 1\n"       // white moves twice
        "e2e4 c7c5\n"         // no count
        "e2e4 -5\n"
        "e2e4 99999999999\n",
        book, errors);
    EXPECT_EQ(faulty, 5);
    EXPECT_EQ(errors,
              "line 1: illegal move e5e4\n"
              "line 2: illegal move e1e2\n"
              "line 3: moves and a count expected\n"
              "line 4: moves and a count expected\n"
              "line 5: moves and a count expected\n");
    EXPECT_EQ(book, "");
}

TEST(MakeBook, ShippedBookIsMadeFromTheOpeningsAndAnswersTheFirstMove) {
    const std::string shipped = read_file(std::string(ORLO_SOURCE_DIR) + "/data/book.txt");
    const std::string openings = read_file(std::string(ORLO_SOURCE_DIR) + "/data/openings.txt");
    ASSERT_FALSE(shipped.empty());
    std::string made, errors;
    EXPECT_EQ(make_book(openings, made, errors), 0) << errors;
    EXPECT_EQ(made, shipped) << "data/book.txt is not orlo-book's output for data/openings.txt";
    const std::string dir = make_scratch_dir("book_shipped");
    write_file(dir, "book.txt", shipped);
    EXPECT_EQ(load_book((dir + "/book.txt").c_str()), 1);
    EXPECT_EQ(book_count, static_cast<int>(std::count(shipped.begin(), shipped.end(), '\n')));
    Move move = 0;
    EXPECT_EQ(probe_book(start_position, move), 1);
    book_count = 0;
}

}  // namespace
