#!/usr/bin/env bash
# Builds the libFuzzer targets (clang++) and runs each for SECONDS seconds (default 60),
# starting from the seed corpus in fuzz/corpus/<name>. Findings land in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORLO_FUZZ=ON -DORLO_NATIVE=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" >/dev/null
mkdir -p build-fuzz/findings
# Leaks count as findings; undefined behaviour stops the run (the build does not recover).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for source in fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  seeds=fuzz/corpus/${name#fuzz_}
  work=build-fuzz/corpus/${name#fuzz_}
  mkdir -p "$work"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  # The targets write the engine's log files; keep them out of the source tree.
  if ! (cd build-fuzz && ./"$name" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=findings/"$name"- -timeout=25 -rss_limit_mb=4096 \
        "corpus/${name#fuzz_}" 2>"$name.log"); then
    echo "FAIL $name (see build-fuzz/$name.log and build-fuzz/findings)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/"$name".log | grep -o '[0-9]*$' || echo 0)
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' build-fuzz/"$name".log | grep -o '[0-9]*$' || echo 0)
  echo "$name: $runs runs, $rate per second, corpus $(ls "$work" | wc -l) inputs" \
       "($(cat "$work"/* | wc -c) bytes)"
done
exit $status
