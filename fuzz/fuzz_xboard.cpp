// Fuzz target: arbitrary bytes as an xboard session, lines fed to the real xboard loop
// through the input layer. Searches are bounded by the fuzz build's limits; the end of the
// input ends the session as "quit" would.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "protocol/xboard_loop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    if (!redirect_input_to_text(fuzz_text(data, size))) return 0;
    xboard_loop();
    restore_standard_input();
    return 0;
}
