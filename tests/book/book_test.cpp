// The opening book: choosing moves by weight, and reading book.txt (format, bad lines, the
// size cap).
#include "book/book.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "shell/engine_log.h"
#include "shell/protocol_output.h"
#include "support/engine_runner.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

Position after_moves(const std::vector<std::string>& moves) {
    Position position = start_position;
    EXPECT_TRUE(play_moves(position, moves));
    return position;
}

std::string fen_of(const Position& position) {
    char fen[FEN_BUFFER_SIZE];
    write_fen(position, fen);
    return fen;
}

// A book line for the position after the move, with the numbers as given.
std::string book_line(const std::string& move, const std::string& numbers) {
    return fen_of(after_moves({move})) + " \"" + move + "\" " + numbers + "\n";
}

class Book : public ::testing::Test {
  protected:
    std::string dir = make_scratch_dir("book");
    void TearDown() override { book_count = 0; }  // later tests expect no book

    // Writes book.txt (none when null), loads it in the scratch directory, returns orlo.txt.
    std::string load(const std::string* text) {
        std::remove((dir + "/book.txt").c_str());
        if (text) write_file(dir, "book.txt", *text);
        InDirectory in(dir);
        std::remove("orlo.txt");
        EXPECT_EQ(load_book(), text ? 1 : 0);
        return read_file("orlo.txt");
    }
    std::string load(const std::string& text) { return load(&text); }
};

// Probes the start position in UCI mode: the move's text and what the interface was sent.
std::pair<std::string, std::string> probe_uci() {
    CapturedOutput capture;
    std::FILE* saved_log = log_file;
    log_file = nullptr;
    protocol_mode = UCI_MODE;
    Move move = 0;
    char text[8] = "";
    if (probe_book(start_position, move)) move_to_text(start_position, move, text);
    protocol_mode = CONSOLE_MODE;
    log_file = saved_log;
    return {text, capture.text()};
}

// How often each move is chosen over many probes of the start position.
std::map<std::string, int> choices(int probes) {
    std::map<std::string, int> seen;
    for (int i = 0; i < probes; ++i) {
        Move move = 0;
        if (probe_book(start_position, move)) ++seen[move_texts(start_position, {move})[0]];
    }
    return seen;
}

TEST_F(Book, ProbeWorkedCases) {
    // Below a tenth of the total a move is never chosen; the others are drawn.
    load(book_line("e2e4", "50 0 0") + book_line("d2d4", "45 0 0") + book_line("c2c4", "5 0 0"));
    std::map<std::string, int> seen = choices(200);
    EXPECT_EQ(seen.count("c2c4"), 0u);
    EXPECT_GT(seen["e2e4"], 40);
    EXPECT_GT(seen["d2d4"], 40);
    EXPECT_EQ(seen["e2e4"] + seen["d2d4"], 200);
    auto [move, sent] = probe_uci();
    EXPECT_EQ(sent, "info string looking up book position\ninfo string book move: " + move + "\n");

    // A lone strong move is reported with its weight, the total and its two numbers (read
    // in hexadecimal, octal and decimal).
    load(book_line("e2e4", "0x5F 07 9") + book_line("d2d4", "4 1 2") + book_line("c2c4", "1 3 4"));
    EXPECT_EQ(probe_uci().second,
              "info string looking up book position\n"
              "info string book move: e2e4 (95 of 100,  7 9)\n");

    // One position on two lines counts twice: 5 + 5 + 91 = 101, so neither e2e4 line
    // reaches a tenth.
    load(book_line("e2e4", "5 0 0") + book_line("d2d4", "91 2 3") + book_line("e2e4", "5 0 0"));
    EXPECT_EQ(probe_uci().second,
              "info string looking up book position\n"
              "info string book move: d2d4 (91 of 101,  2 3)\n");

    // A total of 0 makes every book move a candidate.
    load(book_line("e2e4", "0 0 0") + book_line("d2d4", "0 0 0") + book_line("c2c4", "0 0 0"));
    seen = choices(150);
    for (const char* m : {"e2e4", "d2d4", "c2c4"}) EXPECT_GT(seen[m], 10) << m;
}

