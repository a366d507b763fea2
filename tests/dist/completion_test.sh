#!/usr/bin/env bash
# Bash completes binario's commands, options, option values and file names
# with the completion made from --help, loaded by bash-completion from
# share/bash-completion/completions/binario as an installed one is. The
# cases are the lines of CASES: "COMMAND LINE" COMPLETIONS.
#
# usage: completion_test.sh COMPLETION CASES
set -euo pipefail
source "$(dirname "$0")/common.sh"

completion=$(realpath "$1") cases=$(realpath "$2")
bash_completion=/usr/share/bash-completion/bash_completion
skip_unless "bash-completion" have_files "$bash_completion"
[ -f "$completion" ] || fail "no completion at $completion (built by the target binario-docs)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/share/bash-completion/completions" "$work/cwd/out" "$work/cwd/scenario"
cp "$completion" "$work/share/bash-completion/completions/binario"
touch "$work/cwd/"{a.sim,a.dat,notes.txt,stub.exe}

set +euo pipefail  # bash-completion's functions are written for an interactive shell
# shellcheck disable=SC1090
source "$bash_completion"
XDG_DATA_DIRS=$work/share BASH_COMPLETION_USER_DIR=$work/none __load_completion binario
spec=$(complete -p binario 2>/dev/null)
set -euo pipefail
[ -n "$spec" ] || fail "bash-completion did not load a completion for binario from $work/share"
function=$(sed -n 's/.*-F \([^ ]*\) .*/\1/p' <<<"$spec")
cd "$work/cwd"

# The words as bash passes them: split at blanks, and at "=" (COMP_WORDBREAKS).
complete_line() {
  local line=$1
  COMP_LINE=$line
  COMP_POINT=${#line}
  read -ra COMP_WORDS <<<"${line//=/ = }"
  [[ $line == *' ' ]] && COMP_WORDS+=('')
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  set +euo pipefail
  "$function" binario "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  set -euo pipefail
  if [ ${#COMPREPLY[@]} -eq 0 ]; then
    echo -
  else
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
  fi
}

failures=0 count=0
while IFS= read -r case; do
  [[ $case =~ ^\"([^\"]*)\"[[:space:]]+(.*[^[:space:]]) ]] || continue
  line=${BASH_REMATCH[1]} expected=${BASH_REMATCH[2]}
  got=$(complete_line "$line")
  count=$((count + 1))
  if [ "$got" != "$expected" ]; then
    echo "FAIL: \"$line\" completes to \"$got\", not \"$expected\"" >&2
    failures=$((failures + 1))
  fi
done <"$cases"
[ "$count" -gt 0 ] || fail "no command line in $cases"
[ "$failures" -eq 0 ] || exit 1
echo "$count command lines completed as expected"
