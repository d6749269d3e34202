// The UCI loop through pipes to the real binary, as a GUI drives it.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "protocol/play_move.h"
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

Position from_fen(const std::string& fen) {
    Position p;
    read_fen(fen.c_str(), p);
    return p;
}

// The move of the bestmove line in a text ("" when there is none).
std::string best_move_of(const std::string& text) {
    for (const std::string& line : lines_of(text))
        if (line.rfind("bestmove ", 0) == 0) return line.substr(9, line.find(' ', 9) - 9);
    return "";
}

// Every info and bestmove line of the text is well formed.
void expect_well_formed(const std::string& text) {
    for (const std::string& line : lines_of(text)) {
        if (line.rfind("info", 0) == 0) {
            EXPECT_TRUE(well_formed_info(line)) << line;
        }
        if (line.rfind("bestmove", 0) == 0) {
            EXPECT_TRUE(well_formed_bestmove(line)) << line;
        }
    }
}

bool legal_in(Position position, const std::string& move) {
    return play_move_text(position, move, MatchRule::FIRST);
}

struct UciEngine : EngineProcess {
    explicit UciEngine(const std::string& name) : EngineProcess(name, "uci") {
        announcement = until("uciok\n");
    }
    std::string announcement;
    // Sends the line and reads through the reply to a following "isready".
    std::string exchange(const std::string& line) {
        if (!line.empty()) send(line);
        send("isready");
        return until("readyok\n");
    }
};

}  // namespace

TEST(UciPipe, AnnouncementAndLog) {
    UciEngine engine("uci_announce");
    ASSERT_GE(engine.announcement.size(), std::string(ANNOUNCEMENT).size());
    EXPECT_EQ(
        engine.announcement.substr(engine.announcement.size() - std::string(ANNOUNCEMENT).size()),
        ANNOUNCEMENT);
    EXPECT_EQ(engine.exchange("setoption name Knightvalue value 350"), "readyok\n");
    EXPECT_EQ(engine.exchange("ucinewgame"), "readyok\n");
    EXPECT_EQ(engine.quit(), 0);

    // uci.txt: the received lines as they came, the sent ones with a six-column stamp.
    std::vector<std::string> log = lines_of(read_file(engine.dir + "/uci.txt"));
    ASSERT_GE(log.size(), 20u);
    EXPECT_EQ(log[0].substr(6), " -->");  // the announcement's empty first line
    EXPECT_EQ(log[1].substr(6), " -->id name Orlo 0.953");
    for (const std::string& line : log) {
        if (line.rfind("<--", 0) == 0) continue;
        std::size_t arrow = line.find(" -->");
        ASSERT_NE(arrow, std::string::npos) << line;
        ASSERT_GE(arrow, 6u) << line;
        std::string stamp = line.substr(0, arrow);
        EXPECT_EQ(stamp.find_first_not_of(' '),
                  stamp.size() - stamp.substr(stamp.find_first_not_of(' ')).size());
        EXPECT_EQ(stamp.find_first_not_of(" 0123456789"), std::string::npos) << line;
    }
    std::string all = read_file(engine.dir + "/uci.txt");
    EXPECT_NE(all.find("\n<--setoption name Knightvalue value 350\n<--isready\n"),
              std::string::npos);
    EXPECT_NE(all.find("<--quit\n"), std::string::npos);
}

