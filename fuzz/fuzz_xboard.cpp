// Fuzz target: arbitrary bytes as an xboard session, lines fed to the real xboard loop
// through the input layer. Searches are bounded by the fuzz build's limits; the end of the
// input ends the session as "quit" would. Every line the loop writes must have the protocol's
// form or be the table wipe's text that every search prints (is_xboard_line).
#include <cstddef>
#include <cstdint>

#include "book/book.h"
#include "fuzz_support.h"
#include "protocol/xboard_loop.h"
#include "testsupport/protocol_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    // The shipped book, so that "bk" leads the search to book moves as well.
    static const bool book_loaded = load_book(ORLO_SOURCE_DIR "/data/book.txt") != 0;
    (void)book_loaded;
    if (!redirect_input_to_text(fuzz_text(data, size))) return 0;
    FuzzOutput output;
    xboard_loop();
    restore_standard_input();
    // What an interface reads must be lines of its protocol, whatever it sent.
    fuzz_require_lines(output.text(), is_xboard_line);
    return 0;
}
