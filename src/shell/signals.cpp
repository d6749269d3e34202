#include "shell/signals.h"

#include <signal.h>

#include <csignal>

void ignore_interrupt_signal() {
    std::signal(SIGINT, SIG_IGN);
}

void send_interrupt(int pid) {
    if (pid > 0) ::kill(pid, SIGINT);
}
