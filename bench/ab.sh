#!/bin/sh
# bench/ab.sh OLD NEW [ARGS...]: runs `OLD ARGS` and `NEW ARGS` (two orlo-bench binaries,
# e.g. `perft 6` or `search`) interleaved for ROUNDS rounds (default 3), alternating which goes
# first, and prints each one's best rate, the ratio of the bests and the spread of the per-round
# ratios. Rates are read from the "nodes per second" / "million leaves per second" figure, so
# the ratio is NEW's speed over OLD's: above 1 means NEW is faster. With CLOCK=cpu the rate is
# the node or leaf count over the process's user + system seconds instead of the wall clock:
# on a machine shared with other work that is the steadier figure. With BY=position (for
# `search`) each binary's time is the sum over the positions of the fastest run of each: a
# burst of other work slows a few positions of one round, not the figure. Each binary first
# runs once uncounted: after a pause the first run on a shared machine is often much slower.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: bench/ab.sh OLD NEW [ARGS...]   (ROUNDS=n, default 3; CLOCK=cpu; BY=position)" >&2
    exit 2
fi
old=$1
new=$2
shift 2
rounds=${ROUNDS:-3}
clock=${CLOCK:-wall}
by=${BY:-run}
if [ "$by" = position ] && [ "$clock" = cpu ]; then
    echo "bench/ab.sh: BY=position times positions by the wall clock; leave out CLOCK=cpu" >&2
    exit 2
fi
times=$(mktemp)
positions=$(mktemp -d)
trap 'rm -rf "$times" "$positions"' EXIT

# The rate of one run: the number just before "nodes per second" or "leaves per second", or
# with CLOCK=cpu the count before "nodes in" / "leaves in" over the CPU seconds.
rate() {
    if [ "$clock" = cpu ]; then
        count=$(/usr/bin/time -f '%U %S' -o "$times" "$@" |
            sed -n 's/.* \([0-9][0-9]*\) \(leaves\|nodes\) in .*/\1/p' | tail -n 1)
        [ -n "$count" ] && awk -v n="$count" '{ printf "%.0f", n / ($1 + $2) }' "$times"
    elif [ "$by" = position ]; then
        # Keeps "position nodes seconds" of every run of this binary; the rate of the run.
        "$@" | tee -a "$positions/$(echo "$1" | tr / _)" |
            sed -n 's/.* \([0-9][0-9.]*\) \(million leaves\|nodes\) per second.*/\1/p' |
            tail -n 1
    else
        "$@" | sed -n 's/.* \([0-9][0-9.]*\) \(million leaves\|nodes\) per second.*/\1/p' |
            tail -n 1
    fi
}

# Nodes over the sum of each position's fastest seconds, from the kept runs of one binary.
position_rate() {
    awk '$4 == "nodes" && $6 == "s" {
             if (!($1 in t) || $5 < t[$1]) t[$1] = $5
             n[$1] = $3
         }
         END { for (k in t) { s += t[k]; total += n[k] }
               if (s > 0) printf "%.0f", total / s }' "$positions/$(echo "$1" | tr / _)"
}

"$old" "$@" >/dev/null
"$new" "$@" >/dev/null

ratios=""
best_old=0
best_new=0
round=1
while [ "$round" -le "$rounds" ]; do
    if [ $((round % 2)) -eq 1 ]; then
        a=$(rate "$old" "$@")
        b=$(rate "$new" "$@")
    else
        b=$(rate "$new" "$@")
        a=$(rate "$old" "$@")
    fi
    if [ -z "$a" ] || [ -z "$b" ]; then
        echo "no rate in the output of round $round" >&2
        exit 1
    fi
    r=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", b / a }')
    printf 'round %d: old %s  new %s  ratio %s\n' "$round" "$a" "$b" "$r"
    ratios="$ratios $r"
    best_old=$(awk -v x="$best_old" -v y="$a" 'BEGIN { print (y > x ? y : x) }')
    best_new=$(awk -v x="$best_new" -v y="$b" 'BEGIN { print (y > x ? y : x) }')
    round=$((round + 1))
done

echo "$ratios" | awk -v c="$clock" -v o="$best_old" -v n="$best_new" -v k="$rounds" '{
    lo = $1; hi = $1
    for (i = 2; i <= NF; ++i) { if ($i < lo) lo = $i; if ($i > hi) hi = $i }
    printf "best of %d (%s clock): old %s  new %s  ratio %.3f  (per-round ratios %.3f .. %.3f)\n",
           k, c, o, n, n / o, lo, hi
}'

if [ "$by" = position ]; then
    awk -v o="$(position_rate "$old")" -v n="$(position_rate "$new")" -v k="$rounds" 'BEGIN {
        printf "fastest run of each position over %d rounds: old %s  new %s nodes/s  ratio %.3f\n",
               k, o, n, n / o
    }'
fi
