// The search test suite: the reference counts, and the console's "test" through the real
// binary (result files, ratios, geometric mean, skipped lines).
#include "harness/test_suite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "board/usable.h"
#include "harness/eval_test.h"
#include "support/engine_runner.h"

namespace {

const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 0 0";

std::FILE* file_with(const std::string& text) {
    std::FILE* file = std::tmpfile();
    if (file) {
        std::fputs(text.c_str(), file);
        std::rewind(file);
    }
    return file;
}

TEST(ReferenceCounts, NumbersInFullThenTheLastOneForGood) {
    ReferenceCounts counts;
    EXPECT_EQ(next_reference(counts), 1);  // no file: every reference is 1
    counts.file = file_with("12\n0x10 010\n5000000000\nanalysis took 1.0 seconds\n7\n");
    ASSERT_NE(counts.file, nullptr);
    EXPECT_EQ(next_reference(counts), 12);
    EXPECT_EQ(next_reference(counts), 16);
    EXPECT_EQ(next_reference(counts), 8);
    EXPECT_EQ(next_reference(counts), 5000000000LL);
    // The closing text ends the list; the number after it is never reached.
    EXPECT_EQ(next_reference(counts), 5000000000LL);
    EXPECT_EQ(next_reference(counts), 5000000000LL);
    std::fclose(counts.file);

    ReferenceCounts zero;
    zero.file = file_with("3 0 9");
    ASSERT_NE(zero.file, nullptr);
    EXPECT_EQ(next_reference(zero), 3);
    EXPECT_EQ(next_reference(zero), 3);  // a count below 1 would make the ratio meaningless
    EXPECT_EQ(next_reference(zero), 3);
    std::fclose(zero.file);
}

struct SuiteRun {
    std::string output;
    std::string results;  // newtestresult.txt ("" when not written)
    bool results_written;
};

// Runs the console with the given input in dir, where orlotest.txt and testresult.txt (when
// not empty) are written first.
SuiteRun run_suite(const std::string& dir, const std::string& tests, const std::string& reference,
                   const std::string& input) {
    std::filesystem::remove(dir + "/newtestresult.txt");
    std::filesystem::remove(dir + "/testresult.txt");
    if (!tests.empty()) write_file(dir, "orlotest.txt", tests);
    if (!reference.empty()) write_file(dir, "testresult.txt", reference);
    SuiteRun run;
    int status = -1;
    run.output = run_engine(dir, input, &status);
    EXPECT_EQ(status, 0);
    run.results_written = std::filesystem::exists(dir + "/newtestresult.txt");
    run.results = read_file(dir + "/newtestresult.txt");
    return run;
}

// The node counts at the start of a result file.
std::vector<long long> counts_of(const std::string& results) {
    std::vector<long long> counts;
    std::size_t start = 0;
    while (start < results.size() && results[start] >= '0' && results[start] <= '9') {
        std::size_t end = results.find('\n', start);
        counts.push_back(std::stoll(results.substr(start, end - start)));
        start = end + 1;
    }
    return counts;
}

std::string reference_file(const std::vector<long long>& counts) {
    std::string text;
    for (long long count : counts) text += std::to_string(count) + "\n";
    return text;
}

std::string figures(const char* format, double a, double b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(TestSuite, OneLineWritesOneCountAndTheClosingLines) {
    const std::string dir = make_scratch_dir("suite_one_line");
    const SuiteRun run = run_suite(dir, START + "\n", "", "test 1\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(run.results, match,
                                 std::regex("([0-9]+)\nanalysis took [0-9]+\\.[0-9] seconds\n"
                                            "overall ratio: ([0-9]+\\.[0-9])")))
        << run.results;
    // Without a reference every reference is 1: the ratio is the count itself.
    const double count = std::stod(match[1]);
    EXPECT_EQ(match[2], figures("%.1f", count * 100));
    EXPECT_TRUE(contains(run.output, "\nFEN: " + START + "\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\n--------------------------\nposition 1: " +
                                         figures("%.3f / %.3f", count * 100, count * 100) +
                                         "\n--------------------------"))
        << run.output;
    EXPECT_TRUE(contains(run.output, "\nanalysis took ")) << run.output;
    EXPECT_TRUE(contains(run.output, "\n--------------------------\noverall ratio " +
                                         figures("%.1f", count * 100) +
                                         "\n--------------------------\n\nmore nodes: 1\n"
                                         "less nodes: 0"))
        << run.output;
}

const std::vector<std::string> POSITIONS = {
    START,
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 1 0 0",
    "8/8/1p6/1P1k4/3P4/4K3/8/8 w - - 0 1 0 0",
    "r3k2r/ppp2ppp/2n5/3qp3/8/2N2N2/PPP2PPP/R2QK2R w KQkq - 0 1 0 0",
    "8/5pk1/6p1/8/8/5NP1/5PK1/3b4 w - - 0 1 0 0",
    "6k1/5ppp/8/8/8/8/q4PPP/1R4K1 w - - 0 1 0 0",
};

std::string lines(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& line : texts) text += line + "\n";
    return text;
}

