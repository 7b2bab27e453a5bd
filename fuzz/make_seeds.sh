#!/bin/sh
# Writes fuzz seeds from real files, in the layouts of fuzz_input.h (seeds
# made with the fixture writer come from make_fuzz_seeds).
#   make_seeds.sh table SEEDS FORM.scx...
#       each form's table and memo file (table_fuzz, conversion_fuzz, loadable_fuzz;
#       data tables and databases with their .fpt or .dct: data_table_fuzz, database_fuzz)
#   make_seeds.sh raw SEEDS FILE...
#       each file as it is (compound_index_fuzz)
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

# The memo file beside a table: the same name with the memo extension of its
# own (.scx: .sct, .vcx: .vct, .dbc: .dct, others: .fpt) in any of three cases.
memo_of() {
  case $(printf %s "${1##*.}" | tr 'A-Z' 'a-z') in
  scx) exts="sct SCT Sct" ;;
  vcx) exts="vct VCT Vct" ;;
  dbc) exts="dct DCT Dct" ;;
  *) exts="fpt FPT Fpt" ;;
  esac
  for ext in $exts; do
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
raw)
  for file in "$@"; do cp "$file" "$seeds/$(basename "${file%.*}")"; done ;;
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
  echo "usage: make_seeds.sh table|raw|project|dfm SEEDS ..." >&2
  exit 2 ;;
esac
