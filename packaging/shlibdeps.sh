#!/usr/bin/env bash
# dpkg-shlibdeps as CPack runs it (ARGS... -O FILE...), with the libc6 version
# that glibc's symbol-less version references ask for: dpkg-shlibdeps 1.21
# counts only the versions of the symbols a program uses, so it misses
# GLIBC_ABI_DT_RELR, which the Linux stub's packed relative relocations need
# (glibc 2.36). The version comes from libc6's own symbols file.
set -euo pipefail

depends=$(dpkg-shlibdeps "$@")
files=()
for arg in "$@"; do
  [[ $arg == -* ]] || files+=("$arg")
done

symbols=$(dpkg-query --control-path libc6 symbols 2>/dev/null | head -n 1)
needed=
for file in "${files[@]}"; do
  for name in $(LC_ALL=C readelf -V "$file" 2>/dev/null |
                awk '/Name: GLIBC_ABI_/ { sub(/.*Name: /, ""); print $1 }' | sort -u); do
    [ -n "$symbols" ] || { echo "$0: $file needs $name, and libc6 has no symbols file" >&2; exit 1; }
    version=$(awk -v entry="$name@$name" '$1 == entry { print $2; exit }' "$symbols")
    [ -n "$version" ] || { echo "$0: libc6's symbols file does not know $name" >&2; exit 1; }
    if [ -z "$needed" ] || dpkg --compare-versions "$version" gt "$needed"; then
      needed=$version
    fi
  done
done

if [ -n "$needed" ]; then
  current=$(sed -n 's/.*[=, ]libc6 (>= \([^)]*\)).*/\1/p' <<<"$depends")
  if [ -z "$current" ]; then
    echo "$0: no versioned libc6 in: $depends" >&2
    exit 1
  fi
  if dpkg --compare-versions "$needed" gt "$current"; then
    depends=${depends/libc6 (>= $current)/libc6 (>= $needed)}
  fi
fi
echo "$depends"
