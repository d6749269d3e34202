// Signal handling: the one platform call the protocol loops need.
#pragma once

// From now on the interrupt signal (SIGINT) is ignored. xboard sends it to interrupt a
// search unless the engine's features say otherwise; this engine has no use for it.
void ignore_interrupt_signal();

// Sends the interrupt signal to another process (tests use it on a child engine).
void send_interrupt(int pid);
