// The shipped book in play: with book.txt and "book 1" in orlo.ini the engine answers the
// first moves of a game from the book, under UCI and under xboard.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "protocol/play_move.h"
#include "protocol/protocol_checks.h"
#include "support/engine_runner.h"

namespace {

std::vector<StartFile> book_files() {
    return {{"book.txt", read_file(std::string(ORLO_SOURCE_DIR) + "/data/book.txt")},
            {"orlo.ini", "book 1\n"}};
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Is the position a line of the book (its FEN stands at the start of a line)?
bool in_book(const Position& position, const std::string& book) {
    char fen[FEN_BUFFER_SIZE];
    write_fen(position, fen);
    const std::string start = std::string(fen) + " \"";
    return book.rfind(start, 0) == 0 || contains(book, "\n" + start);
}

Position after_moves(const std::vector<std::string>& moves) {
    Position position = start_position;
    for (const std::string& move : moves)
        EXPECT_TRUE(play_move_text(position, move, MatchRule::FIRST)) << move;
    return position;
}

// The move of the text's bestmove line, checking the line carries no ponder move.
std::string book_reply(const std::string& text) {
    std::size_t at = text.rfind("bestmove ");
    if (at == std::string::npos) return "";
    std::string line = text.substr(at, text.find('\n', at) - at);
    EXPECT_TRUE(well_formed_bestmove(line)) << line;
    EXPECT_FALSE(contains(line, " ponder")) << line;
    EXPECT_TRUE(contains(text, "info string looking up book position\n")) << text;
    EXPECT_TRUE(contains(text, "info string book move")) << text;
    EXPECT_FALSE(contains(text, "info depth")) << text;
    return line.substr(9);
}

// The output up to the end of the next bestmove line.
std::string through_bestmove(EngineProcess& engine) {
    std::string text = engine.until("\nbestmove ");
    return text + engine.until("\n");
}

TEST(BookPlay, UciGameOpensFromTheBook) {
    const std::vector<StartFile> files = book_files();
    EngineProcess engine("book_uci", "uci", files);
    ASSERT_NE(engine.until("uciok\n"), "");
    const std::string& book = files[0].text;

    std::vector<std::string> moves;
    engine.send("position startpos");
    engine.send("go depth 2");
    moves.push_back(book_reply(through_bestmove(engine)));
    ASSERT_TRUE(in_book(after_moves(moves), book)) << moves.back();

    engine.send("position startpos moves " + moves[0]);
    engine.send("go depth 2");
    moves.push_back(book_reply(through_bestmove(engine)));
    ASSERT_TRUE(in_book(after_moves(moves), book)) << moves.back();

    // After a shallow search the loop plays the engine's move on its position itself: a "go"
    // without a "position" answers for the other side, again from the book.
    engine.send("go depth 2");
    moves.push_back(book_reply(through_bestmove(engine)));
    ASSERT_TRUE(in_book(after_moves(moves), book)) << moves.back();
    EXPECT_EQ(engine.quit(), 0);

    const std::string log = read_file(engine.dir + "/orlo.txt");
    for (const std::string& move : moves)
        EXPECT_TRUE(contains(log, "\nbook move " + move)) << move << "\n" << log;
}

struct XboardBookEngine : EngineProcess {
    int pings = 0;
    explicit XboardBookEngine(const std::vector<StartFile>& files)
        : EngineProcess("book_xboard", "xboard", files) {
        send("protover 2");
        until("done=1\n");
    }
    std::string exchange(const std::string& line) {
        send(line);
        const std::string n = std::to_string(++pings);
        send("ping " + n);
        return until("pong " + n + "\n");
    }
    static std::string move_of(const std::string& text) {
        std::size_t at = text.rfind("move ");
        if (at == std::string::npos) return "";
        return text.substr(at + 5, text.find('\n', at) - at - 5);
    }
};

// A thinking line starts with the iteration number.
bool has_thinking_line(const std::string& text) {
    for (const std::string& line : lines_of(text))
        if (!line.empty() && line[0] >= '1' && line[0] <= '9') return true;
    return false;
}

TEST(BookPlay, XboardAnswersFromTheBookUntilToldOtherwise) {
    const std::vector<StartFile> files = book_files();
    XboardBookEngine engine(files);
    engine.exchange("new");
    engine.exchange("sd 2");

    std::string text = engine.exchange("e2e4");
    const std::string reply = XboardBookEngine::move_of(text);
    EXPECT_FALSE(has_thinking_line(text)) << text;
    ASSERT_TRUE(in_book(after_moves({"e2e4", reply}), files[0].text)) << reply;

    // The game record holds the book move: the next move is taken and answered by a search
    // once "bk" has switched the book off.
    engine.exchange("bk");
    text = engine.exchange("g1f3");
    const std::string searched = XboardBookEngine::move_of(text);
    EXPECT_TRUE(has_thinking_line(text)) << text;
    Position position = after_moves({"e2e4", reply, "g1f3"});
    EXPECT_TRUE(play_move_text(position, searched, MatchRule::FIRST)) << searched;
    EXPECT_EQ(engine.quit(), 0);
}

}  // namespace