TEST_F(Book, ProbeLeavesEverythingAsItWasAndNeverMovesIntoCheck) {
    load(book_line("e2e4", "10 0 0"));
    const PieceCounts counts = count_pieces(start_position);
    for (const Position& position : {after_moves({"d2d4"}), start_position}) {
        const Position copy = position;
        hash_key = 12345;
        pawn_hash_key = 678;
        piece_counts = counts;
        Move move = 99;
        EXPECT_EQ(probe_book(position, move), position == start_position ? 1 : 0);
        EXPECT_EQ(std::memcmp(&position, &copy, sizeof position), 0);
        EXPECT_EQ(hash_key, 12345u);
        EXPECT_EQ(pawn_hash_key, 678u);
        EXPECT_EQ(std::memcmp(&piece_counts, &counts, sizeof counts), 0);
    }
    // White is in check from the rook on e8; the book lists the position after a2a3 anyway.
    load("4r2k/8/8/8/8/P7/8/4K3 b - - 0 0 \"a2a3\" 10 0 0\n");
    ASSERT_EQ(book_count, 1);
    Move move = 0;
    EXPECT_EQ(probe_book(position_from_fen("4r2k/8/8/8/8/8/P7/4K3 w -"), move), 0);
}

TEST_F(Book, EmptyMissingAndBadFiles) {
    EXPECT_EQ(load(""), "\n0 book entries parsed\n");
    EXPECT_EQ(load(nullptr), "\ncould not find book.txt!");
    EXPECT_EQ(book_count, 0);

    const std::string fen = fen_of(after_moves({"d2d4"}));
    std::string long_tail = book_line("e2e4", "7 8 9");
    long_tail.insert(long_tail.size() - 1, " " + std::string(5000, 'y'));
    std::string cut_digits = fen_of(after_moves({"e2e4"}));
    cut_digits += " \"" + std::string(1020 - cut_digits.size(), 'z') + "\" ";
    cut_digits += std::string(300, '0') + "1 0 0\n";
    const std::string text = long_tail + "\n   \r\n\n" +           // empty lines: silent
                             fen + " no quotes at all 10 0 0\n" +  // no quotes
                             fen + " \"d2d4 10 0 0\n" +            // one quote
                             fen + " " + std::string(1100, 'x') +
                             " \"d2d4\" 5 0 0\n" +                  // quotes too far
                             fen + " \"d2d4\" ten 0 0\n" +          // unreadable numbers
                             fen + " \"d2d4\" 10 0\n" +             // a number missing
                             fen + " \"d2d4\" 99999999999 0 0\n" +  // beyond 32 bits
                             fen + " \"d2d4\"\n" + cut_digits +     // digits past the kept part
                             std::string("\x01\xff\"\"\0 3 4 5\n", 12) +  // odd bytes
                             fen + " \"d2d4\"\t-3 0x10 010\r\n" +         // CR LF, signs and bases
                             fen + " \"d2d4\"4 0 0";                      // no blank, no line end
    EXPECT_EQ(load(text),
              "\nread too many characters!!\nread too many characters!!"
              "\nread too many characters!!\n3 book entries parsed\n");
    ASSERT_EQ(book_count, 3);
    EXPECT_EQ(book_entries[0].key, compute_hash_key(after_moves({"e2e4"})));
    EXPECT_EQ(book_entries[0].stat_b, 9);
    EXPECT_EQ(book_entries[1].key, compute_hash_key(after_moves({"d2d4"})));
    EXPECT_EQ(book_entries[1].weight, -3);
    EXPECT_EQ(book_entries[1].stat_a, 16);
    EXPECT_EQ(book_entries[1].stat_b, 8);
    EXPECT_EQ(book_entries[2].weight, 4);
}

TEST_F(Book, LinesBeyondTheCapacityAreSkippedWithOneMessage) {
    const std::string line = book_line("e2e4", "1 0 0");
    std::string text;
    for (int i = 0; i < BOOK_CAPACITY; ++i) text += line;
    EXPECT_EQ(load(text + "\n\n"), "\n40000 book entries parsed\n");
    EXPECT_EQ(load(text + line + line + line),
              "\nbook.txt has more than 40000 lines: the rest were skipped"
              "\n40000 book entries parsed\n");
    EXPECT_EQ(book_count, BOOK_CAPACITY);
}

}  // namespace
