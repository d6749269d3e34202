#include "protocol/protocol_checks.h"

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
