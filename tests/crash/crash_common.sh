# Shared by the crash tests: a work folder, the sample packed into an
# installer, and a folder's contents as one line per file.
#
#   crash_common.sh TOOL STUB EXAMPLES

set -euo pipefail
tool=$1 stub=$2 examples=$3
route="BOLOGNA CENTRALE_VENEZIA SANTA LUCIA"
train=IR2230
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# pack_sample OUT [NOTE]: the sample, its note replaced by NOTE when given.
pack_sample() {
  local out=$1 files=("$examples"/*)
  if [ $# -gt 1 ]; then
    mkdir -p "$work/variant"
    cp "$examples"/* "$work/variant/"
    printf '%s\r\n' "$2" >"$work/variant/${route}_${train}_note.txt"
    # A different gradient compiles into different outputs too.
    sed -i 's/^\(pendenza, *0, *\)[0-9-]*/\1 3/' "$work/variant/${route}_linea.txt"
    files=("$work/variant"/*)
  fi
  "$tool" pack --stub "$stub" --route "$route" --train "$train" -o "$out" "${files[@]}" >/dev/null
}

source "$(dirname "${BASH_SOURCE[0]}")/../folder_snapshot.sh"

# earlier_install FOLDER INSTALLER: the folder as an earlier version left it.
earlier_install() {
  mkdir -p "$1"
  cp "$2" "$1/setup"
  for f in "${route}_linea.dat" "${route}_${train}.sim" "${route}_${train}.dat" \
           "${route}_${train}_note.txt" "${route}_linea.txt"; do
    printf 'an earlier version of %s\n' "$f" >"$1/$f"
  done
  printf 'not the installer'"'"'s\n' >"$1/altro.txt"
}

fail() { echo "FAIL: $*" >&2; exit 1; }
