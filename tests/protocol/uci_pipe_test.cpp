// The UCI loop through pipes to the real binary, as a GUI drives it.
#include <gtest/gtest.h>

#include <regex>

#include "board/fen.h"
#include "protocol/protocol_checks.h"
#include "support/engine_runner.h"

namespace {

const char* const ANNOUNCEMENT =
    ">orlo \n"
    "id name Orlo 0.953\n"
    "id author the Orlo developers\n"
    "option name Hash type spin default 1 min 1 max 4096\n"
    "option name Pawnvalue type spin default 100 min 50 max 200\n"
    "option name Knightvalue type spin default 310 min 200 max 400\n"
    "option name Bishopvalue type spin default 315 min 200 max 400\n"
    "option name Rookvalue type spin default 490 min 400 max 600\n"
    "option name Queenvalue type spin default 900 min 800 max 1100\n"
    "option name King-Attack type spin default 100 min 0 max 200\n"
    "option name King-Shelter type spin default 100 min 0 max 200\n"
    "option name King-Endgame type spin default 100 min 0 max 200\n"
    "option name Mobility type spin default 100 min 0 max 200\n"
    "option name Pawn-Structure type spin default 100 min 0 max 200\n"
    "option name Pawn-Passers type spin default 100 min 0 max 200\n"
    "option name Pieces type spin default 100 min 50 max 200\n"
    "uciok\n";

// A position with a single legal move (the king takes the checking queen).
const char* const ONE_MOVE_FEN = "7k/8/8/8/8/8/6q1/7K w - - 0 1";

}  // namespace

// Announcement, stray lines, options and the stamped uci.txt, in one session.
TEST(UciPipe, AnnouncementOptionsAndLog) {
    UciEngine engine("uci_session");
    const std::string wanted = ANNOUNCEMENT;
    ASSERT_GE(engine.announcement.size(), wanted.size());
    EXPECT_EQ(engine.announcement.substr(engine.announcement.size() - wanted.size()), wanted);
    // What a GUI may send out of turn is taken in silence.
    for (const char* line :
         {"stop", "ponderhit", "uci", "Go depth 3", "goes", "moves e2e4", "setoption name Hash",
          "setoption name Pawnvalue value 99999999999", "setoption name Nonsense value 1",
          "\x01\xff\x7f garbage \xc3", "setoption name Knightvalue value 350"})
        EXPECT_EQ(engine.exchange(line), "readyok\n") << line;
    // A weight changes the evaluation report of a shallow search.
    auto report = [&] {
        engine.send(
            "position fen r1bqkb1r/ppp2ppp/2n2n2/4p3/4P3/2N2N2/PPPP1PPP/R1BQKB1R w KQkq - 0 1");
        const std::string text = engine.search("go depth 1");
        EXPECT_NE(text.find("before move"), std::string::npos) << text;
        return text.substr(0, text.find("after move"));
    };
    const std::string before = report();
    engine.send("setoption name Pawnvalue value 200");
    EXPECT_NE(report(), before);
    EXPECT_EQ(engine.quit(), 0);

    // uci.txt: the received lines as they came, the sent ones behind a six-column stamp.
    const std::string all = read_file(engine.dir + "/uci.txt");
    std::vector<std::string> log = lines_of(all);
    ASSERT_GE(log.size(), 20u);
    EXPECT_EQ(log[0].substr(6), " -->");  // the announcement's empty first line
    EXPECT_EQ(log[1].substr(6), " -->id name Orlo 0.953");
    for (const std::string& line : log) {
        if (line.empty() || line.rfind("<--", 0) == 0) continue;
        const std::size_t arrow = line.find(" -->");
        ASSERT_TRUE(arrow != std::string::npos && arrow >= 6) << line;
        const std::string stamp = line.substr(0, arrow);
        EXPECT_EQ(stamp.find_first_not_of(" 0123456789"), std::string::npos) << line;
        EXPECT_EQ(stamp.find(' ', stamp.find_first_not_of(' ')), std::string::npos) << line;
    }
    EXPECT_NE(all.find("\n<--setoption name Knightvalue value 350\n<--isready\n"),
              std::string::npos);
    EXPECT_NE(all.find("<--quit\n"), std::string::npos);
}

