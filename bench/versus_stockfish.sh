#!/bin/sh
# bench/versus_stockfish.sh ORLO_BENCH [DEPTH]: perft from the start position by orlo-bench
# and by Stockfish (`go perft DEPTH`, default 6) interleaved for ROUNDS rounds (default 3), each
# timed by its CPU seconds (user + system, start-up included for both); prints each one's best
# leaves per second and Orlo's share of Stockfish's rate. Stockfish counts the last ply
# without making its moves, Orlo makes every leaf. STOCKFISH names the binary
# (default: stockfish on the PATH, else /usr/games/stockfish).
set -eu

if [ $# -lt 1 ]; then
    echo "usage: bench/versus_stockfish.sh ORLO_BENCH [DEPTH]   (ROUNDS=n, STOCKFISH=path)" >&2
    exit 2
fi
orlo=$1
depth=${2:-6}
rounds=${ROUNDS:-3}
stockfish=${STOCKFISH:-$(command -v stockfish || echo /usr/games/stockfish)}
times=$(mktemp)
trap 'rm -f "$times"' EXIT

# Leaves over the CPU seconds of the command; the leaf count is the number in the line
# matched by the sed expression.
rate() {
    pattern=$1
    shift
    count=$("$@" | sed -n "$pattern" | tail -n 1)
    [ -n "$count" ] && awk -v n="$count" '{ printf "%.0f", n / ($1 + $2) }' "$times"
}
orlo_rate() {
    rate 's/^perft [0-9]*: \([0-9]*\) leaves.*/\1/p' /usr/bin/time -f '%U %S' -o "$times" \
        "$orlo" perft "$depth"
}
stockfish_rate() {
    printf 'go perft %s\nquit\n' "$depth" |
        rate 's/^Nodes searched: \([0-9]*\).*/\1/p' /usr/bin/time -f '%U %S' -o "$times" \
            "$stockfish"
}

best_orlo=0
best_stockfish=0
round=1
while [ "$round" -le "$rounds" ]; do
    o=$(orlo_rate)
    s=$(stockfish_rate)
    printf 'round %d: orlo %s  stockfish %s leaves/s  ratio %s\n' "$round" "$o" "$s" \
        "$(awk -v o="$o" -v s="$s" 'BEGIN { printf "%.3f", o / s }')"
    best_orlo=$(awk -v x="$best_orlo" -v y="$o" 'BEGIN { print (y > x ? y : x) }')
    best_stockfish=$(awk -v x="$best_stockfish" -v y="$s" 'BEGIN { print (y > x ? y : x) }')
    round=$((round + 1))
done
awk -v o="$best_orlo" -v s="$best_stockfish" -v k="$rounds" -v d="$depth" 'BEGIN {
    printf "perft %d, best of %d (cpu clock): orlo %.1f M, stockfish %.1f M leaves/s: %.3fx\n",
           d, k, o / 1e6, s / 1e6, o / s }'
