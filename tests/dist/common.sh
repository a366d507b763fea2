# Shared by the bundle tests; sourced by bash scripts running with
# `set -euo pipefail`.

readonly SKIPPED=77

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A missing tool or bundle fails the run on CI and skips the test elsewhere.
skip_unless() {
  local what=$1
  shift
  "$@" && return 0
  if [ -n "${CI:-}" ]; then
    fail "missing on CI: $what"
  fi
  echo "SKIPPED: missing $what (scripts/install-deps.sh test installs the tools; make dist builds the bundles)"
  exit "$SKIPPED"
}

have() {
  local tool
  for tool in "$@"; do command -v "$tool" >/dev/null || return 1; done
}

have_files() {
  local file
  for file in "$@"; do [ -f "$file" ] || return 1; done
}

# The bundles of one version in DIST.
bundles() {
  local dist=$1 version=$2
  deb="$dist/binario_${version}_amd64.deb"
  tarball="$dist/binario-$version-linux-x86_64.tar.gz"
  zip="$dist/binario-$version-windows-x64.zip"
  skip_unless "the bundles of $version in $dist" have_files "$deb" "$tarball" "$zip"
}

# Unpacks the three bundles under WORK: root/ (the package), tar/ and zip/.
unpack_bundles() {
  local work=$1 version=$2
  rm -rf "$work"
  mkdir -p "$work/root" "$work/tar" "$work/zip"
  dpkg-deb -x "$deb" "$work/root"
  tar -xzf "$tarball" -C "$work/tar"
  unzip -q "$zip" -d "$work/zip"
  tar_top="$work/tar/binario-$version-linux-x86_64"
  zip_top="$work/zip/binario-$version-windows-x64"
}
