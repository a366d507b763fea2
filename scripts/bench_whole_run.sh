#!/usr/bin/env bash
# The whole installer run on the longest route a route text allows (1000000 m),
# against the floor of writing the same bytes: `cp` of its three outputs
# followed by `sync` of the copies (the installer flushes its files too).
# Runs in pairs, one installer run then one copy, and prints the median of
# the per-pair ratios, and the installer's peak resident memory against its
# largest output file.
#
#   scripts/bench_whole_run.sh BUILD_DIR [PAIRS]    (STUB=FILE: another Linux stub)
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 BUILD_DIR [PAIRS]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
pairs=${2:-15}
work=$(mktemp -d "${TMPDIR:-/tmp}/binario-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

# 1000000 m: a gradient every kilometre and a curve every ten.
{
  printf '[generale]\r\nlunghezza percorso, 1000000\r\n[linea]\r\n'
  for ((km = 0; km < 1000; km++)); do
    printf 'pendenza, %d, %d\r\n' $((km * 1000)) $((km % 13 - 6))
    if ((km % 10 == 5)); then
      side=s
      ((km % 20 == 5)) && side=d
      printf 'curva%s%d, %d, 800\r\n' "$side" $((km % 6 + 1)) $((km * 1000))
    fi
  done
  printf '[fine]\r\n'
} > "$work/R_linea.txt"
printf '[generale]\r\n' > "$work/R_T-.txt"
"$build/tools/binario" pack --route R --train T --stub "${STUB:-$build/src/binario-stub}" \
  -o "$work/installer" "$work/R_linea.txt" "$work/R_T-.txt"

now() { date +%s%N; }
ratios=()
installer_times=()
cp_times=()
peak_kb=0
largest=0
for ((i = 0; i < pairs; i++)); do
  run="$work/run$i"
  copy="$work/copy$i"
  mkdir -p "$run" "$copy"
  cp "$work/installer" "$run/installer"
  start=$(now)
  # The installer's own lines ("Attendere", a message) are shown only when it fails.
  if ! /usr/bin/time -f %M -o "$work/rss" "$run/installer" > /dev/null 2> "$work/stderr"; then
    cat "$work/stderr" >&2
    exit 1
  fi
  installer_ns=$(($(now) - start))
  kb=$(cat "$work/rss")
  ((kb > peak_kb)) && peak_kb=$kb
  outputs=("$run/R_linea.dat" "$run/R_T.sim" "$run/R_T.dat")
  for f in "${outputs[@]}"; do
    size=$(stat -c %s "$f")
    ((size > largest)) && largest=$size
  done
  start=$(now)
  cp "${outputs[@]}" "$copy/"
  sync "$copy"/*
  cp_ns=$(($(now) - start))
  ratios+=("$(awk -v a="$installer_ns" -v b="$cp_ns" 'BEGIN { printf "%.3f", a / b }')")
  installer_times+=("$installer_ns")
  cp_times+=("$cp_ns")
  printf 'pair %2d: installer %6.1f ms, cp + sync %6.1f ms\n' "$i" \
    "$(awk -v n="$installer_ns" 'BEGIN { print n / 1e6 }')" "$(awk -v n="$cp_ns" 'BEGIN { print n / 1e6 }')"
  rm -rf "$run" "$copy"
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
median=$(median "${ratios[@]}")
awk -v a="$(median "${installer_times[@]}")" -v b="$(median "${cp_times[@]}")" 'BEGIN {
  printf "medians: installer %.1f ms, cp + sync %.1f ms\n", a / 1e6, b / 1e6 }'
echo "installer / (cp + sync), median of $pairs pairs: $median"
awk -v kb="$peak_kb" -v bytes="$largest" 'BEGIN {
  printf "peak resident memory %.1f MiB, largest output %.1f MiB: %.2f times\n",
         kb / 1024, bytes / 1048576, kb * 1024 / bytes }'
