// The opening book: reading book.txt (format, bad lines, the size cap) and choosing moves.
#include "book/book.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"
#include "shell/output.h"
#include "shell/protocol_output.h"
#include "support/engine_runner.h"

namespace {

// Runs a test inside a scratch directory (orlo.txt is written to the working directory).
struct InDirectory {
    std::filesystem::path saved = std::filesystem::current_path();
    explicit InDirectory(const std::string& dir) { std::filesystem::current_path(dir); }
    ~InDirectory() { std::filesystem::current_path(saved); }
};

Position after_moves(const std::string& moves) {
    Position position = start_position;
    std::size_t start = 0;
    while (start < moves.size()) {
        std::size_t end = moves.find(' ', start);
        if (end == std::string::npos) end = moves.size();
        std::string word = moves.substr(start, end - start);
        MoveList list;
        int count = generate_moves(position, list);
        bool played = false;
        for (int i = 0; i < count && !played; ++i) {
            char text[8];
            move_to_text(position, list[i], text);
            Position next = position;
            if (word == text && make_move(next, list[i])) position = next, played = true;
        }
        EXPECT_TRUE(played) << word;
        start = end + 1;
    }
    return position;
}

std::string fen_of(const Position& position) {
    char fen[FEN_BUFFER_SIZE];
    write_fen(position, fen);
    return fen;
}

// A book line for the position after the moves, with the numbers as given.
std::string book_line(const std::string& moves, const std::string& numbers) {
    return fen_of(after_moves(moves)) + " \"" + moves + "\" " + numbers + "\n";
}

class BookTest : public ::testing::Test {
  protected:
    std::string dir;
    void SetUp() override {
        dir = make_scratch_dir(std::string("book_") +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { book_count = 0; }  // later tests expect no book

    // Writes book.txt, loads it with orlo.txt in the scratch directory, returns orlo.txt.
    std::string load(const std::string& text) {
        write_file(dir, "book.txt", text);
        InDirectory in(dir);
        std::remove("orlo.txt");
        EXPECT_EQ(load_book(), 1);
        return read_file("orlo.txt");
    }
};

// Probes in UCI mode and returns what the interface was sent.
std::string probe_uci(const Position& position, Move& move, int* found) {
    std::FILE* capture = std::tmpfile();
    std::FILE* saved_output = output_file;
    std::FILE* saved_log = log_file;
    output_file = capture;
    log_file = nullptr;
    protocol_mode = 2;
    *found = probe_book(position, move);
    protocol_mode = 0;
    output_file = saved_output;
    log_file = saved_log;
    std::string text;
    std::rewind(capture);
    for (int c; (c = std::getc(capture)) != EOF;) text += static_cast<char>(c);
    std::fclose(capture);
    return text;
}

std::string text_of(const Position& position, Move move) {
    char text[8] = "";
    move_to_text(position, move, text);
    return text;
}

// How often each move is chosen over many probes of the start position.
std::map<std::string, int> choices(int probes) {
    std::map<std::string, int> seen;
    for (int i = 0; i < probes; ++i) {
        Move move = 0;
        if (probe_book(start_position, move)) ++seen[text_of(start_position, move)];
    }
    return seen;
}

TEST_F(BookTest, WeakMoveBelowATenthIsNeverChosen) {
    load(book_line("e2e4", "50 0 0") + book_line("d2d4", "45 0 0") + book_line("c2c4", "5 0 0"));
    ASSERT_EQ(book_count, 3);
    auto seen = choices(200);
    EXPECT_EQ(seen.count("c2c4"), 0u);
    EXPECT_GT(seen["e2e4"], 40);
    EXPECT_GT(seen["d2d4"], 40);
    EXPECT_EQ(seen["e2e4"] + seen["d2d4"], 200);

    Move move = 0;
    int found = 0;
    std::string sent = probe_uci(start_position, move, &found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(sent, "info string looking up book position\ninfo string book move: " +
                        text_of(start_position, move) + "\n");
}

TEST_F(BookTest, LoneStrongMoveIsReportedWithItsNumbers) {
    // Numbers in hexadecimal, octal and decimal: 95, 7 and 9.
    load(book_line("e2e4", "0x5F 07 9") + book_line("d2d4", "4 1 2") + book_line("c2c4", "1 3 4"));
    Move move = 0;
    int found = 0;
    std::string sent = probe_uci(start_position, move, &found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(text_of(start_position, move), "e2e4");
    EXPECT_EQ(sent,
              "info string looking up book position\n"
              "info string book move: e2e4 (95 of 100,  7 9)\n");
}

TEST_F(BookTest, PositionOnTwoLinesCountsTwice) {
    // Both weights enter the total: 5 + 5 + 91 = 101, so neither e2e4 line reaches 10.
    load(book_line("e2e4", "5 0 0") + book_line("d2d4", "91 2 3") + book_line("e2e4", "5 0 0"));
    Move move = 0;
    int found = 0;
    EXPECT_EQ(probe_uci(start_position, move, &found),
              "info string looking up book position\n"
              "info string book move: d2d4 (91 of 101,  2 3)\n");

    // Both e2e4 lines qualify here: e2e4 stands twice in a list of three.
    load(book_line("e2e4", "30 0 0") + book_line("d2d4", "40 0 0") + book_line("e2e4", "30 0 0"));
    auto seen = choices(300);
    EXPECT_GT(seen["e2e4"], seen["d2d4"] * 3 / 2);
    EXPECT_GT(seen["d2d4"], 50);
}

TEST_F(BookTest, ZeroTotalMakesEveryBookMoveACandidate) {
    load(book_line("e2e4", "0 0 0") + book_line("d2d4", "0 0 0") + book_line("c2c4", "0 0 0"));
    auto seen = choices(150);
    EXPECT_GT(seen["e2e4"], 10);
    EXPECT_GT(seen["d2d4"], 10);
    EXPECT_GT(seen["c2c4"], 10);
}

TEST_F(BookTest, OutOfBookLeavesEverythingAsItWas) {
    load(book_line("e2e4 e7e5", "10 0 0"));
    Position position = after_moves("d2d4");
    Position copy = position;
    hash_key = 12345;
    pawn_hash_key = 678;
    PieceCounts counts = count_pieces(position);
    piece_counts = counts;
    Move move = 99;
    EXPECT_EQ(probe_book(position, move), 0);
    EXPECT_EQ(move, 0u);
    EXPECT_EQ(std::memcmp(&position, &copy, sizeof position), 0);
    EXPECT_EQ(hash_key, 12345u);
    EXPECT_EQ(pawn_hash_key, 678u);
    EXPECT_EQ(std::memcmp(&piece_counts, &counts, sizeof counts), 0);

    // In book: the same holds after a hit.
    Position after_e4 = after_moves("e2e4");
    hash_key = 12345;
    piece_counts = counts;
    EXPECT_EQ(probe_book(after_e4, move), 1);
    EXPECT_EQ(text_of(after_e4, move), "e7e5");
    EXPECT_EQ(hash_key, 12345u);
    EXPECT_EQ(std::memcmp(&piece_counts, &counts, sizeof counts), 0);
}

TEST_F(BookTest, MoveIntoCheckIsNeverABookMove) {
    // White is in check from the rook on e8; the book lists the position after a2a3 anyway.
    Position position;
    read_fen("4r2k/8/8/8/8/8/P7/4K3 w - - 0 1", position);
    Position after = position;
    after.white_pawns = bit(16);
    after.white_pieces = after.white_king | after.white_pawns;
    after.flags |= BLACK_TO_MOVE;
    load(fen_of(after) + " \"a2a3\" 10 0 0\n");
    ASSERT_EQ(book_count, 1);
    Move move = 0;
    EXPECT_EQ(probe_book(position, move), 0);
}

TEST_F(BookTest, EmptyAndMissingBookFiles) {
    std::string log = load("");
    EXPECT_EQ(log, "\n0 book entries parsed\n");
    EXPECT_EQ(book_count, 0);
    Move move = 0;
    EXPECT_EQ(probe_book(start_position, move), 0);

    InDirectory in(dir);
    std::remove("book.txt");
    std::remove("orlo.txt");
    EXPECT_EQ(load_book(), 0);
    EXPECT_EQ(read_file("orlo.txt"), "\ncould not find book.txt!");
}

TEST_F(BookTest, BadLinesAddNoEntry) {
    const std::string good = book_line("e2e4", "50 1 2");
    const std::string fen = fen_of(after_moves("d2d4"));
    std::string text = good;
    text += "\n   \r\n\n";                                             // empty: silent
    text += fen + " no quotes at all 10 0 0\n";                        // no quotes
    text += fen + " \"d2d4 10 0 0\n";                                  // one quote
    text += fen + " " + std::string(1100, 'x') + " \"d2d4\" 5 0 0\n";  // quotes too far
    text += fen + " \"d2d4\" ten 0 0\n";                               // unreadable numbers
    text += fen + " \"d2d4\" 10 0\n";                                  // a number missing
    text += fen + " \"d2d4\" 99999999999 0 0\n";                       // beyond 32 bits
    text += fen + " \"d2d4\"";                                         // ends after the quote
    text += "\n";
    text += std::string("\x01\xff\"\"\0 3 4 5\n", 12);  // odd bytes
    std::string log = load(text);
    EXPECT_EQ(book_count, 1);
    EXPECT_EQ(book_entries[0].weight, 50);
    EXPECT_EQ(book_entries[0].key, compute_hash_key(after_moves("e2e4")));
    EXPECT_EQ(log,
              "\nread too many characters!!\nread too many characters!!"
              "\nread too many characters!!\n1 book entries parsed\n");
}

TEST_F(BookTest, LongLinesCountOnceAndCrLfIsRead) {
    std::string text = book_line("e2e4", "7 8 9");
    text.insert(text.size() - 1, " " + std::string(5000, 'y'));  // long tail after the numbers
    text += fen_of(after_moves("d2d4")) + " \"d2d4\"\t-3 0x10 010\r\n";
    text += fen_of(after_moves("c2c4")) + " \"c2c4\"4 0 0\n";  // no blank after the quote
    std::string log = load(text);
    ASSERT_EQ(book_count, 3);
    EXPECT_EQ(book_entries[0].weight, 7);
    EXPECT_EQ(book_entries[0].stat_b, 9);
    EXPECT_EQ(book_entries[1].key, compute_hash_key(after_moves("d2d4")));
    EXPECT_EQ(book_entries[1].weight, -3);
    EXPECT_EQ(book_entries[1].stat_a, 16);
    EXPECT_EQ(book_entries[1].stat_b, 8);
    EXPECT_EQ(book_entries[2].weight, 4);
    EXPECT_EQ(log, "\n3 book entries parsed\n");
}

TEST_F(BookTest, NumbersCutOffByALongLineAreUnreadable) {
    // The digits run past what is kept of the line: no entry rather than a wrong number.
    std::string line = fen_of(after_moves("e2e4"));
    line += " \"" + std::string(1020 - line.size(), 'z') + "\" ";
    line += std::string(300, '0') + "1 0 0\n";
    load(line);
    EXPECT_EQ(book_count, 0);
}

TEST_F(BookTest, LinesBeyondTheCapacityAreSkippedWithOneMessage) {
    const std::string line = book_line("e2e4", "1 0 0");
    std::string text;
    text.reserve(line.size() * (BOOK_CAPACITY + 5));
    for (int i = 0; i < BOOK_CAPACITY; ++i) text += line;
    std::string log = load(text + "\n\n");
    EXPECT_EQ(book_count, BOOK_CAPACITY);
    EXPECT_EQ(log, "\n40000 book entries parsed\n");

    text += line + line + line;
    log = load(text);
    EXPECT_EQ(book_count, BOOK_CAPACITY);
    EXPECT_EQ(log,
              "\nbook.txt has more than 40000 lines: the rest were skipped"
              "\n40000 book entries parsed\n");
}

TEST(BookStartup, EngineLogsTheBookAtStartup) {
    std::string dir = make_scratch_dir("book_startup");
    write_file(dir, "book.txt", "");
    int status = -1;
    run_engine(dir, "", &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(read_file(dir + "/orlo.txt").find("\n0 book entries parsed\n"), std::string::npos);

    std::string empty_dir = make_scratch_dir("book_startup_missing");
    run_engine(empty_dir, "", &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(read_file(empty_dir + "/orlo.txt").find("\ncould not find book.txt!"),
              std::string::npos);
}

}  // namespace
