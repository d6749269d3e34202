// The search test suite: the reference counts, and the console's "test" through the real
// binary (result files, ratios, geometric mean, skipped lines).
#include "harness/test_suite.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <regex>

#include "board/usable.h"
#include "harness/eval_test.h"
#include "support/engine_runner.h"

namespace {

const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 0 0";
const std::vector<std::string> POSITIONS = {
    START,
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 1 0 0",
    "8/8/1p6/1P1k4/3P4/4K3/8/8 w - - 0 1 0 0",
    "r3k2r/ppp2ppp/2n5/3qp3/8/2N2N2/PPP2PPP/R2QK2R w KQkq - 0 1 0 0",
    "8/5pk1/6p1/8/8/5NP1/5PK1/3b4 w - - 0 1 0 0",
    "6k1/5ppp/8/8/8/8/q4PPP/1R4K1 w - - 0 1 0 0",
};

TEST(ReferenceCounts, NumbersInFullThenTheLastOneForGood) {
    ReferenceCounts none;
    EXPECT_EQ(next_reference(none), 1);  // no file: every reference is 1
    ReferenceCounts counts;
    counts.file = std::tmpfile();
    ASSERT_NE(counts.file, nullptr);
    // The closing text ends the list; a count below 1 would make the ratio meaningless.
    std::fputs("12\n0x10 010\n5000000000\n0\nanalysis took 1.0 seconds\n7\n", counts.file);
    std::rewind(counts.file);
    for (long long expected : {12LL, 16LL, 8LL, 5000000000LL, 5000000000LL, 5000000000LL})
        EXPECT_EQ(next_reference(counts), expected);
    std::fclose(counts.file);
}

struct SuiteRun {
    std::string output, results;    // results: newtestresult.txt, "" when not written
    std::vector<long long> counts;  // the node counts at its start
};

// Runs the console in dir, with orlotest.txt and testresult.txt (when not empty) written
// first.
SuiteRun run_suite(const std::string& dir, const std::vector<std::string>& tests,
                   const std::string& reference, const std::string& input) {
    std::filesystem::remove(dir + "/newtestresult.txt");
    std::filesystem::remove(dir + "/testresult.txt");
    std::string text;
    for (const std::string& line : tests) text += line + "\n";
    if (!tests.empty()) write_file(dir, "orlotest.txt", text);
    if (!reference.empty()) write_file(dir, "testresult.txt", reference);
    SuiteRun run;
    int status = -1;
    run.output = run_engine(dir, input, &status);
    EXPECT_EQ(status, 0);
    run.results = read_file(dir + "/newtestresult.txt");
    for (std::size_t at = 0; at < run.results.size() && std::isdigit(run.results[at]);
         at = run.results.find('\n', at) + 1)
        run.counts.push_back(std::stoll(run.results.substr(at)));
    return run;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(TestSuite, EqualReferencesGiveOneHundredAndRatiosOfTwoAndAHalfAMeanOfOneHundred) {
    const std::string dir = make_scratch_dir("suite_references");
    SuiteRun run = run_suite(dir, POSITIONS, "", "test 1\n");
    const std::vector<long long> counts = run.counts;
    ASSERT_EQ(counts.size(), POSITIONS.size());
    // Without a reference every reference is 1: a position's ratio is its count.
    const std::string ratio = std::to_string(counts[0] * 100) + ".000";
    EXPECT_TRUE(contains(run.output, "\nFEN: " + START + "\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\n--------------------------\nposition 1: " + ratio + " / " +
                                         ratio + "\n--------------------------"))
        << run.output;
    EXPECT_TRUE(contains(run.output, "\n--------------------------\noverall ratio ")) << run.output;
    EXPECT_TRUE(contains(run.output, "--------------------------\n\nmore nodes: 6\nless nodes: 0"))
        << run.output;
    auto reference = [](long long a, long long b, long long c = 0) {
        return std::to_string(a) + "\n" + std::to_string(b) + "\n" +
               (c ? std::to_string(c) + "\n" : "") + "analysis took 1.0 seconds\n9\n";
    };
    // Unusable lines are skipped and take no reference.
    run = run_suite(dir,
                    {"hello", POSITIONS[0], "",
                     "4k3/8/8/8/8/8/8/4K2K w - - 0 1 0 0",     // two white kings
                     "P3k3/8/8/8/8/8/8/4K3 w - - 0 1 0 0",     // a pawn on the last rank
                     "R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1 0 0",  // black is mated: nothing to search
                     POSITIONS[2],
                     // Far beyond 254 characters, with what looks like another line in its tail.
                     POSITIONS[4] + " " + std::string(400, 'x') + " " + POSITIONS[1] + "\r"},
                    reference(counts[0], counts[2], counts[4]), "test 1\n");
    EXPECT_EQ(run.counts, std::vector<long long>({counts[0], counts[2], counts[4]}));
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(
            contains(run.output, "\nposition " + std::to_string(i) + ": 100.000 / 100.000\n"))
            << run.output;
    EXPECT_FALSE(contains(run.output, "\nposition 4:")) << run.output;
    EXPECT_TRUE(contains(run.output, "\noverall ratio 100.0\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\n\nmore nodes: 0\nless nodes: 3")) << run.output;
    EXPECT_TRUE(std::regex_match(run.results,
                                 std::regex("([0-9]+\n){3}analysis took [0-9]+\\.[0-9] seconds\n"
                                            "overall ratio: 100\\.0")))
        << run.results;

    // A count of a second position must halve exactly.
    std::size_t even = 1;
    while (even < counts.size() && counts[even] % 2) ++even;
    ASSERT_LT(even, counts.size()) << "no even node count among the positions";
    run = run_suite(dir, {POSITIONS[0], POSITIONS[even]},
                    reference(counts[0] * 2, counts[even] / 2), "test 1\n");
    EXPECT_TRUE(contains(run.output, "\nposition 1: 50.000 / 50.000\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\nposition 2: 200.000 / 100.000\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\noverall ratio 100.0\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "\n\nmore nodes: 1\nless nodes: 1")) << run.output;
}

TEST(TestSuite, CommandNeedsADepthOfOneOrMoreAndTheTestFile) {
    const std::string dir = make_scratch_dir("suite_command");
    SuiteRun run = run_suite(dir, {START}, "", "test\ntest 0\ntest -3\ntest x\nTest 1\ntests 1\n");
    EXPECT_EQ(run.results, "");
    EXPECT_FALSE(contains(run.output, "FEN:")) << run.output;
    const std::string empty_dir = make_scratch_dir("suite_no_file");
    run = run_suite(empty_dir, {}, "", "test 1\n");
    EXPECT_EQ(run.results, "");
    EXPECT_EQ(run.output, run_suite(empty_dir, {}, "", "new\n").output);
}

TEST(TestSuite, ShippedTestFileHoldsUsablePositionsWithBothScores) {
    std::FILE* file =
        std::fopen((std::string(ORLO_SOURCE_DIR) + "/data/orlotest.txt").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string line;
    int count = 0;
    for (; read_test_line(file, line); ++count) {
        Position position;
        int old_score = 0, search_score = 0;
        EXPECT_EQ(parse_test_line(line, position, old_score, search_score), 1) << line;
        EXPECT_TRUE(position_is_usable(position)) << line;
        EXPECT_LE(line.size(), 254u) << line;
    }
    std::fclose(file);
    EXPECT_GE(count, 24);
}

}  // namespace
