#!/usr/bin/env bash
# Runs every libFuzzer target over its seed corpus with the dictionary, then the session fuzzer
# and the save-and-restart check, each for about SECONDS seconds, against a sanitizer build that
# holds the fuzz targets (scripts/bootstrap --fuzz). Any finding fails the run and is kept in the
# current folder (crash-*, leak-*, timeout-*, session-failures/). FUZZ_SEED repeats a run.
#   tests/fuzz/smoke.sh BUILD_DIR [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-30}
seed=${FUZZ_SEED:-$RANDOM}
export ASAN_OPTIONS=allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "fuzz: seed $seed, $seconds s per target"
for target in "$build"/fuzz_*; do
  name=$(basename "$target")
  mkdir "$work/$name"  # new inputs go here; the seed corpus in the checkout stays as it is
  if ! "$target" -seed="$seed" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
      -dict="$here/tovik.dict" -artifact_prefix="$PWD/" "$work/$name" "$here/corpus/$name" \
      >"$work/$name.log" 2>&1; then
    tail -60 "$work/$name.log"
    echo "fuzz: $name FAILED (seed $seed); the input is kept in $PWD" >&2
    exit 1
  fi
  echo "fuzz: $name: $(grep -o 'Done [0-9]* runs.*' "$work/$name.log" || echo done)"
done

python3 "$here/../session/session_fuzz.py" "$build/tovik" --seed "$seed" --seconds "$seconds" \
  --timeout 60 --dict "$here/tovik.dict" --corpus "$here/../session/corpus" \
  --artifacts "$PWD/session-failures"
python3 "$here/../session/save_restart.py" "$build/tovik" --seed "$seed" --seconds "$seconds"
