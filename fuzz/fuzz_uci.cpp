// Fuzz target: arbitrary bytes as a UCI session, lines fed to the real UCI loop through the
// input layer. Searches are bounded by the fuzz build's limits; the end of the input ends the
// session as "quit" would. Every line the loop writes must have the protocol's form or be one
// of the console texts a UCI search prints too (is_uci_line).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "protocol/uci_loop.h"
#include "testsupport/protocol_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    if (!redirect_input_to_text(fuzz_text(data, size))) return 0;
    FuzzOutput output;
    uci_loop();
    restore_standard_input();
    // What an interface reads must be lines of its protocol, whatever it sent.
    fuzz_require_lines(output.text(), is_uci_line);
    return 0;
}
