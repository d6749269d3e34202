#include "shell/signals.h"

#include <csignal>

void ignore_interrupt_signal() {
    std::signal(SIGINT, SIG_IGN);
}
