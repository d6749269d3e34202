// The shipped book in play: with book.txt and "book 1" in orlo.ini the engine answers the
// first moves of a game from the book.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "protocol/play_move.h"
#include "protocol/protocol_checks.h"
#include "support/engine_runner.h"

namespace {

const std::vector<StartFile> FILES = {
    {"book.txt", read_file(std::string(ORLO_SOURCE_DIR) + "/data/book.txt")},
    {"orlo.ini", "book 1\n"}};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Is the position after the moves a line of the book (its FEN starts a line)?
bool in_book(const std::vector<std::string>& moves) {
    Position position = start_position;
    for (const std::string& move : moves)
        if (!play_move_text(position, move, MatchRule::FIRST)) return false;
    char fen[FEN_BUFFER_SIZE];
    write_fen(position, fen);
    const std::string start = std::string(fen) + " \"";
    return FILES[0].text.rfind(start, 0) == 0 || contains(FILES[0].text, "\n" + start);
}

}  // namespace

TEST(BookPlay, UciGameOpensFromTheBook) {
    UciEngine engine("book_uci", FILES);
    std::vector<std::string> moves;
    // The third "go" has no "position": after a shallow search the loop plays the engine's
    // move on its position itself, and answers for the other side, again from the book.
    for (const char* position : {"position startpos", "position startpos moves ", ""}) {
        if (*position) engine.send(position + (moves.empty() ? "" : moves[0]));
        const std::string text = engine.search("go depth 2");
        expect_well_formed(text);
        EXPECT_TRUE(contains(text, "info string looking up book position\n")) << text;
        EXPECT_TRUE(contains(text, "info string book move")) << text;
        EXPECT_FALSE(contains(text, "info depth")) << text;
        EXPECT_FALSE(contains(text, " ponder")) << text;
        moves.push_back(best_move_of(text));
        ASSERT_TRUE(in_book(moves)) << moves.back();
    }
    EXPECT_EQ(engine.quit(), 0);
    const std::string log = read_file(engine.dir + "/orlo.txt");
    for (const std::string& move : moves) EXPECT_TRUE(contains(log, "\nbook move " + move)) << log;
}
