// orlo-bench subcommands: each takes the words after its name and returns the exit status.
#pragma once

// orlo-bench perft DEPTH [FEN]: leaves, seconds and millions of leaves per second.
int bench_perft(int argc, char** argv);
// orlo-bench search [DEPTH]: fixed-depth searches of built-in positions from a fresh engine
// state; the node total is the engine's behaviour signature.
int bench_search(int argc, char** argv);
// orlo-bench eval [FILE]: full-window evaluations per second over FEN lines (one a line,
// from FILE or a built-in set).
int bench_eval(int argc, char** argv);
