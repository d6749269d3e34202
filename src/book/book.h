// The opening book: positions with counts read from book.txt at start-up, and the choice of
// a book move for a position (a move is a book move when the position it leads to is listed).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "board/move.h"
#include "board/position.h"

struct BookEntry {
    std::uint64_t key;    // compute_hash_key of the line's position
    std::int32_t weight;  // how often the position was reached: drives the choice
    std::int32_t stat_a;  // reported only
    std::int32_t stat_b;  // reported only
};

constexpr int BOOK_CAPACITY = 40000;
constexpr const char* BOOK_FILE_NAME = "book.txt";

// Filled in file order; keys need not be unique.
extern std::array<BookEntry, BOOK_CAPACITY> book_entries;
extern int book_count;

// Reads the book (replacing any earlier one), logging to orlo.txt. Needs the Zobrist keys but
// neither move generation nor attack tests. Returns 1 when the file was read, 0 when it is
// missing (the book is then empty).
int load_book(const char* path = BOOK_FILE_NAME);

// Reads one book line (text ends with a '\0' at length): 1 and the entry when it is sound, 0
// when it adds no entry. Sets *quotes_missing when the line lacks two double quotes in its
// first 1024 characters. `cut` says the line went on beyond the text given.
int parse_book_line(const char* text, std::size_t length, BookEntry& entry, bool* quotes_missing,
                    bool cut = false);

// Chooses a book move for the position: 1 and the move, or 0 (move set to 0) when no legal
// move leads to a listed position. Draws from the program's generator when several moves
// qualify. In UCI mode it reports the lookup and the choice. The position, the keys and
// the material counters are unchanged afterwards.
int probe_book(const Position& position, Move& move);
