// FEN reading and writing, the diagram, move text.
#include "board/fen.h"

#include <gtest/gtest.h>

#include "board/move.h"

namespace {

std::string round_trip(const std::string& fen) {
    Position p{};
    read_fen(fen.c_str(), p);
    char buffer[FEN_BUFFER_SIZE];
    write_fen(p, buffer);
    return buffer;
}

TEST(Fen, WellFormedPositionsRoundTripWithTheFixedTail) {
    const char* fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w -",
        "4k3/8/8/8/8/8/8/4K2R b Kq",
        "8/8/8/8/8/8/8/8 w -",
    };
    for (const char* fen : fens) EXPECT_EQ(round_trip(fen), std::string(fen) + " - 0 0");
    // The en-passant field and counters are not carried.
    EXPECT_EQ(round_trip("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2"),
              "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 0");
}

TEST(Fen, SideCastlingAndIgnoredFields) {
    Position p{};
    read_fen("8/8/8/8/8/8/8/8 w -", p);
    EXPECT_EQ(p.flags, 0u);
    EXPECT_EQ(p.white_pieces | p.black_pieces, 0u);
    for (const char* side : {"b", "B", "x", "white"}) {
        read_fen((std::string("8/8/8/8/8/8/8/8 ") + side + " -").c_str(), p);
        EXPECT_EQ(p.flags, BLACK_TO_MOVE) << side;
    }
    read_fen("8/8/8/8/8/8/8/8 w Kq", p);
    EXPECT_EQ(p.flags, WS | BL);
    read_fen("8/8/8/8/8/8/8/8 w qX", p);
    EXPECT_EQ(p.flags, BL);
    read_fen("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e3 0 1", p);
    EXPECT_EQ(p.ep_square, 0u);
    EXPECT_EQ(p.flags, WS | WL | BS | BL);
}

TEST(Fen, GarbageAndMissingFieldsAreSafe) {
    Position p{};
    read_fen("", p);
    EXPECT_EQ(p.flags, BLACK_TO_MOVE);  // missing side counts as empty
    read_fen("rnbqkbnr", p);
    EXPECT_EQ(p.flags, BLACK_TO_MOVE);
    EXPECT_EQ(popcount(p.black_pieces), 8);
    // Too many squares are cut at 64; a long field is cut at 255 characters.
    std::string many(5000, 'Q');
    read_fen((many + " w KQkq").c_str(), p);
    EXPECT_EQ(popcount(p.white_queens), 64);
    read_fen("\xff\x01 99999999999 \x80", p);
    EXPECT_EQ(p.white_pieces | p.black_pieces, 0u);
    char buffer[FEN_BUFFER_SIZE];
    read_fen((many + " w KQkq").c_str(), p);
    EXPECT_EQ(write_fen(p, buffer), 1);
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

TEST(MoveText, CastlingPromotionsAndEnPassant) {
    char text[8];
    EXPECT_EQ(make_move_value(4, 6, CASTLE_SHORT), 45444u);
    EXPECT_EQ(make_move_value(4, 2, CASTLE_LONG), 49284u);
    EXPECT_EQ(make_move_value(60, 62, CASTLE_SHORT + BLACK_KIND_OFFSET), 102332u);
    EXPECT_EQ(make_move_value(60, 58, CASTLE_LONG + BLACK_KIND_OFFSET), 106172u);
    Position empty{};
    move_to_text(empty, 106172u, text);
    EXPECT_STREQ(text, "e8c8");
    move_to_text(empty, 45444u, text);
    EXPECT_STREQ(text, "e1g1");

    Position p{};
    read_fen("8/4P3/8/3pP3/8/8/8/6N1 w -", p);
    move_to_text(p, make_move_value(52, 60, PROMOTE_KNIGHT), text);
    EXPECT_STREQ(text, "e7e8n");
    move_to_text(p, make_move_value(36, 43, EN_PASSANT), text);
    EXPECT_STREQ(text, "e5d6");
    // The origin is the square holding a piece of the side to move, whichever field it is in.
    move_to_text(p, make_move_value(21, 6, KNIGHT_MOVE), text);
    EXPECT_STREQ(text, "g1f3");
    read_fen("8/8/8/8/8/8/3p4/8 b -", p);
    move_to_text(p, make_move_value(11, 3, PROMOTE_ROOK + BLACK_KIND_OFFSET), text);
    EXPECT_STREQ(text, "d2d1r");
}

}  // namespace
