#!/usr/bin/env bash
# Installs the Debian packages that are missing.
#
#   scripts/install-deps.sh build   what building and running the demo needs
#   scripts/install-deps.sh test    also the Windows cross build and wine
set -euo pipefail

what=${1:-test}
packages=(cmake ninja-build g++ libgtest-dev libcli11-dev nlohmann-json3-dev libbenchmark-dev)
# groff renders the manual page as text (perl and gzip, which make the page
# and compress it, are on every Debian system).
packages+=(groff-base)
wine_packages=()
if [ "$what" = test ]; then
  # objdump reads the Windows stub's headers; openssl and osslsigncode sign
  # a test installer; unzip opens the Windows bundle; python3 drives chromium
  # in the preview's browser tests and node checks the page's script.
  packages+=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 xvfb xdotool imagemagick chromium
             python3 nodejs openssl osslsigncode clang-format unzip)
  # The Debian package: dpkg-shlibdeps and file compute its Depends, lintian
  # judges it; man and bash-completion check the manual page and completion.
  packages+=(dpkg-dev file lintian man-db bash-completion)
  # The fuzzing harnesses: clang with libFuzzer and the sanitizer runtimes.
  packages+=(clang libclang-rt-14-dev)
  # The crash test kills the installer at each of its file system calls.
  packages+=(strace)
  # A real editor as the language server's client; Node.js (with the npm the
  # machine's nodejs package carries) builds the VS Code extension from its
  # pinned packages.
  packages+=(neovim nodejs)
  # Wine comes with its recommendations: the fonts and X libraries it draws
  # windows and message boxes with.
  wine_packages=(wine wine64)
elif [ "$what" != build ]; then
  echo "usage: $0 [build|test]" >&2
  exit 2
fi

# The VS Code extension's node packages, as package-lock.json pins them.
npm_packages() {
  [ "$what" = test ] || return 0
  local extension
  extension="$(dirname "$0")/../editors/vscode"
  if [ ! -d "$extension/node_modules" ] && command -v npm >/dev/null; then
    (cd "$extension" && npm ci --no-audit --no-fund --loglevel=error)
  fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
missing_wine=()
for p in ${wine_packages[@]+"${wine_packages[@]}"}; do installed "$p" || missing_wine+=("$p"); done
if [ ${#missing[@]} -eq 0 ] && [ ${#missing_wine[@]} -eq 0 ]; then
  npm_packages
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} ${missing_wine[*]} (run as root, or install them with apt-get)" >&2
  exit 1
fi
echo "installing: ${missing[*]} ${missing_wine[*]+${missing_wine[*]}}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_wine[@]} -gt 0 ]; then
  apt-get install -y -qq "${missing_wine[@]}"
fi
npm_packages
