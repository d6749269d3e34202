#include "harness/test_suite.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "board/fen.h"
#include "board/usable.h"
#include "harness/eval_test.h"
#include "search/engine_settings.h"
#include "search/game_keys.h"
#include "search/root_search.h"
#include "search/search_state.h"
#include "search/think.h"
#include "shell/clock.h"
#include "shell/output.h"

namespace {

constexpr std::size_t MAX_NUMBER_WORD = 64;

bool is_blank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The next blank-separated word (at most MAX_NUMBER_WORD characters kept); "" at the end.
std::string next_word(std::FILE* file) {
    std::string word;
    int c;
    while ((c = std::fgetc(file)) != EOF && is_blank(c)) {
    }
    while (c != EOF && !is_blank(c)) {
        if (word.size() < MAX_NUMBER_WORD) word.push_back(static_cast<char>(c));
        c = std::fgetc(file);
    }
    return word;
}

bool read_count(const std::string& word, std::int64_t& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    const long long number = std::strtoll(word.c_str(), &end, 0);
    if (end != word.c_str() + word.size()) return false;
    value = number;  // out of range: clamped to the 64-bit limits by strtoll
    return true;
}

struct SuiteFiles {
    std::FILE* tests = nullptr;
    std::FILE* results = nullptr;
    ReferenceCounts references;
    ~SuiteFiles() {
        if (tests) std::fclose(tests);
        if (results) std::fclose(results);
        if (references.file) std::fclose(references.file);
    }
};

}  // namespace

std::int64_t next_reference(ReferenceCounts& counts) {
    if (!counts.file || counts.exhausted) return counts.last;
    std::int64_t value = 0;
    if (read_count(next_word(counts.file), value) && value >= 1)
        counts.last = value;
    else
        counts.exhausted = true;
    return counts.last;
}

int run_test_suite(int depth) {
    SuiteFiles files;
    // The test file first: without it a run would only wipe the last results.
    files.tests = std::fopen("orlotest.txt", "rb");
    if (!files.tests) return 0;
    files.results = std::fopen("newtestresult.txt", "w");
    if (!files.results) return 0;
    files.references.file = std::fopen("testresult.txt", "rb");
    const std::int64_t start_ms = clock_ms();

    // A book move would be no search at all: the suite always searches.
    EngineSettings search_settings = settings;
    search_settings.book = 0;

    int number = 0;
    int more_nodes = 0, less_nodes = 0;
    // Summed logarithms: the product of hundreds of ratios (node counts themselves, without a
    // reference file) would overflow a double.
    double log_sum = 0.0;
    std::string line;
    while (read_test_line(files.tests, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Position position;
        read_fen(line.c_str(), position);
        // Unusable positions take no reference count, so two runs stay in step.
        if (!position_is_usable(position)) continue;

        out("\nFEN: %s\n", line.c_str());
        // Each search starts as in a fresh engine, whatever ran before it.
        reset_root_moves();
        clear_key_history();
        if (!think(position, 0, depth, search_settings, 0)) continue;  // nothing to search
        ++number;
        const std::int64_t nodes = stats.node_count + stats.qs_node_count;
        const std::int64_t reference = next_reference(files.references);

        const double ratio = static_cast<double>(nodes) / static_cast<double>(reference);
        if (ratio > 1)
            ++more_nodes;
        else
            ++less_nodes;
        log_sum += std::log(ratio);
        std::fprintf(files.results, "%lld\n", static_cast<long long>(nodes));
        out("\n--------------------------\nposition %i: %.3f / %.3f\n--------------------------",
            number, ratio * 100.0, std::exp(log_sum / number) * 100.0);
    }

    std::fprintf(files.results, "analysis took %.1f seconds",
                 static_cast<double>(clock_ms() - start_ms) / 1000.0);
    out("\nanalysis took %.1f seconds", static_cast<double>(clock_ms() - start_ms) / 1000.0);
    const double overall = number ? std::exp(log_sum / number) * 100.0 : 100.0;
    out("\n--------------------------\noverall ratio %.1f\n--------------------------", overall);
    out("\n\nmore nodes: %i\nless nodes: %i", more_nodes, less_nodes);
    std::fprintf(files.results, "\noverall ratio: %.1f", overall);
    return 1;
}
