// Replays every input file in tests/regressions through the real binary: each one once made
// the engine crash, hang, or send lines an interface cannot read, or pins down what the engine
// may print in a protocol (README.md there lists them).
// The file's extension says which surface it feeds:
//   .uci, .xboard   a session on standard input (its first line enters the protocol);
//   .ini            orlo.ini, then a short UCI search;
//   .book           book.txt (with "book 1" in orlo.ini), then a short UCI search;
//   .orlotest       orlotest.txt, then the console's "testeval".
// The engine must end with status 0, and in a protocol every line it sends must have the
// protocol's form or be one of the console texts printed there too (is_uci_line and
// is_xboard_line know them).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "support/engine_runner.h"
#include "testsupport/protocol_lines.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* SEARCH_SESSION = "uci\nisready\nposition startpos\ngo depth 3\nquit\n";

std::vector<fs::path> regression_files() {
    std::vector<fs::path> files;
    for (const auto& entry :
         fs::directory_iterator(fs::path(ORLO_SOURCE_DIR) / "tests/regressions"))
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".md")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The protocol part of the output: from the console's prompt on, which the loop's first line
// ends. Every line there must pass `form`.
void expect_protocol_lines(const std::string& output,
                           const std::function<bool(const std::string&)>& form,
                           const std::string& name) {
    const std::size_t prompt = output.find("\n>orlo ");
    ASSERT_NE(prompt, std::string::npos) << name;
    std::vector<std::string> lines = lines_of(output.substr(prompt + 1));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], ">orlo ") << name << ": the prompt shares its line";
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_TRUE(form(lines[i])) << name << " sent \"" << lines[i] << "\"";
}

void replay(const fs::path& file) {
    const std::string name = file.filename().string();
    const std::string extension = file.extension().string();
    const std::string text = read_file(file.string());
    const std::string dir = make_scratch_dir("regression_" + file.stem().string());
    std::string session = text;
    bool uci = true;
    if (extension == ".xboard") {
        uci = false;
    } else if (extension == ".ini") {
        write_file(dir, "orlo.ini", text);
        session = SEARCH_SESSION;
    } else if (extension == ".book") {
        write_file(dir, "book.txt", text);
        write_file(dir, "orlo.ini", "book 1\n");
        session = SEARCH_SESSION;
    } else if (extension == ".orlotest") {
        write_file(dir, "orlotest.txt", text);
        session = "testeval\n";
    } else {
        ASSERT_EQ(extension, ".uci") << name << ": unknown kind of input";
    }
    int status = -1;
    const std::string output = run_engine(dir, session, &status);
    EXPECT_EQ(status, 0) << name;
    if (extension == ".orlotest") return;
    if (uci)
        expect_protocol_lines(output, is_uci_line, name);
    else
        expect_protocol_lines(output, is_xboard_line, name);
}

}  // namespace

TEST(Regressions, EveryInputFileReplaysCleanly) {
    const std::vector<fs::path> files = regression_files();
    EXPECT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        replay(file);
    }
}
