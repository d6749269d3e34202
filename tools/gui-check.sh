#!/usr/bin/env bash
# Orlo against itself under the real xboard GUI, headless under xvfb-run: through its own
# xboard side and through UCI by way of polyglot, at "st 1" (one second a move) and at a short
# incremental level. Fails on any loss on time, illegal move, false claim, crash or unfinished
# game that the PGN, xboard's debug log or its output shows.
#
# Installs nothing: needs xboard, xvfb (xvfb-run) and polyglot (Debian: apt-get install xboard
# xvfb polyglot). Everything it writes goes to WORKDIR, one directory per match with the PGN,
# xboard's debug log (every line to and from the engines) and each engine's working directory.
#
# Usage: tools/gui-check.sh ENGINE WORKDIR [GAMES]   (GAMES per protocol and control, default 2)
set -uo pipefail

if [ $# -lt 2 ]; then
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
cat >"$work/openings.fen" <<'EOF'
r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3
rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4
rnbqkbnr/pp2pppp/3p4/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3
rnbqkbnr/pppp1ppp/8/4p3/2P5/8/PP1PPPPP/RNBQKBNR w KQkq - 0 2
EOF

# What xboard writes when a game ends badly (into the PGN's result comment and its debug log).
TIME_LOSS='wins on time|flag fell|flags fell'
ILLEGAL='[Ii]llegal move|Forfeit due to|False (win|draw|illegal-move) claim'
CRASH='exited unexpectedly|aborts game|Game aborted|Segmentation fault|Sanitizer|terminate called|core dumped'

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
    -fcp "$engine" -fd "$dir/first" -scp "$engine" -sd "$dir/second" $protocol "$@" \
    -matchGames "$games" -lpf "$work/openings.fen" -lpi -1 \
    -adjudicateDrawMoves 30 -adjudicateLossThreshold -800 \
    -saveGameFile "$dir/games.pgn" -debugMode true -nameOfDebugFile "$dir/xboard.debug" \
    >"$dir/xboard.out" 2>&1
  local code=$?
  touch "$dir/games.pgn" "$dir/xboard.debug"
  local played unfinished time_losses illegal crashes longest
  played=$(grep -c '^\[Result "' "$dir/games.pgn")
  unfinished=$(grep -c '^\[Result "\*"' "$dir/games.pgn")
  time_losses=$(grep -E -c "$TIME_LOSS" "$dir/games.pgn")
  illegal=$(cat "$dir/games.pgn" "$dir/xboard.debug" | grep -E -c "$ILLEGAL")
  crashes=$(cat "$dir/games.pgn" "$dir/xboard.debug" "$dir/xboard.out" | grep -E -c "$CRASH")
  # The longest move: the seconds after the score and depth in the move comments.
  longest=$(grep -E -o '\{[-+#0-9.]+/[0-9]+ [0-9.]+\}' "$dir/games.pgn" |
    sed -E 's/.* ([0-9.]+)\}/\1/' | sort -g | tail -n 1)
  echo "$name: $played of $games games played;" \
    "results $(grep -E -o '^\[Result "[^"]*"' "$dir/games.pgn" | cut -d'"' -f2 | tr '\n' ' ')" \
    "(endings: $(grep -E -o '\{[A-Z][^}]*\} (1-0|0-1|1/2-1/2|\*)$' "$dir/games.pgn" |
      sed -E 's/\{(.*)\}.*/\1/' | sort | uniq -c | sed -E 's/^ +//' | paste -sd ',' -));" \
    "longest move ${longest:-?} s"
  local faults=""
  [ "$code" -eq 0 ] || faults="$faults xboard-status-$code"
  [ "$played" -eq "$games" ] || faults="$faults games-missing"
  [ "$unfinished" -eq 0 ] || faults="$faults unfinished-games:$unfinished"
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
