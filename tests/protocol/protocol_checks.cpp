#include "protocol/protocol_checks.h"

#include <set>
#include <sstream>

#include "support/engine_runner.h"

namespace {

bool is_integer(const std::string& word) {
    std::size_t i = (!word.empty() && word[0] == '-') ? 1 : 0;
    if (i >= word.size()) return false;
    for (; i < word.size(); ++i)
        if (word[i] < '0' || word[i] > '9') return false;
    return true;
}

}  // namespace

bool is_move_text(const std::string& word) {
    if (word.size() != 4 && word.size() != 5) return false;
    for (int i = 0; i < 4; i += 2) {
        if (word[i] < 'a' || word[i] > 'h' || word[i + 1] < '1' || word[i + 1] > '8') return false;
    }
    return word.size() == 4 || std::string("qrbn").find(word[4]) != std::string::npos;
}

bool well_formed_info(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    if (!(in >> word) || word != "info") return false;
    static const std::set<std::string> numeric = {"depth",   "seldepth",       "time",     "nodes",
                                                  "multipv", "currmovenumber", "hashfull", "nps",
                                                  "tbhits",  "cpuload",        "sbhits"};
    std::vector<std::string> words;
    while (in >> word) words.push_back(word);
    if (words.empty()) return false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& key = words[i];
        if (key == "string") return true;  // free text to the end
        if (numeric.count(key)) {
            if (++i >= words.size() || !is_integer(words[i])) return false;
        } else if (key == "currmove") {
            if (++i >= words.size() || !is_move_text(words[i])) return false;
        } else if (key == "score") {
            if (i + 2 >= words.size()) return false;
            if (words[i + 1] != "cp" && words[i + 1] != "mate") return false;
            if (!is_integer(words[i + 2])) return false;
            i += 2;
            if (i + 1 < words.size() &&
                (words[i + 1] == "lowerbound" || words[i + 1] == "upperbound"))
                ++i;
        } else if (key == "pv" || key == "refutation") {
            if (i + 1 >= words.size()) return false;
            for (++i; i < words.size(); ++i)
                if (!is_move_text(words[i])) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool well_formed_bestmove(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    if (words.size() != 2 && words.size() != 4) return false;
    std::string joined = words[0] + " " + words[1];
    if (words.size() == 4) joined += " " + words[2] + " " + words[3];
    if (line != joined || words[0] != "bestmove") return false;
    if (words[1] != "0000" && !is_move_text(words[1])) return false;
    return words.size() == 2 || (words[2] == "ponder" && is_move_text(words[3]));
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

EngineProcess::EngineProcess(const std::string& name, const std::string& first_line,
                             const std::vector<StartFile>& files)
    : dir(make_scratch_dir(name)) {
    for (const StartFile& file : files) write_file(dir, file.name, file.text);
    start_engine(child, dir);
    if (!first_line.empty()) send(first_line);
}

EngineProcess::~EngineProcess() {
    if (child.pid <= 0) return;
    send_to_child(child, "quit\n");
    close_child_input(child);
    wait_child(child, 10000);
}

void EngineProcess::send(const std::string& line) {
    send_to_child(child, line + "\n");
}

std::string EngineProcess::until(const std::string& wanted, int timeout_ms) {
    return read_child_until(child, wanted, timeout_ms);
}

int EngineProcess::quit() {
    send("quit");
    close_child_input(child);
    read_child_all(child, 30000);
    return wait_child(child, 30000);
}
