// Fuzz target: arbitrary bytes as book.txt, read by the book loader; then probes of the start
// position and of every usable position the lines' FENs give (most book lines name a
// position one move from another line's), in UCI mode for odd-sized inputs so that the
// probe's report lines are written too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "board/fen.h"
#include "board/usable.h"
#include "book/book.h"
#include "fuzz_support.h"
#include "testsupport/protocol_lines.h"

namespace {
constexpr int MAX_PROBES = 64;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    const std::string text = fuzz_text(data, size);
    if (!fuzz_write_file("fuzz_book.txt", text)) return 0;
    if (!load_book("fuzz_book.txt")) __builtin_trap();
    if (book_count < 0 || book_count > BOOK_CAPACITY) __builtin_trap();
    protocol_mode = size % 2 ? UCI_MODE : CONSOLE_MODE;
    FuzzOutput output;

    Move move = 0;
    probe_book(start_position, move);
    std::size_t start = 0;
    for (int probes = 0; probes < MAX_PROBES && start < text.size(); ++probes) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        Position position;
        read_fen(text.substr(start, end - start).c_str(), position);
        if (position_is_usable(position)) {
            const std::uint64_t key = hash_key;
            const std::uint64_t pawn_key = pawn_hash_key;
            probe_book(position, move);
            // The probe leaves the keys as they were.
            if (key != hash_key || pawn_key != pawn_hash_key) __builtin_trap();
        }
        start = end + 1;
    }
    if (protocol_mode == UCI_MODE) fuzz_require_lines(output.text(), is_uci_line);
    return 0;
}