TEST(TestSuite, EqualReferencesGiveOneHundredEverywhere) {
    const std::string dir = make_scratch_dir("suite_equal");
    const std::string tests = lines({POSITIONS[0], POSITIONS[1], POSITIONS[2]});
    const SuiteRun first = run_suite(dir, tests, "", "test 2\n");
    ASSERT_EQ(counts_of(first.results).size(), 3u) << first.results;
    // The whole result file serves as the reference: its closing lines are never reached.
    const SuiteRun second = run_suite(dir, tests, first.results, "test 2\n");
    EXPECT_EQ(counts_of(second.results), counts_of(first.results));
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(
            contains(second.output, "\nposition " + std::to_string(i) + ": 100.000 / 100.000\n"))
            << second.output;
    EXPECT_TRUE(contains(second.output, "\noverall ratio 100.0\n")) << second.output;
    EXPECT_TRUE(contains(second.output, "\n\nmore nodes: 0\nless nodes: 3")) << second.output;
    EXPECT_TRUE(contains(second.results, "\noverall ratio: 100.0")) << second.results;
}

TEST(TestSuite, RatiosOfTwoAndAHalfHaveAMeanOfOneHundred) {
    const std::string dir = make_scratch_dir("suite_ratios");
    const std::vector<long long> counts =
        counts_of(run_suite(dir, lines(POSITIONS), "", "test 1\n").results);
    ASSERT_EQ(counts.size(), POSITIONS.size());
    // A count of the second position must halve exactly.
    std::size_t even = 1;
    while (even < counts.size() && counts[even] % 2) ++even;
    ASSERT_LT(even, counts.size()) << "no even node count among the positions";

    const SuiteRun run = run_suite(dir, lines({POSITIONS[0], POSITIONS[even]}),
                                   reference_file({counts[0] * 2, counts[even] / 2}), "test 1\n");
    EXPECT_TRUE(contains(run.output, "\nposition 1: 50.000 / 50.000\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\nposition 2: 200.000 / 100.000\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\noverall ratio 100.0\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\n\nmore nodes: 1\nless nodes: 1")) << run.output;
    EXPECT_TRUE(contains(run.results, "\noverall ratio: 100.0")) << run.results;
}

TEST(TestSuite, UnusableLinesAreSkippedAndTakeNoReference) {
    const std::string dir = make_scratch_dir("suite_skips");
    const SuiteRun clean =
        run_suite(dir, lines({POSITIONS[0], POSITIONS[2], POSITIONS[4]}), "", "test 2\n");
    const std::vector<long long> counts = counts_of(clean.results);
    ASSERT_EQ(counts.size(), 3u);

    const std::string noisy = lines({
        "hello",
        POSITIONS[0],
        "",
        "4k3/8/8/8/8/8/8/4K2K w - - 0 1 0 0",     // two white kings
        "P3k3/8/8/8/8/8/8/4K3 w - - 0 1 0 0",     // a pawn on the last rank
        "R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1 0 0",  // black is mated: nothing to search
        POSITIONS[2],
        // Far beyond 254 characters, with what looks like another line in its tail.
        POSITIONS[4] + " " + std::string(400, 'x') + " " + POSITIONS[1] + "\r",
    });
    const SuiteRun run = run_suite(dir, noisy, clean.results, "test 2\n");
    EXPECT_EQ(counts_of(run.results), counts);
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(contains(run.output, "\nposition " + std::to_string(i) + ": 100.000 / 100.000"))
            << run.output;
    EXPECT_FALSE(contains(run.output, "\nposition 4:")) << run.output;
    EXPECT_TRUE(contains(run.output, "\n\nmore nodes: 0\nless nodes: 3")) << run.output;
}

TEST(TestSuite, ShortReferenceFileKeepsItsLastCount) {
    const std::string dir = make_scratch_dir("suite_short_reference");
    const std::vector<long long> counts =
        counts_of(run_suite(dir, lines({POSITIONS[2]}), "", "test 2\n").results);
    ASSERT_EQ(counts.size(), 1u);
    const SuiteRun run =
        run_suite(dir, lines({POSITIONS[2], POSITIONS[2]}), reference_file(counts), "test 2\n");
    EXPECT_TRUE(contains(run.output, "\nposition 2: 100.000 / 100.000\n")) << run.output;
}

TEST(TestSuite, CommandNeedsADepthOfOneOrMoreAndTheTestFile) {
    const std::string dir = make_scratch_dir("suite_command");
    const std::string ignored = "test\ntest 0\ntest -3\ntest x\nTest 1\ntests 1\n";
    SuiteRun run = run_suite(dir, START + "\n", "", ignored);
    EXPECT_FALSE(run.results_written);
    EXPECT_FALSE(contains(run.output, "FEN:")) << run.output;

    const std::string empty_dir = make_scratch_dir("suite_no_file");
    run = run_suite(empty_dir, "", "", "test 1\n");
    EXPECT_FALSE(run.results_written);
    EXPECT_EQ(run.output, run_suite(empty_dir, "", "", "new\n").output);
}

TEST(TestSuite, ShippedTestFileHoldsUsablePositionsWithBothScores) {
    std::FILE* file =
        std::fopen((std::string(ORLO_SOURCE_DIR) + "/data/orlotest.txt").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string line;
    int count = 0;
    while (read_test_line(file, line)) {
        Position position;
        int old_score = 0, search_score = 0;
        EXPECT_EQ(parse_test_line(line, position, old_score, search_score), 1) << line;
        EXPECT_TRUE(position_is_usable(position)) << line;
        EXPECT_LE(line.size(), 254u) << line;
        ++count;
    }
    std::fclose(file);
    EXPECT_GE(count, 24);
}

}  // namespace
