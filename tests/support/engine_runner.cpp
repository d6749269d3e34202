#include "support/engine_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

std::string make_scratch_dir(const std::string& name) {
    // Under the running test's own name: ctest runs the tests of one fixture in parallel, and
    // a name they share would let one wipe another's files.
    std::filesystem::path dir = std::filesystem::current_path() / "scratch";
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
        dir = dir / (std::string(test->test_suite_name()) + "." + test->name());
    dir /= name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

void write_file(const std::string& dir, const std::string& name, const std::string& text) {
    std::ofstream(std::filesystem::path(dir) / name, std::ios::binary) << text;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool start_engine(ChildProcess& child, const std::string& dir) {
    return start_child(child, ORLO_BINARY, {}, dir);
}

std::string run_engine(const std::string& dir, const std::string& input, int* status,
                       int timeout_ms) {
    ChildProcess child;
    if (!start_engine(child, dir)) return "";
    send_to_child(child, input);
    close_child_input(child);
    std::string output = read_child_all(child, timeout_ms);
    int code = wait_child(child, 5000);
    if (status) *status = code;
    return output;
}
