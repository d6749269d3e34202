// Fuzz target: arbitrary bytes as orlotest.txt, read by the evaluation test (its line reader
// and the evaluation of every usable position it gives), and each line by the reader alone.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "harness/eval_test.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    const std::string text = fuzz_text(data, size);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        Position position;
        int old_score = 0, search_score = 0;
        parse_test_line(std::string_view(text).substr(start, end - start), position, old_score,
                        search_score);
        start = end + 1;
    }
    if (!fuzz_write_file("orlotest.txt", text)) return 0;
    if (!run_eval_test()) __builtin_trap();
    return 0;
}
