// The command-line words orlo answers without starting its console: `orlo bench [DEPTH]`.
#pragma once

// Runs the command named by argv[1], if it names one, and returns its exit status; returns
// -1 when there is none (no words, or one the engine does not know), for the console to start.
int run_command_line(int argc, char** argv);
