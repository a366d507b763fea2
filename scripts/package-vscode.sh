#!/usr/bin/env bash
# Packages the VS Code extension (editors/vscode) as a .vsix into the folder
# given, from the node packages scripts/install-deps.sh installed.
#
#   scripts/package-vscode.sh OUTPUT_FOLDER
set -euo pipefail

out=$(realpath -m "${1:?usage: $0 OUTPUT_FOLDER}")
extension="$(dirname "$0")/../editors/vscode"
mkdir -p "$out"
cd "$extension"
[ -d node_modules ] || npm ci --no-audit --no-fund --loglevel=error
cp ../../LICENSE LICENSE
version=$(node -p "require('./package.json').version")
npx --no-install vsce package --allow-missing-repository --skip-license \
  -o "$out/binario-texts-$version.vsix"
