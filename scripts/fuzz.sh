#!/usr/bin/env bash
# Builds the libFuzzer harnesses (the fuzz preset) and runs each one for the
# given number of seconds, from its seed corpus and every earlier finding.
# Anything found is kept under build/fuzz/findings/; add it to
# fuzz/regressions/<harness>/ so that the replay tests keep it fixed.
#
#   scripts/fuzz.sh [SECONDS]     (default 300 per harness)
set -euo pipefail

seconds=${1:-300}
cd "$(dirname "$0")/.."
harnesses=(package field_reader route scenario install compiled_files)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build/fuzz/findings
failed=0
for harness in "${harnesses[@]}"; do
  work=build/fuzz/corpus/$harness
  mkdir -p "$work" "fuzz/regressions/$harness"
  log=build/fuzz/$harness.log
  echo "fuzz_$harness: ${seconds}s"
  if ! build/fuzz/fuzz/fuzz_"$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -dict=fuzz/binario.dict -print_final_stats=1 \
      -artifact_prefix=build/fuzz/findings/"$harness"- \
      "$work" "fuzz/corpus/$harness" "fuzz/regressions/$harness" >"$log" 2>&1; then
    echo "fuzz_$harness FOUND A FAULT: see $log and build/fuzz/findings/" >&2
    tail -n 30 "$log" >&2
    failed=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "  ${runs:-?} executions, $(( ${runs:-0} / (seconds > 0 ? seconds : 1) )) per second"
done
exit $failed
