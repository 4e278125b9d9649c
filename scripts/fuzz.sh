#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan) and runs each for the
# given number of seconds from its seed corpus fuzz/corpus/<target>/. Fails on any crash, leak,
# hang or broken invariant, and keeps the input that shows it in build/fuzz/findings/.
#   scripts/fuzz.sh                     every target, 60 s each
#   scripts/fuzz.sh 600 gbk_fuzzer      one target, ten minutes
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for corpus in fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

out=build/fuzz/runs
mkdir -p "$out" build/fuzz/findings
# The targets' own files go to a scratch folder in memory where there is one.
scratch=$(mktemp -d "$([ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/fuzz-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failed=0
for target in "${targets[@]}"; do
  # New inputs the run finds go to build/, the committed seeds stay as they are.
  corpus="$out/$target"
  mkdir -p "$corpus"
  log="$out/$target.log"
  # -close_fd_mask=2: the targets' own one-line reports on stderr would drown the log;
  # libFuzzer's and the sanitizers' reports still reach it.
  if TMPDIR="$scratch" "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -close_fd_mask=2 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$target-" "$corpus" "fuzz/corpus/$target" \
    >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: no fault in $runs runs ($seconds s)"
  else
    echo "$target: FAILED, see $log and build/fuzz/findings/:" >&2
    tail -n 40 "$log" >&2
    failed=1
  fi
done
exit "$failed"
