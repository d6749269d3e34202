// FEN reading and writing, the diagram, move text.
#include "board/fen.h"

#include <gtest/gtest.h>

#include "board/move.h"

namespace {

TEST(Fen, ReadThenWriteWithTheFixedTail) {
    const std::string many_queens(5000, 'Q');
    const std::pair<std::string, std::string> cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", ""},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w -", ""},
        {"4k3/8/8/8/8/8/8/4K2R b Kq", ""},
        // En passant and counters are not carried; any side but "w" is black; unknown
        // castling letters are skipped.
        {"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2",
         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 0"},
        {"8/8/8/8/8/8/8/8 white qX", "8/8/8/8/8/8/8/8 b q - 0 0"},
        // Garbage and missing fields: an empty board, black to move; squares past h1 cut off.
        {"", "8/8/8/8/8/8/8/8 b - - 0 0"},
        {"\xff\x01 99999999999 \x80", "8/8/8/8/8/8/8/8 b - - 0 0"},
        {"rnbqkbnr", "rnbqkbnr/8/8/8/8/8/8/8 b - - 0 0"},
        {many_queens + " w KQkq",
         "QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/"
         "QQQQQQQQ w KQkq - 0 0"},
    };
    for (const auto& [fen, expected] : cases) {
        Position p{};
        read_fen(fen.c_str(), p);
        EXPECT_EQ(p.ep_square, 0u);
        char buffer[FEN_BUFFER_SIZE];
        write_fen(p, buffer);
        EXPECT_EQ(buffer, expected.empty() ? fen + " - 0 0" : expected) << fen.substr(0, 80);
    }
}

TEST(Fen, StartDiagramBytes) {
    const std::string expected =
        "\n\nr n b q k b n r \np p p p p p p p \n. . . . . . . . \n. . . . . . . . "
        "\n. . . . . . . . \n. . . . . . . . \nP P P P P P P P \nR N B Q K B N R "
        "\nwhite to move\ncastling : WS WL BS BL 1 1 1 1\n";
    EXPECT_EQ(board_diagram(start_position, true), expected);
    EXPECT_EQ(board_diagram(start_position, false),
              expected.substr(0, expected.find("\ncastling")) + "\n");
}

TEST(MoveText, CastlingPromotionsAndTheOrigin) {
    const struct {
        const char* fen;
        Move move;
        const char* text;
    } cases[] = {
        {"8/8/8/8/8/8/8/8 w -", make_move_value(60, 58, CASTLE_LONG + BLACK_KIND_OFFSET), "e8c8"},
        {"8/4P3/8/3pP3/8/8/8/6N1 w -", make_move_value(52, 60, PROMOTE_KNIGHT), "e7e8n"},
        // The origin is the square holding a piece of the side to move, whichever field.
        {"8/4P3/8/3pP3/8/8/8/6N1 w -", make_move_value(21, 6, KNIGHT_MOVE), "g1f3"},
        {"8/8/8/8/8/8/3p4/8 b -", make_move_value(11, 3, PROMOTE_ROOK + BLACK_KIND_OFFSET),
         "d2d1r"},
    };
    for (const auto& c : cases) {
        Position p{};
        read_fen(c.fen, p);
        char text[8];
        move_to_text(p, c.move, text);
        EXPECT_STREQ(text, c.text);
    }
}

}  // namespace
