#!/bin/sh
# Writes fuzz seeds in the layout of table_fuzz and conversion_fuzz (table
# length, table, memo) from the .scx/.sct pairs of a folder.
# Usage: fuzz/make_seeds.sh FORMS_FOLDER SEEDS_FOLDER
set -e
mkdir -p "$2"
for scx in "$1"/*.scx "$1"/*.SCX; do
  [ -f "$scx" ] || continue
  sct="${scx%.*}.sct"
  [ -f "$sct" ] || sct="${scx%.*}.SCT"
  [ -f "$sct" ] || continue
  size=$(wc -c < "$scx")
  out="$2/$(basename "${scx%.*}")"
  printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((size & 255)) $((size >> 8 & 255)) $((size >> 16 & 255)) $((size >> 24 & 255)))" > "$out"
  cat "$scx" "$sct" >> "$out"
done