TEST(UciPipe, PositionTokensAndFixedDepth) {
    UciEngine engine("uci_position");
    // e2d3 would expose the king and is skipped; e7e1 is then black's on white's turn.
    engine.send("position fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3 e7e1 e1d1");
    std::string text = engine.search("go depth 2");
    expect_well_formed(text);
    const std::string searched = "4k3/4r3/8/8/8/8/4B3/3K4 b - - 0 1";
    EXPECT_TRUE(legal_after(searched, {}, best_move_of(text))) << text;
    // The console's texts, byte for byte: the table wipe at the start, and after a shallow
    // search the evaluation heading with the board before the term lines.
    EXPECT_TRUE(
        std::regex_search(text, std::regex("^ \nhash cleared/aged in [0-9]+\\.[0-9]{3} s\n")))
        << text;
    EXPECT_NE(text.find("before move ------------------------\n\nnow evaluating\n" +
                        board_diagram(from_fen(searched), true) + "info string material: "),
              std::string::npos)
        << text;

    // A refused FEN keeps the previous position.
    engine.send("position startpos moves e2e4 e7e5 g1f3");
    EXPECT_NE(engine.exchange("position fen 8/8/8/8/8/8/8/8 w - - 0 1")
                  .find("info string invalid position\n"),
              std::string::npos);
    text = engine.search("go depth 3");
    expect_well_formed(text);
    EXPECT_TRUE(legal_after("", {"e2e4", "e7e5", "g1f3"}, best_move_of(text))) << text;
    for (const char* depth : {"info depth 1 ", "info depth 2 ", "info depth 3 ",
                              "info string --------------------- before move",
                              "info string --------------------- after move"})
        EXPECT_NE(text.find(depth), std::string::npos) << text;
    EXPECT_EQ(text.find("info depth 4 "), std::string::npos);
    EXPECT_EQ(engine.quit(), 0);
    // The wipe's figure is for the interface only: neither log has it.
    for (const char* log : {"/orlo.txt", "/uci.txt"})
        EXPECT_EQ(read_file(engine.dir + log).find("hash cleared"), std::string::npos) << log;
}

// go infinite waits for stop (a ponderhit leaves it running) and go ponder for ponderhit;
// isready is answered meanwhile; with no legal move the null move comes; quit ends a search.
TEST(UciPipe, InfinitePonderAndNoMove) {
    UciEngine engine("uci_wait");
    const char* const OPEN = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 1";
    struct Case {
        const char* fen;
        const char* go;
        const char* release;
        const char* expected;  // a line of the output
    } cases[] = {
        {ONE_MOVE_FEN, "go infinite", "stop", "bestmove h1g2"},
        {OPEN, "go infinite", "stop", "bestmove "},
        {ONE_MOVE_FEN, "go ponder wtime 2000 btime 2000", "ponderhit", "bestmove h1g2"},
        {OPEN, "go ponder wtime 2000 btime 2000", "ponderhit", "bestmove "},
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "go infinite", "stop", "info depth 0 score cp 0\n"},
    };
    for (const Case& c : cases) {
        engine.send(std::string("position fen ") + c.fen);
        engine.send(c.go);
        std::string text = engine.exchange("");
        if (std::string(c.go) == "go infinite") text += engine.exchange("ponderhit");
        EXPECT_EQ(text.find("bestmove"), std::string::npos) << text;
        engine.send(c.release);
        text += engine.until("bestmove");
        text += engine.exchange("");
        expect_well_formed(text);
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        const std::string best = best_move_of(text);
        EXPECT_TRUE(best == "0000" ? std::string(c.expected).rfind("info", 0) == 0
                                   : legal_after(c.fen, {}, best))
            << text;
    }
    engine.send("position fen rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 0 3");
    engine.send("go wtime 1000 btime 1000");
    EXPECT_NE(engine.until("bestmove 0000\n").find("info depth 0 score mate 0\nbestmove 0000\n"),
              std::string::npos);
    // quit during a search ends the program (end of input does too: see the xboard tests).
    engine.send("position startpos");
    engine.send("go infinite");
    engine.exchange("");
    EXPECT_EQ(engine.quit(), 0);
}
