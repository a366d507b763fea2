# Sourced by the shell tests that compare whole folders.

# snapshot FOLDER: each file's checksum and name, one a line, sorted; what the
# folder holds, down to its last byte and its last temporary file.
snapshot() {
  (cd "$1" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | while IFS= read -r f; do
    printf '%s %s\n' "$(md5sum <"$f" | cut -c1-32)" "$f"
  done)
}
