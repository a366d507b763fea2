#!/usr/bin/env bash
# Packs the sample scenario into an installer, runs it in a fresh folder from
# another working directory and shows what the folder holds afterwards.
#
#   scripts/demo.sh BUILD_DIR [SCENARIO_DIR]
#
# BUILD_DIR is a configured and built tree (build/dev); SCENARIO_DIR holds the
# files to pack (default: examples/ of the repository).
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 BUILD_DIR [SCENARIO_DIR]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
scenario=${2:-$(dirname "$0")/../examples}
route="BOLOGNA CENTRALE_VENEZIA SANTA LUCIA"
train="IR2230"
binario="$build/tools/binario"
stub="$build/src/binario-stub"
demo="$build/demo"
installer="$demo/installa $train.exe"

if [ ! -d "$scenario" ]; then
  echo "no scenario folder $scenario" >&2
  exit 1
fi
files=()
while IFS= read -r -d '' file; do files+=("$file"); done \
  < <(find "$scenario" -maxdepth 1 -type f -print0 | sort -z)
if [ ${#files[@]} -eq 0 ]; then
  echo "no scenario files in $scenario" >&2
  exit 1
fi

rm -rf "$demo"
mkdir -p "$demo"

echo "== Packing ${#files[@]} files of $scenario"
"$binario" pack --route "$route" --train "$train" --stub "$stub" -o "$installer" "${files[@]}"
"$binario" list "$installer"

echo
echo "== Running the installer from /"
(cd / && "$installer")

echo
echo "== $demo now holds"
find "$demo" -mindepth 1 -maxdepth 1 -printf '%12s  %f\n' | sort -k2

echo
echo "== What the installer compiled"
(cd "$demo" && "$binario" inspect "${route}_${train}.sim" "${route}_${train}.dat" "${route}_linea.dat")
