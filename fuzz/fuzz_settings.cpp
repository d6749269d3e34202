// Fuzz target: arbitrary bytes as orlo.ini, read by the settings reader; then a shallow
// search under the settings read, which copies contempt and easymove into the search.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    if (!fuzz_write_file("fuzz_orlo.ini", fuzz_text(data, size))) return 0;
    if (!read_settings_file("fuzz_orlo.ini")) __builtin_trap();
    Position position = start_position;
    think(position, 0, 2, settings, 0);
    return 0;
}
