// orlo-book's core: opening lines in, book lines out, and the book it makes in use.
#include "book/make_book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/fen.h"
#include "book/book.h"
#include "support/engine_runner.h"

namespace {

TEST(MakeBook, PositionsAlongTheLinesWithSummedCounts) {
    std::string book, errors;
    int faulty = make_book(
        "# comment line\n"
        "e2e4 c7c5 40\n"
        "\n"
        "e2e4 e7e5 g1f3 10   # Open Game\r\n"
        "d2d4 g8f6 c2c4 e7e6 3\n"
        "c2c4 e7e6 d2d4 g8f6 2\n",
        book, errors);
    EXPECT_EQ(faulty, 0);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(book,
              "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 0 \"e2e4\" 50 0 0\n"
              "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 0 \"e2e4 c7c5\" 40 0 0\n"
              "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 0 \"e2e4 e7e5\" 10 0 0\n"
              "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 0 0 \"e2e4 e7e5 g1f3\" "
              "10 0 0\n"
              "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq - 0 0 \"d2d4\" 3 0 0\n"
              "rnbqkb1r/pppppppp/5n2/8/3P4/8/PPP1PPPP/RNBQKBNR w KQkq - 0 0 \"d2d4 g8f6\" 3 0 0\n"
              "rnbqkb1r/pppppppp/5n2/8/2PP4/8/PP2PPPP/RNBQKBNR b KQkq - 0 0 \"d2d4 g8f6 c2c4\" "
              "3 0 0\n"
              "rnbqkb1r/pppp1ppp/4pn2/8/2PP4/8/PP2PPPP/RNBQKBNR w KQkq - 0 0 "
              "\"d2d4 g8f6 c2c4 e7e6\" 5 0 0\n"
              "rnbqkbnr/pppppppp/8/8/2P5/8/PP1PPPPP/RNBQKBNR b KQkq - 0 0 \"c2c4\" 2 0 0\n"
              "rnbqkbnr/pppp1ppp/4p3/8/2P5/8/PP1PPPPP/RNBQKBNR w KQkq - 0 0 \"c2c4 e7e6\" 2 0 0\n"
              "rnbqkbnr/pppp1ppp/4p3/8/2PP4/8/PP2PPPP/RNBQKBNR b KQkq - 0 0 \"c2c4 e7e6 d2d4\" "
              "2 0 0\n");
}

TEST(MakeBook, FaultyLinesAreReportedAndLeftOut) {
    std::string book, errors;
    int faulty = make_book(
        "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 e1e2 4\n"  // returns to a position: counted once
        "e2e4 e7e5 e5e4 1\n"                      // blocked pawn
        "e2e4 e1e2 1\n"                           // white moves twice
        "e2e4 c7c5\n"                             // no count
        "e2e4 -5\n"
        "e2e4 99999999999\n",
        book, errors);
    EXPECT_EQ(faulty, 5);
    EXPECT_EQ(errors,
              "line 2: illegal move e5e4\n"
              "line 3: illegal move e1e2\n"
              "line 4: moves and a count expected\n"
              "line 5: moves and a count expected\n"
              "line 6: moves and a count expected\n");
    EXPECT_NE(book.find("\"e2e4\" 4 0 0\n"), std::string::npos);
    EXPECT_NE(book.find("\"e2e4 e7e5 e1e2\" 4 0 0\n"), std::string::npos);
    EXPECT_EQ(book.find(" 8 0 0"), std::string::npos);
}

TEST(MakeBook, ShippedBookLoadsAndAnswersTheFirstMoves) {
    std::string shipped = read_file(std::string(ORLO_SOURCE_DIR) + "/data/book.txt");
    std::string openings = read_file(std::string(ORLO_SOURCE_DIR) + "/data/openings.txt");
    ASSERT_FALSE(shipped.empty());
    std::string made, errors;
    EXPECT_EQ(make_book(openings, made, errors), 0) << errors;
    EXPECT_EQ(made, shipped) << "data/book.txt is not orlo-book's output for data/openings.txt";

    std::string dir = make_scratch_dir("book_shipped");
    write_file(dir, "book.txt", shipped);
    EXPECT_EQ(load_book((dir + "/book.txt").c_str()), 1);
    EXPECT_EQ(book_count, static_cast<int>(std::count(shipped.begin(), shipped.end(), '\n')));
    Move move = 0;
    EXPECT_EQ(probe_book(start_position, move), 1);
    book_count = 0;
}

}  // namespace
