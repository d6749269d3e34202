// Fuzz target: arbitrary bytes as orlotest.txt, read by both harness readers: the evaluation
// test (its line reader, then the evaluation of every usable position it gives) and the
// search test suite (the FEN reader, then a one-ply search of every usable position). What
// follows a first NUL byte is the suite's reference file, testresult.txt.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "harness/eval_test.h"
#include "harness/test_suite.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_reset();
    const std::string input = fuzz_text(data, size);
    const std::size_t nul = input.find('\0');
    const std::string text = input.substr(0, nul);
    const std::string references = nul == std::string::npos ? "" : input.substr(nul + 1);

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

    std::remove("testresult.txt");
    if (nul != std::string::npos && !fuzz_write_file("testresult.txt", references)) return 0;
    std::remove("newtestresult.txt");  // see fuzz_reset
    if (!run_test_suite(1)) __builtin_trap();
    return 0;
}
