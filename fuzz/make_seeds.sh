#!/bin/sh
# Writes fuzz seeds from real files, in the layouts of fuzz_input.h (seeds
# made with the fixture writer come from make_fuzz_seeds).
#   make_seeds.sh table SEEDS FORM.scx...
#       each form's table and memo file (table_fuzz, conversion_fuzz, loadable_fuzz)
#   make_seeds.sh project SEEDS FOLDER FORM
#       FORM (a path below FOLDER) first, then every other file below FOLDER,
#       each under its path below FOLDER (classlib_fuzz)
#   make_seeds.sh dfm SEEDS BYTE FILE...
#       the byte (decimal; canonical_fuzz's code page choice), then the text
# Each seed is SEEDS/ and the name of its file (or FOLDER) without extension.
set -e
mode=$1 seeds=$2
shift 2
mkdir -p "$seeds"

# The memo file beside a table: the same name with .sct/.SCT (or .vct).
memo_of() {
  for ext in sct SCT vct VCT Sct Vct; do
    [ -f "${1%.*}.$ext" ] && { echo "${1%.*}.$ext"; return; }
  done
}

# Writes a file with the one byte given in decimal.
byte() { printf "$(printf '\\%03o' "$1")"; }

case $mode in
table)
  for scx in "$@"; do
    size=$(wc -c < "$scx")
    out="$seeds/$(basename "${scx%.*}")"
    { byte $((size & 255)); byte $((size >> 8 & 255)); byte $((size >> 16 & 255)); byte $((size >> 24 & 255))
      cat "$scx"; memo=$(memo_of "$scx"); [ -z "$memo" ] || cat "$memo"; } > "$out"
  done ;;
project)
  folder=$1 form=$2
  out="$seeds/$(basename "$folder")"
  { printf -- '--QVX-FILE %s\n' "$form"; cat "$folder/$form"
    (cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) | while read -r name; do
      [ "$name" = "$form" ] && continue
      printf -- '--QVX-FILE %s\n' "$name"; cat "$folder/$name"
    done; } > "$out" ;;
dfm)
  code_page=$1
  shift
  for text in "$@"; do
    { byte "$code_page"; cat "$text"; } > "$seeds/$(basename "${text%.*}")"
  done ;;
*)
  echo "usage: make_seeds.sh table|project|dfm SEEDS ..." >&2
  exit 2 ;;
esac
