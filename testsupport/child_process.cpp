// Platform part: fork, exec, pipes and poll.
#include "testsupport/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/clock.h"
#include "testsupport/write_all.h"

namespace {

// Reads what is available within the time left; false at end of output or timeout.
bool read_some(ChildProcess& child, long long deadline) {
    if (child.from_child < 0) return false;
    long long left = deadline - clock_ms();
    if (left < 0) left = 0;
    pollfd p{child.from_child, POLLIN, 0};
    int ready = ::poll(&p, 1, static_cast<int>(left));
    if (ready <= 0) return false;
    char chunk[4096];
    ssize_t n = ::read(child.from_child, chunk, sizeof chunk);
    if (n <= 0) {
        ::close(child.from_child);
        child.from_child = -1;
        return false;
    }
    child.received.append(chunk, static_cast<std::size_t>(n));
    return true;
}

}  // namespace

bool start_child(ChildProcess& child, const std::string& program,
                 const std::vector<std::string>& arguments, const std::string& working_directory) {
    int in_pipe[2], out_pipe[2];
    if (::pipe(in_pipe) != 0) return false;
    if (::pipe(out_pipe) != 0) {
        ::close(in_pipe[0]);
        ::close(in_pipe[1]);
        return false;
    }
    ::signal(SIGPIPE, SIG_IGN);
    int pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        ::dup2(in_pipe[0], 0);
        ::dup2(out_pipe[1], 1);
        ::close(in_pipe[0]);
        ::close(in_pipe[1]);
        ::close(out_pipe[0]);
        ::close(out_pipe[1]);
        if (!working_directory.empty() && ::chdir(working_directory.c_str()) != 0) ::_exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(in_pipe[0]);
    ::close(out_pipe[1]);
    child.pid = pid;
    child.to_child = in_pipe[1];
    child.from_child = out_pipe[0];
    child.received.clear();
    return true;
}

bool send_to_child(ChildProcess& child, const std::string& text) {
    return write_all(child.to_child, text);
}

std::string read_child_until(ChildProcess& child, const std::string& wanted, int timeout_ms) {
    long long deadline = clock_ms() + timeout_ms;
    for (;;) {
        std::size_t at = child.received.find(wanted);
        if (at != std::string::npos) {
            std::string text = child.received.substr(0, at + wanted.size());
            child.received.erase(0, at + wanted.size());
            return text;
        }
        if (!read_some(child, deadline)) return "";
    }
}

bool read_child_line(ChildProcess& child, std::string& line, int timeout_ms) {
    std::string text = read_child_until(child, "\n", timeout_ms);
    if (text.empty()) return false;
    text.pop_back();
    line = text;
    return true;
}

std::string read_child_all(ChildProcess& child, int timeout_ms) {
    long long deadline = clock_ms() + timeout_ms;
    while (read_some(child, deadline)) {
    }
    std::string text;
    text.swap(child.received);
    return text;
}

void close_child_input(ChildProcess& child) {
    if (child.to_child >= 0) ::close(child.to_child);
    child.to_child = -1;
}

int wait_child(ChildProcess& child, int timeout_ms) {
    if (child.pid <= 0) return -1;
    long long deadline = clock_ms() + timeout_ms;
    int status = 0;
    for (;;) {
        int r = ::waitpid(child.pid, &status, WNOHANG);
        if (r == child.pid) break;
        if (r < 0) return -1;
        if (clock_ms() > deadline) {
            ::kill(child.pid, SIGKILL);
            ::waitpid(child.pid, &status, 0);
            child.pid = -1;
            return -1;
        }
        ::usleep(2000);
    }
    child.pid = -1;
    if (child.from_child >= 0) ::close(child.from_child);
    child.from_child = -1;
    close_child_input(child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
