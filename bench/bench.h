// orlo-bench subcommands: each takes the words after its name and returns the exit status.
#pragma once

int bench_perft(int argc, char** argv);
int bench_search(int argc, char** argv);
// orlo-bench eval [FILE]: full-window evaluations per second over FEN lines (one a line,
// from FILE or a built-in set).
int bench_eval(int argc, char** argv);
