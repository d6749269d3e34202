#include "protocol/uci_loop.h"

#include "protocol/uci_options.h"
#include "protocol/uci_search.h"
#include "shell/input.h"
#include "shell/protocol_output.h"
#include "shell/split_words.h"

bool uci_next_line(UciSession& session, std::string& line) {
    if (session.has_pending) {
        line = std::move(session.pending);
        session.pending.clear();
        session.has_pending = false;
        return true;
    }
    if (session.input_ended || !read_line(line)) {
        session.input_ended = true;
        return false;
    }
    log_received_line(line);
    return true;
}

bool uci_handle_line(UciSession& session, const std::string& line) {
    std::vector<std::string> words = split_words(line, 1);
    const std::string command = words.empty() ? std::string() : words[0];
    if (command == "setoption") {
        apply_setoption(line);
    } else if (command == "isready") {
        send_line("readyok");
    } else if (command == "position") {
        if (!apply_position(session.game, line)) send_line("info string invalid position");
    } else if (command == "quit") {
        return false;
    } else if (command == "go") {
        uci_go(session, line);
    }
    return true;
}

int uci_loop() {
    open_protocol_log("uci.txt");
    send_announcement();
    protocol_mode = UCI_MODE;
    UciSession session;
    publish_keys(session.game.keys);
    std::string line;
    while (uci_next_line(session, line)) {
        if (!uci_handle_line(session, line)) break;
    }
    close_protocol_log();
    return 0;
}
