#include "board/fen.h"

#include <cctype>
#include <cstring>

#include "shell/engine_log.h"
#include "shell/output.h"

namespace {

// Piece letters in the order the writer tests them, with their record board index.
constexpr char LETTERS[12] = {'K', 'Q', 'R', 'B', 'N', 'P', 'k', 'q', 'r', 'b', 'n', 'p'};
constexpr int LETTER_BOARD[12] = {6, 7, 8, 9, 10, 11, 0, 1, 2, 3, 4, 5};

constexpr int MAX_FIELD = 255;

// Square of the n-th entry in FEN order (a8, b8, .., h8, a7, .., h1).
constexpr int fen_square(int n) {
    return (7 - n / 8) * 8 + n % 8;
}

// Splits text into up to three fields, each cut at MAX_FIELD characters.
int split_fields(const char* text, std::string fields[3]) {
    int count = 0;
    const char* p = text;
    while (*p && count < 3) {
        while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
        if (!*p) break;
        const char* start = p;
        while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
        std::size_t length = static_cast<std::size_t>(p - start);
        fields[count++].assign(start, length < MAX_FIELD ? length : MAX_FIELD);
    }
    return count;
}

}  // namespace

int read_fen(const char* text, Position& position) {
    std::string fields[3];
    split_fields(text, fields);
    position = Position{};
    int n = 0;
    for (char c : fields[0]) {
        if (n >= 64) break;
        if (c >= '0' && c <= '9') {
            n += c - '0';
            continue;
        }
        const char* letter = static_cast<const char*>(std::memchr(LETTERS, c, 12));
        if (!letter || c == 0) continue;
        board_at(position, LETTER_BOARD[letter - LETTERS]) |= bit(fen_square(n));
        ++n;
    }
    position.flags = fields[1] == "w" ? 0 : BLACK_TO_MOVE;
    for (std::size_t i = 0; i < fields[2].size() && i < 4 && fields[2][i] != '-'; ++i) {
        switch (fields[2][i]) {
            case 'K':
                position.flags |= WS;
                break;
            case 'Q':
                position.flags |= WL;
                break;
            case 'k':
                position.flags |= BS;
                break;
            case 'q':
                position.flags |= BL;
                break;
            default:
                break;
        }
    }
    for (int i = 0; i < 6; ++i) position.black_pieces |= board_at(position, i);
    for (int i = 6; i < 12; ++i) position.white_pieces |= board_at(position, i);
    position.ep_square = 0;
    return 1;
}

int write_fen(const Position& position, char* buffer) {
    char* p = buffer;
    int empty = 0;
    for (int n = 0; n < 64; ++n) {
        int square = fen_square(n);
        bool occupied = false;
        for (int i = 0; i < 12; ++i) {
            if (!(board_at(position, LETTER_BOARD[i]) & bit(square))) continue;
            if (empty) *p++ = static_cast<char>('0' + empty), empty = 0;
            *p++ = LETTERS[i];
            occupied = true;
        }
        if (!occupied) ++empty;
        if (n % 8 == 7) {
            if (empty) *p++ = static_cast<char>('0' + empty), empty = 0;
            if (n != 63) *p++ = '/';
        }
    }
    *p++ = ' ';
    *p++ = (position.flags & BLACK_TO_MOVE) ? 'b' : 'w';
    *p++ = ' ';
    if (position.flags & WS) *p++ = 'K';
    if (position.flags & WL) *p++ = 'Q';
    if (position.flags & BS) *p++ = 'k';
    if (position.flags & BL) *p++ = 'q';
    if (!(position.flags & (WS | WL | BS | BL))) *p++ = '-';
    std::memcpy(p, " - 0 0", 7);
    return 1;
}

std::string board_diagram(const Position& position, bool with_castling) {
    std::string text = "\n";
    for (int rank = 7; rank >= 0; --rank) {
        text += '\n';
        for (int file = 0; file < 8; ++file) {
            int square = rank * 8 + file;
            bool occupied = false;
            for (int i = 0; i < 12; ++i) {
                if (board_at(position, LETTER_BOARD[i]) & bit(square)) {
                    text += LETTERS[i];
                    text += ' ';
                    occupied = true;
                }
            }
            if (!occupied) text += ". ";
        }
    }
    text += (position.flags & BLACK_TO_MOVE) ? "\nblack to move" : "\nwhite to move";
    if (with_castling) {
        char line[64];
        std::snprintf(line, sizeof line, "\ncastling : WS WL BS BL %i %i %i %i",
                      (position.flags & WS) ? 1 : 0, (position.flags & WL) ? 1 : 0,
                      (position.flags & BS) ? 1 : 0, (position.flags & BL) ? 1 : 0);
        text += line;
    }
    text += '\n';
    return text;
}

int print_board(const Position& position) {
    out("%s", board_diagram(position, true).c_str());
    return 1;
}

int log_board(const Position& position) {
    engine_log("%s", board_diagram(position, false).c_str());
    return 1;
}