// What a GUI may send out of turn is taken in silence: no reply, no search, no lost line.
TEST(UciPipe, StrayLinesBetweenSearchesGetNoReply) {
    UciEngine engine("uci_stray");
    for (const char* line :
         {"stop", "ponderhit", "uci", "Go depth 3", "goes", "position startpos moves", "moves e2e4",
          "setoption name Hash", "setoption   name\tPawnvalue    value   150  ",
          "\x01\xff\x7f garbage \xc3", "                                        "})
        EXPECT_EQ(engine.exchange(line), "readyok\n") << line;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(UciPipe, PositionTokensAreCheckedOneByOne) {
    UciEngine engine("uci_position");
    // e2d3 would expose the king and is skipped; e7e1 is then black's on white's turn.
    engine.send("position fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3 e7e1 e1d1");
    engine.send("go depth 2");
    std::string text = engine.until("bestmove");
    text += engine.exchange("");
    expect_well_formed(text);
    std::string move = best_move_of(text);
    EXPECT_TRUE(legal_in(from_fen("4k3/4r3/8/8/8/8/4B3/3K4 b - - 0 1"), move)) << move;

    // A refused FEN keeps the previous position.
    engine.send("position startpos moves e2e4");
    EXPECT_NE(engine.exchange("position fen 8/8/8/8/8/8/8/8 w - - 0 1")
                  .find("info string invalid position\n"),
              std::string::npos);
    engine.send("go depth 1");
    text = engine.until("bestmove");
    text += engine.exchange("");
    Position after_e4 = start_position;
    ASSERT_TRUE(play_move_text(after_e4, "e2e4", MatchRule::FIRST));
    EXPECT_TRUE(legal_in(after_e4, best_move_of(text))) << text;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(UciPipe, FixedDepthSearchReportsEachIteration) {
    UciEngine engine("uci_depth");
    engine.send("position startpos moves e2e4 e7e5 g1f3");
    engine.send("go depth 3");
    std::string text = engine.until("bestmove");
    text += engine.exchange("");
    expect_well_formed(text);
    for (int depth = 1; depth <= 3; ++depth)
        EXPECT_NE(text.find("info depth " + std::to_string(depth) + " "), std::string::npos)
            << text;
    EXPECT_EQ(text.find("info depth 4 "), std::string::npos);
    // Shallow searches are followed by the evaluation reports before and after the move.
    EXPECT_NE(text.find("info string --------------------- before move"), std::string::npos);
    EXPECT_NE(text.find("info string --------------------- after move"), std::string::npos);

    engine.send("position startpos");
    engine.send("go depth 5");
    text = engine.until("bestmove");
    text += engine.exchange("");
    expect_well_formed(text);
    EXPECT_NE(text.find("info depth 5 "), std::string::npos);
    EXPECT_EQ(text.find("before move"), std::string::npos);
    EXPECT_TRUE(legal_in(start_position, best_move_of(text)));
    EXPECT_EQ(engine.quit(), 0);
}

TEST(UciPipe, InfiniteSearchWaitsForStop) {
    UciEngine engine("uci_infinite");
    for (const char* fen :
         {ONE_MOVE_FEN, "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 1"}) {
        engine.send(std::string("position fen ") + fen);
        engine.send("go infinite");
        // isready is answered during the search (or the wait), and no bestmove comes yet.
        std::string text = engine.exchange("");
        // A ponderhit does not end an infinite search either.
        text += engine.exchange("ponderhit");
        EXPECT_EQ(text.find("bestmove"), std::string::npos) << text;
        engine.send("stop");
        text += engine.until("bestmove");
        text += engine.exchange("");
        expect_well_formed(text);
        std::string move = best_move_of(text);
        EXPECT_TRUE(legal_in(from_fen(fen), move)) << text;
        if (fen == ONE_MOVE_FEN) {
            EXPECT_EQ(move, "h1g2");
        }
    }
    EXPECT_EQ(engine.quit(), 0);
}

TEST(UciPipe, PonderUntilPonderhit) {
    UciEngine engine("uci_ponder");
    for (const char* fen :
         {ONE_MOVE_FEN, "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1"}) {
        engine.send(std::string("position fen ") + fen);
        engine.send("go ponder wtime 2000 btime 2000");
        std::string text = engine.exchange("");
        EXPECT_EQ(text.find("bestmove"), std::string::npos) << text;
        engine.send("ponderhit");
        text += engine.until("bestmove");
        text += engine.exchange("");
        expect_well_formed(text);
        EXPECT_TRUE(legal_in(from_fen(fen), best_move_of(text))) << text;
    }
    EXPECT_EQ(engine.quit(), 0);
    // Each ponderhit is in the log, whether the search or the wait for it took it in.
    std::string log = read_file(engine.dir + "/uci.txt");
    std::size_t count = 0;
    for (std::size_t at = log.find("\n<--ponderhit\n"); at != std::string::npos;
         at = log.find("\n<--ponderhit\n", at + 1))
        ++count;
    EXPECT_EQ(count, 2u) << log;
}

TEST(UciPipe, QuitDuringASearchAndEndOfInput) {
    {
        UciEngine engine("uci_quit");
        engine.send("position startpos");
        engine.send("go infinite");
        engine.exchange("");
        EXPECT_EQ(engine.quit(), 0);
    }
    {
        UciEngine engine("uci_eof");
        engine.send("position startpos");
        engine.send("go infinite");
        engine.exchange("");
        close_child_input(engine.child);
        std::string rest = read_child_all(engine.child, 60000);
        EXPECT_EQ(wait_child(engine.child, 30000), 0);
    }
}

TEST(UciPipe, NoLegalMoveGivesTheNullMove) {
    UciEngine engine("uci_no_move");
    engine.send("position fen rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 0 3");
    engine.send("go wtime 1000 btime 1000");
    std::string text = engine.until("bestmove 0000\n");
    EXPECT_NE(text.find("info depth 0 score mate 0\nbestmove 0000\n"), std::string::npos) << text;
    engine.send("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    engine.send("go infinite");
    text = engine.exchange("");
    EXPECT_EQ(text.find("bestmove"), std::string::npos);
    engine.send("stop");
    text += engine.until("bestmove 0000\n");
    EXPECT_NE(text.find("info depth 0 score cp 0\n"), std::string::npos) << text;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(UciPipe, WeightOptionChangesTheEvaluationReport) {
    UciEngine engine("uci_weights");
    const std::string position =
        "position fen r1bqkb1r/ppp2ppp/2n2n2/4p3/4P3/2N2N2/PPPP1PPP/R1BQKB1R w KQkq - 0 1";
    auto report = [&]() {
        engine.send(position);
        engine.send("go depth 1");
        engine.until("bestmove");
        std::string text = engine.exchange("");
        return text.substr(0, text.find("after move"));
    };
    std::string before = report();
    EXPECT_NE(before.find("before move"), std::string::npos);
    engine.send("setoption name Pawnvalue value 200");
    std::string after = report();
    EXPECT_NE(before, after);
    // Out-of-range and unknown values are harmless.
    engine.send("setoption name Pawnvalue value 99999999999");
    engine.send("setoption name Hash value 0");
    engine.send("setoption name Nonsense value 1");
    engine.send("setoption");
    engine.send(position);
    engine.send("go depth 2");
    std::string text = engine.until("bestmove");
    text += engine.exchange("");
    EXPECT_FALSE(best_move_of(text).empty());
    EXPECT_EQ(engine.quit(), 0);
}
