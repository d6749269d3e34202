#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/fen.h"
#include "board/zobrist.h"
#include "book/book.h"
#include "shell/engine_log.h"

std::array<BookEntry, BOOK_CAPACITY> book_entries{};
int book_count = 0;

namespace {

// The closing quote must stand within this many characters of the line's start.
constexpr std::size_t QUOTE_SCAN_LIMIT = 1024;
// Room kept after the quote scan for the three numbers; the rest of a longer line is dropped.
constexpr std::size_t NUMBER_ROOM = 256;
constexpr std::size_t KEPT_LENGTH = QUOTE_SCAN_LIMIT + NUMBER_ROOM;

// Reads one line, keeping its first KEPT_LENGTH characters and dropping its end ("\n",
// "\r\n"). Returns false at the end of the file when nothing was read.
bool read_book_line(std::FILE* file, char* buffer, std::size_t& length, bool& cut) {
    length = 0;
    cut = false;
    bool any = false;
    for (int c; (c = std::getc(file)) != EOF;) {
        any = true;
        if (c == '\n') break;
        if (length < KEPT_LENGTH)
            buffer[length++] = static_cast<char>(c);
        else
            cut = true;
    }
    if (length > 0 && buffer[length - 1] == '\r' && !cut) --length;
    buffer[length] = '\0';
    return any;
}

bool is_blank_line(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\r') return false;
    return true;
}

// One integer with base detection (decimal, "0x" hexadecimal, leading-zero octal) after
// optional blanks. Fails on no digits, on a value outside 32 bits, and on a number that runs
// into the end of a line that was cut.
bool read_number(const char*& p, const char* end, bool cut, std::int32_t& value) {
    char* after = nullptr;
    errno = 0;
    long long v = std::strtoll(p, &after, 0);
    if (after == p || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
    if (cut && after >= end) return false;
    value = static_cast<std::int32_t>(v);
    p = after;
    return true;
}

}  // namespace

int parse_book_line(const char* text, std::size_t length, BookEntry& entry, bool* quotes_missing,
                    bool cut) {
    if (quotes_missing) *quotes_missing = false;
    std::size_t scan = length < QUOTE_SCAN_LIMIT ? length : QUOTE_SCAN_LIMIT;
    std::size_t quotes = 0, i = 0;
    while (i < scan && quotes < 2)
        if (text[i++] == '"') ++quotes;
    if (quotes < 2) {
        if (quotes_missing) *quotes_missing = true;
        return 0;
    }
    // The blank after the closing quote; a number standing right there is not eaten.
    if (i < length && (text[i] == ' ' || text[i] == '\t')) ++i;
    const char* p = text + i;
    const char* end = text + length;
    std::int32_t numbers[3];
    for (std::int32_t& n : numbers)
        if (!read_number(p, end, cut, n)) return 0;

    Position position;
    read_fen(text, position);
    entry = {compute_hash_key(position), numbers[0], numbers[1], numbers[2]};
    return 1;
}

int load_book(const char* path) {
    book_count = 0;
    std::FILE* file = std::fopen(path, "r");
    if (!file) {
        engine_log("\ncould not find book.txt!");
        return 0;
    }
    char line[KEPT_LENGTH + 1];
    std::size_t length = 0;
    bool cut = false;
    int lines = 0;
    while (read_book_line(file, line, length, cut)) {
        if (is_blank_line(line, length)) continue;
        // Every counted line adds at most one entry, so the table cannot overflow.
        if (lines == BOOK_CAPACITY) {
            engine_log("\nbook.txt has more than %i lines: the rest were skipped", BOOK_CAPACITY);
            break;
        }
        ++lines;
        BookEntry entry;
        bool quotes_missing = false;
        if (parse_book_line(line, length, entry, &quotes_missing, cut))
            book_entries[book_count++] = entry;
        else if (quotes_missing)
            engine_log("\nread too many characters!!");
    }
    std::fclose(file);
    engine_log("\n%i book entries parsed\n", book_count);
    return 1;
}
