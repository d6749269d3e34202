// The shipped book in play: with book.txt and "book 1" in orlo.ini the engine answers the
// first moves of a game from the book, under UCI and under xboard.
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

// A thinking line starts with the iteration number.
bool has_thinking_line(const std::string& text) {
    for (const std::string& line : lines_of(text))
        if (!line.empty() && line[0] >= '1' && line[0] <= '9') return true;
    return false;
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

TEST(BookPlay, XboardAnswersFromTheBookUntilToldOtherwise) {
    XboardEngine engine("book_xboard", FILES);
    engine.exchange("new");
    engine.exchange("sd 2");
    std::string text = engine.exchange("e2e4");
    EXPECT_FALSE(has_thinking_line(text)) << text;
    const std::string reply = text.substr(text.rfind("move ") + 5, 4);
    ASSERT_TRUE(in_book({"e2e4", reply})) << reply;
    // The record holds the book move: after "bk" the next move is answered by a search.
    engine.exchange("bk");
    text = engine.exchange("g1f3");
    EXPECT_TRUE(has_thinking_line(text)) << text;
    EXPECT_TRUE(legal_after("", {"e2e4", reply, "g1f3"}, text.substr(text.rfind("move ") + 5, 4)));
    EXPECT_EQ(engine.quit(), 0);
}
