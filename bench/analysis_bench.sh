#!/bin/sh
# count over a million points and null of a function with a thousand zeros, through the
# program itself with the commands on standard input and the console sent to /dev/null.
# Usage: bench/analysis_bench.sh [path/to/tovik]   (default build/tovik)
set -e
tovik=$(realpath "${1:-build/tovik}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

measure() {
  label=$1
  shift
  start=$(date +%s.%N)
  printf '%s\n' "$@" | DISPLAY= "$tovik" >/dev/null
  end=$(date +%s.%N)
  printf '%-44s %8.3f s\n' "$label" "$(echo "$end - $start" | bc)"
}

measure "start and leave (no command)" ""
measure "count x^2+1 x(0,1,10^6)" "count x^2+1 x(0,1,10^6)"
measure "null SIN(x) x(0.5,3141.5,10^5) (999 zeros)" "null SIN(x) x(0.5,3141.5,10^5)"
measure "null SIN(x) x(-3141.5,-0.5,10^5)" "null SIN(x) x(-3141.5,-0.5,10^5)"
