// orlo-bench subcommands: each takes the words after its name and returns the exit status.
#pragma once

int bench_perft(int argc, char** argv);
int bench_search(int argc, char** argv);
