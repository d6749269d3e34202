// Input polling through a real pipe, and the stamped protocol log lines.
#include "shell/poll_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "shell/clock.h"
#include "shell/input.h"
#include "shell/protocol_output.h"
#include "support/engine_runner.h"
#include "support/search_run.h"
#include "testsupport/input_redirect.h"

namespace {

// UCI mode with the input a fresh pipe, the output captured and uci.txt in a scratch dir.
class PollInput : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = make_scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_TRUE(open_protocol_log((dir + "/uci.txt").c_str()));
        ASSERT_TRUE(redirect_input_to_pipe(pipe));
        protocol_mode = UCI_MODE;
    }
    void TearDown() override {
        protocol_mode = CONSOLE_MODE;
        close_input_pipe(pipe);
        restore_standard_input();
        close_protocol_log();
    }
    std::string next_line() {
        std::string line;
        EXPECT_TRUE(read_line(line));
        return line;
    }
    std::string dir;
    InputPipe pipe;
    CapturedOutput printed;
};

TEST_F(PollInput, PonderhitConsumedOtherLinesLeftForTheLoop) {
    EXPECT_EQ(poll_input(), 0);  // nothing waiting
    write_input_pipe(pipe, "ponderhit\nstop\n");
    EXPECT_EQ(poll_input(), 1);
    EXPECT_EQ(printed.text(), "info string ponderhit!\n");
    EXPECT_EQ(poll_input(), 2);  // "stop" stays and is read next
    EXPECT_EQ(next_line(), "stop");
    EXPECT_EQ(poll_input(), 0);
    // Among several lines only its own line goes.
    write_input_pipe(pipe, "isready\nponderhit\nquit\n");
    EXPECT_EQ(poll_input(), 1);
    EXPECT_EQ(next_line(), "isready");
    EXPECT_EQ(next_line(), "quit");
    // A ponderhit whose line end has not come yet: the rest of that line is dropped.
    write_input_pipe(pipe, "stop\nponderhit");
    EXPECT_EQ(poll_input(), 1);
    write_input_pipe(pipe, "\ngo\n");
    EXPECT_EQ(next_line(), "stop");
    EXPECT_EQ(next_line(), "");
    EXPECT_EQ(next_line(), "go");
    // Only the first kilobyte is looked at.
    write_input_pipe(pipe, std::string(2000, 'x') + "\nponderhit\n");
    EXPECT_EQ(poll_input(), 2);
    EXPECT_EQ(next_line().size(), 2000u);
    EXPECT_EQ(next_line(), "ponderhit");
    // Nothing outside UCI mode.
    write_input_pipe(pipe, "ponderhit\n");
    protocol_mode = XBOARD_MODE;
    EXPECT_EQ(poll_input(), 0);
    EXPECT_EQ(next_line(), "ponderhit");
    // The consumed line is logged exactly as it came, before the answer to it.
    protocol_mode = UCI_MODE;
    write_input_pipe(pipe, "  ponderhit  \r\n");
    EXPECT_EQ(poll_input(), 1);
    close_protocol_log();
    const std::string log = read_file(dir + "/uci.txt");
    EXPECT_TRUE(std::regex_match(
        log, std::regex("(<--ponderhit\n[ \\d]{5}\\d -->info string ponderhit!\n){3}"
                        "<--  ponderhit  \n[ \\d]{5}\\d -->info string ponderhit!\n")))
        << log;
}

TEST_F(PollInput, ClosedPipeCountsAsWaitingInputAfterTheLastLine) {
    write_input_pipe(pipe, "quit\n");
    close_input_pipe(pipe);
    EXPECT_EQ(poll_input(), 2);
    EXPECT_EQ(next_line(), "quit");
    EXPECT_EQ(poll_input(), 2);
    std::string line;
    EXPECT_FALSE(read_line(line));
}

