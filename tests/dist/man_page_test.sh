#!/usr/bin/env bash
# The manual page formats without a warning from man or groff, and shows
# every command of `binario --help` with its usage, and under each command
# every option and argument of `binario COMMAND --help`, read here from the
# help's first column on its own.
#
# usage: man_page_test.sh BINARIO MAN_PAGE
set -euo pipefail
source "$(dirname "$0")/common.sh"

tool=$1 page=$2
skip_unless "man (man-db)" have man
[ -f "$page" ] || fail "no manual page at $page (built by the target binario-docs)"

# As lintian formats it, so that what it would report shows here.
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
  man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) ||
  fail "man could not format $page: $warnings"
[ -z "$warnings" ] || fail "man --warnings on $page: $warnings"

# The page as read, without formatting and without lines broken inside a name.
text=$(LC_ALL=C.UTF-8 MANWIDTH=250 man -l "$page" 2>/dev/null)

# The first column of a help section: "  -o,--output OUT  ..." gives -o and --output.
help_names() {
  awk -v section="$1:" '
    $0 == section { on = 1; next }
    /^$/ { on = 0 }
    on && /^  [^ ]/ { print $1 }' | tr ',' '\n'
}
# The lines of the page's COMMANDS section that belong to COMMAND.
command_text() {
  awk -v command="$1" '
    /^[A-Z]/ { in_commands = ($0 == "COMMANDS") ; on = 0; next }
    in_commands && /^   [a-z]+$/ { on = ($1 == command); next }
    on' <<<"$text"
}
section_text() {
  awk -v section="$1" '/^[A-Z]/ { on = ($0 == section); next } on' <<<"$text"
}
has_word() { grep -Eq -- "(^|[^[:alnum:]-])$2([^[:alnum:]-]|$)" <<<"$1"; }

top=$("$tool" --help)
commands=$(help_names Subcommands <<<"$top")
[ -n "$commands" ] || fail "binario --help lists no command"
missing=()
for option in $(help_names Options <<<"$top"); do
  has_word "$(section_text OPTIONS)" "$option" || missing+=("OPTIONS: $option")
done
for command in $commands; do
  help=$("$tool" "$command" --help)
  usage=$(sed -n 's/^Usage: //p' <<<"$help")
  grep -qF -- "$usage" <<<"$(section_text SYNOPSIS)" || missing+=("SYNOPSIS: $usage")
  section=$(command_text "$command")
  if [ -z "$section" ]; then
    missing+=("COMMANDS: $command")
    continue
  fi
  grep -qF -- "$usage" <<<"$section" || missing+=("$command: its usage $usage")
  for name in $(help_names Positionals <<<"$help") $(help_names Options <<<"$help"); do
    case $name in -h | --help) continue ;; esac
    has_word "$section" "$name" || missing+=("$command: $name")
  done
done
[ ${#missing[@]} -eq 0 ] || fail "the manual page lacks: $(printf '\n  %s' "${missing[@]}")"
echo "manual page: $(wc -w <<<"$commands") commands, no warnings"
