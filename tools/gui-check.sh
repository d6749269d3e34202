#!/usr/bin/env bash
# Orlo against itself under the real xboard GUI, headless under xvfb-run: through its own
# xboard side and through UCI by way of polyglot, at "st 1" (one second a move) and at a short
# incremental level. Fails on any loss on time, illegal move, false claim, crash or unfinished
# game that xboard reports or the engines' exits show.
#
# Installs nothing: needs xboard, xvfb (xvfb-run) and polyglot (Debian: apt-get install xboard
# xvfb polyglot). Everything it writes goes to WORKDIR, one directory per match with the PGN,
# xboard's debug log (every line to and from the engines) and each engine's working directory.
#
# Usage: tools/gui-check.sh ENGINE WORKDIR [GAMES]   (GAMES per protocol and control, default 2)
set -uo pipefail

if [ $# -lt 2 ] || [ -z "$2" ]; then
  echo "usage: $0 ENGINE WORKDIR [GAMES]" >&2
  exit 2
fi
engine=$(realpath "$1")
games=${3:-2}
# Debian puts xboard and polyglot in /usr/games.
PATH=$PATH:/usr/games
missing=""
for tool in xboard xvfb-run polyglot; do
  command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  echo "gui-check needs:$missing (Debian: apt-get install xboard xvfb polyglot)" >&2
  exit 2
fi
[ -x "$engine" ] || { echo "no engine at $1" >&2; exit 2; }
rm -rf "$2" && mkdir -p "$2" && work=$(realpath "$2")

# Each game starts from the next of these positions (xboard sends them with "setboard", polyglot
# as "position fen"): a few quiet openings, so that the games differ.
cat >"$work/openings.fen" <<'END'
r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3
rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4
rnbqkbnr/pp2pppp/3p4/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3
rnbqkbnr/pppp1ppp/8/4p3/2P5/8/PP1PPPPP/RNBQKBNR w KQkq - 0 2
END

# The engines run through this wrapper, which notes an engine that ends abnormally: xboard does
# not always say so (an engine that dies while it should move shows as a loss on time). Like
# Orlo, it ignores the interrupt signal that xboard sends.
cat >"$work/engine.sh" <<END
#!/bin/sh
trap '' INT
"$engine" "\$@"
code=\$?
[ \$code -eq 0 ] || echo "engine ended with status \$code" >>engine-exit.txt
exit \$code
END
chmod +x "$work/engine.sh"

# What xboard says when a game ends badly, in the result it sends the engines, its debug log
# or its output; and what the wrapper notes.
TIME_LOSS='wins on time|flag fell|flags fell'
ILLEGAL='[Ii]llegal move|Forfeit due to|False (win|draw|illegal-move) claim'
CRASH='exited unexpectedly|aborts game|Game aborted|Segmentation fault|Sanitizer|terminate called|core dumped|engine ended with status'

status=0

# play NAME "PROTOCOL FLAGS" TIME-CONTROL FLAGS...
play() {
  local name=$1 protocol=$2
  shift 2
  local dir=$work/$name
  mkdir -p "$dir/first" "$dir/second" "$dir/home"
  : >"$dir/xboard.ini"
  # Games stay short: a draw is adjudicated after 30 moves each, a loss once both engines see
  # one side 8 pawns down. xboard's own settings file stays out of the way (HOME, -ini).
  # shellcheck disable=SC2086 # the protocol flags are words
  HOME=$dir/home timeout $((games * 300)) xvfb-run -a xboard -ini "$dir/xboard.ini" \
    -saveSettingsOnExit false -noGUI -xexit -xponder -autoCallFlag true \
    -fcp "$work/engine.sh" -fd "$dir/first" -scp "$work/engine.sh" -sd "$dir/second" \
    $protocol "$@" -matchGames "$games" -lpf "$work/openings.fen" -lpi -1 \
    -adjudicateDrawMoves 30 -adjudicateLossThreshold -800 \
    -saveGameFile "$dir/games.pgn" -debugMode true -nameOfDebugFile "$dir/xboard.debug" \
    >"$dir/xboard.out" 2>&1
  local code=$?
  touch "$dir/games.pgn" "$dir/xboard.debug"
  # Every game's end as xboard tells the first engine ("result 1-0 {White mates}"); the PGN
  # leaves out a game that ended before its first move.
  local ends logs played time_losses illegal crashes longest
  ends=$(grep -E '^[0-9]+ >first *: result ' "$dir/xboard.debug" | sed -E 's/.*: result //')
  logs=$(cat "$dir/xboard.debug" "$dir/xboard.out" "$dir"/*/engine-exit.txt 2>/dev/null)
  played=$(grep -c . <<<"$ends")
  time_losses=$(grep -E -c "$TIME_LOSS" <<<"$ends")
  illegal=$(grep -E -c "$ILLEGAL" <<<"$logs")
  crashes=$(grep -E -c "$CRASH" <<<"$logs")
  # The longest move: the seconds after the score and depth in the PGN's move comments.
  longest=$(grep -E -o '\{[-+#0-9.]+/[0-9]+ [0-9.]+\}' "$dir/games.pgn" |
    sed -E 's/.* ([0-9.]+)\}/\1/' | sort -g | tail -n 1)
  echo "$name: $played of $games games played ($(sort <<<"$ends" | uniq -c |
    sed -E 's/^ +//' | paste -sd ',' -)); longest move ${longest:-?} s"
  local faults=""
  [ "$code" -eq 0 ] || faults="$faults xboard-status-$code"
  [ "$played" -eq "$games" ] || faults="$faults games-missing"
  if grep -q '^\*' <<<"$ends"; then faults="$faults unfinished-games"; fi
  [ "$time_losses" -eq 0 ] || faults="$faults losses-on-time:$time_losses"
  [ "$illegal" -eq 0 ] || faults="$faults illegal-moves-or-false-claims:$illegal"
  [ "$crashes" -eq 0 ] || faults="$faults crashes:$crashes"
  if [ -n "$faults" ]; then
    echo "  FAIL$faults (see $dir)"
    status=1
  fi
}

play xboard-st1 "" -st 0:01
play xboard-incremental "" -tc 0:10 -inc 0.1
play uci-st1 "-fUCI -sUCI" -st 0:01
play uci-incremental "-fUCI -sUCI" -tc 0:10 -inc 0.1

if [ $status -eq 0 ]; then echo "gui-check: passed"; else echo "gui-check: FAILED"; fi
exit $status
