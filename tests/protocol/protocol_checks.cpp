#include "protocol/protocol_checks.h"

#include <gtest/gtest.h>

#include "board/fen.h"
#include "protocol/play_move.h"
#include "support/engine_runner.h"

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

UciEngine::UciEngine(const std::string& name, const std::vector<StartFile>& files)
    : EngineProcess(name, "uci", files), announcement(until("uciok\n")) {}

std::string UciEngine::exchange(const std::string& line) {
    if (!line.empty()) send(line);
    send("isready");
    return until("readyok\n");
}

std::string UciEngine::search(const std::string& line) {
    send(line);
    std::string text = until("bestmove");
    return text + exchange("");
}

XboardEngine::XboardEngine(const std::string& name, const std::vector<StartFile>& files)
    : EngineProcess(name, "xboard", files) {
    send("protover 2");
    features = until("done=1\n");
}

std::string XboardEngine::exchange(const std::string& line) {
    if (!line.empty()) send(line);
    const std::string n = std::to_string(++pings);
    send("ping " + n);
    return until("pong " + n + "\n");
}

std::string XboardEngine::move_after(const std::string& line) {
    const std::string text = exchange(line);
    const std::size_t at = text.rfind("move ");
    if (at == std::string::npos) return "";
    return text.substr(at + 5, text.find('\n', at) - at - 5);
}

Position from_fen(const std::string& fen) {
    Position p;
    read_fen(fen.c_str(), p);
    return p;
}

std::string best_move_of(const std::string& text) {
    for (const std::string& line : lines_of(text))
        if (line.rfind("bestmove ", 0) == 0) return line.substr(9, line.find(' ', 9) - 9);
    return "";
}

bool legal_after(const std::string& fen, const std::vector<std::string>& moves,
                 const std::string& move) {
    Position p = fen.empty() ? start_position : from_fen(fen);
    for (const std::string& m : moves)
        if (!play_move_text(p, m, MatchRule::LAST)) return false;
    return play_move_text(p, move, MatchRule::LAST);
}

void expect_well_formed(const std::string& text) {
    for (const std::string& line : lines_of(text)) {
        if (line.rfind("info", 0) == 0) {
            EXPECT_TRUE(well_formed_info(line)) << line;
        }
        if (line.rfind("bestmove", 0) == 0) {
            EXPECT_TRUE(well_formed_bestmove(line)) << line;
        }
    }
}