TEST_F(PollInput, NothingForARegularFileOrANonBlockingPipe) {
    write_file(dir, "input.txt", "ponderhit\nstop\n");
    ASSERT_TRUE(redirect_input_to_file(dir + "/input.txt"));
    EXPECT_EQ(poll_input(), 0);
    EXPECT_EQ(next_line(), "ponderhit");
    // A descriptor left non-blocking by the parent: "nothing yet" is not the end of input.
    close_input_pipe(pipe);
    ASSERT_TRUE(redirect_input_to_pipe(pipe));
    ASSERT_TRUE(make_input_nonblocking());
    EXPECT_EQ(poll_input(), 0);
    std::thread writer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        write_input_pipe(pipe, "isready\n");
    });
    std::string line;
    const bool got = read_line(line);
    writer.join();
    EXPECT_TRUE(got);
    EXPECT_EQ(line, "isready");
}

// The look of an xboard analysis: "." lines go, lines that end the analysis stop it, the rest
// wait in order for the loop.
TEST_F(PollInput, AnalysisLook) {
    const struct {
        const char* written;
        int result;
        std::vector<std::string> left;  // the lines the loop then reads
    } cases[] = {
        {"", 0, {}},
        {".\n", 0, {}},
        {"time 100\n.\n  . \r\notim 90\n", 0, {"time 100", "otim 90"}},
        {"hint\ne2e4\n", 2, {"hint", "e2e4"}},
        {"  e7e8q\r\n", 2, {"  e7e8q"}},
        {"undo\n", 2, {"undo"}},
        {"new\n", 2, {"new"}},
        {"setboard 8/8/8/8/8/8/8/8 w - - 0 1\n", 2, {"setboard 8/8/8/8/8/8/8/8 w - - 0 1"}},
        {"exit\n", 2, {"exit"}},
        {"quit\n", 2, {"quit"}},
        {"e2e\ne2e4k\nundone\nbk\n", 0, {"e2e", "e2e4k", "undone", "bk"}},
        {"e2e4", 0, {}},  // not a whole line yet
        {"\n", 2, {"e2e4"}},
    };
    for (const auto& c : cases) {
        write_input_pipe(pipe, c.written);
        EXPECT_EQ(poll_analysis_input(), c.result) << c.written;
        for (const std::string& line : c.left) EXPECT_EQ(next_line(), line);
    }
    EXPECT_EQ(printed.text(), "");
    // A file is there at once: its end counts as waiting input, and so does a backlog larger
    // than the buffer, so that neither leaves the analysis running for good.
    for (std::size_t lines : {std::size_t{1}, INPUT_BUFFER_LIMIT / 7 + 1}) {
        std::string text;
        for (std::size_t i = 0; i < lines; ++i) text += "time 1\n";
        write_file(dir, "input.txt", text + "e2e4\n");
        ASSERT_TRUE(redirect_input_to_file(dir + "/input.txt"));
        EXPECT_EQ(poll_analysis_input(), 2) << lines;
        EXPECT_EQ(next_line(), "time 1");
    }
}

TEST(ProtocolLog, StampsFormatsAndAnUnopenableLog) {
    const std::string dir = make_scratch_dir("protocol_log");
    ASSERT_TRUE(open_protocol_log((dir + "/uci.txt").c_str()));
    log_start_ms = clock_ms_precise() - 1234567.0;
    log_received_line("go depth 3");
    log_sent_line("x");
    // A session of five weeks: the stamp goes past the 32-bit range and must stay whole.
    log_start_ms = clock_ms_precise() - 3024000000.0;
    log_sent_line("y");
    close_protocol_log();
    const std::string log = read_file(dir + "/uci.txt");
    EXPECT_TRUE(
        std::regex_match(log, std::regex("<--go depth 3\n123456\\d -->x\n3024000\\d{3} -->y\n")))
        << log;

    EXPECT_FALSE(open_protocol_log((dir + "/no/such/dir/uci.txt").c_str()));
    CapturedOutput captured;
    send_line("readyok");
    send_line_format("info depth %i", 3);
    log_received_line("isready");
    EXPECT_EQ(captured.text(), "readyok\ninfo depth 3\n");
}

}  // namespace
