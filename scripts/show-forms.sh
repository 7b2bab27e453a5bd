#!/bin/sh
# Shows converted forms as the LCL draws them and measures them against what the FoxPro forms store.
# Converts the inputs with --loadable, builds Lazarus programs that show every form (GTK 2 widget set) on
# an Xvfb display of their own and dump what each form holds, and compares the dumps with the forms'
# records. The programs and the comparison are the render tools of the shared folder (tools/lcl-render
# in $QUORVEX_SHARED, by default ../shared beside the clone).
#
# Usage: scripts/show-forms.sh [-p PROJECTS] CONVERTER WORKDIR [INPUT...]
#   INPUT        .scx forms and folders of them (with their subfolders), converted in one run: set "forms"
#   -p PROJECTS  each folder in PROJECTS converted on its own, with -r -L FOLDER so that the class
#                libraries it holds are found, and compared with its forms as their libraries make
#                them: set "projects"
# Forms of one set need distinct file names: a form's unit and its records are found by that name.
#
# WORKDIR/SET/ holds out/ (the units), shown/ (the units the programs are built from), src/ (each form's
# objtext and records), prog/ (the programs),
# shots/ (UNIT.png, UNIT.tsv), run.log and fidelity.txt (the measures, then every difference).
# Prints the units that do not compile or fail to show, then per set how many forms were shown and the
# fidelity line. Exit status: 0 every form shown; 1 some form does not compile or fails to show, or a
# conversion stopped; 2 usage; 77 something it needs is missing (named on stderr).
# Needs fpc, the LCL for GTK 2, Xvfb, python3 and fonts-liberation (scripts/install-deps.sh).
#
# The corpus and the projects:
#   scripts/show-forms.sh -p ../shared/projects build/src/cli/quorvex-convert /tmp/forms ../shared/corpus/forms
set -u
usage() { echo "usage: $0 [-p PROJECTS] CONVERTER WORKDIR [INPUT...]" >&2; exit 2; }
projects=""
while getopts p: option; do
  case $option in p) projects=$OPTARG ;; *) usage ;; esac
done
shift $((OPTIND - 1))
[ $# -ge 2 ] || usage
converter=$1 work=$2
shift 2
[ $# -gt 0 ] || [ -n "$projects" ] || usage

missing() { echo "show-forms: $1 is missing" >&2; exit 77; }
tools=${QUORVEX_SHARED:-$(dirname "$0")/../../shared}/tools/lcl-render
[ -d "$tools" ] || missing "$tools (the render tools of the shared folder)"
command -v fpc >/dev/null 2>&1 || missing "fpc (Debian package fpc)"
ls -d /usr/lib/lazarus/*/lcl/units/*/gtk2 >/dev/null 2>&1 || missing "the LCL for GTK 2 (Debian package lcl-gtk2-2.2)"
command -v Xvfb >/dev/null 2>&1 || missing "Xvfb (Debian package xvfb)"
command -v python3 >/dev/null 2>&1 || missing "python3"
[ -x "$converter" ] || { echo "show-forms: $converter is not a program" >&2; exit 2; }

# The programs are built in their own folders: every path they get is absolute.
mkdir -p "$work" && work=$(cd "$work" && pwd) || exit 2
status=0

# loadable OUT INPUT...: one --loadable run (with subfolders) into OUT.
loadable() {
  out=$1
  shift
  "$converter" --loadable -k -q -r -o "$out" "$@"
  case $? in 0 | 3) ;; *) echo "show-forms: the conversion of $* stopped" >&2; status=1 ;; esac
}

# sources SRC [-L FOLDER] INPUT...: the objtext and records of each form among the inputs, for the
# comparison. With -L, the objtext is the form's with the class libraries of FOLDER read: what FoxPro
# shows of an object of a library class is what its class stores, not only what the form stores.
sources() {
  src=$1
  shift
  libraries=""
  if [ "$1" = -L ]; then
    libraries=$2
    shift 2
  fi
  mkdir -p "$src"
  find "$@" -type f -iname '*.scx' | while IFS= read -r form; do
    name=$(basename "$form")
    if [ -n "$libraries" ]; then
      "$converter" --loadable -L "$libraries" --stage objtext "$form" > "$src/${name%.*}.objtext" 2>/dev/null
    else
      "$converter" --stage objtext "$form" > "$src/${name%.*}.objtext" 2>/dev/null
    fi
    "$converter" --stage records "$form" > "$src/${name%.*}.records" 2>/dev/null
  done
}

# show SET: builds and runs the programs of the set's units, compares what they show with the records;
# prints the units that fail, and adds the set's lines to the summary.
show() {
  dir=$work/$1
  # make_program.py finds a unit by its first line, which a unit holding text other than ASCII begins
  # with UTF-8's byte order mark: the programs are built from a copy without it (the same to Free Pascal).
  rm -rf "$dir/shown" && cp -R "$dir/out" "$dir/shown"
  find "$dir/shown" -name '*.pas' -exec sed -i '1s/^\xEF\xBB\xBF//' {} +
  python3 "$tools/make_program.py" "$dir/shown" "$dir/prog" > /dev/null
  # Every form unit the conversion wrote must be shown, whether or not the programs took it; the
  # runtime units (FoxRuntime.pas and FoxData.pas, beside the units using them) hold no form.
  units=$(find "$dir/out" -name '*.pas' ! -name FoxRuntime.pas ! -name FoxData.pas | wc -l)
  # Translated code answers its own dialogs: no one is there to.
  DISPLAY=$display FOXRUNTIME_UNATTENDED=1 "$tools/run_all.sh" "$dir/prog" "$dir/shots" > "$dir/run.log" 2>&1
  grep -v -e ': shown ' -e '^programs: ' "$dir/run.log"
  # A program that crashes or cannot reach the display says nothing of the forms it had still to show.
  grep -ohE "Shot\('[A-Za-z0-9_]+'" "$dir"/prog/g*/render.lpr | sed "s/Shot('//; s/'$//" | while read -r unit; do
    grep -q "^$unit: " "$dir/run.log" || echo "$unit: not shown (its program stopped)"
  done
  shown=$(grep -c ': shown ' "$dir/run.log")
  # fidelity.py finds a unit's code by its name in one folder; a recursive run nests them.
  mkdir -p "$dir/units"
  find "$dir/out" -name '*.pas' ! -name FoxRuntime.pas ! -name FoxData.pas -exec ln -s {} "$dir/units/" \; 2>/dev/null
  python3 "$tools/fidelity.py" "$dir/src" "$dir/shots" --units="$dir/units" --list > "$dir/fidelity.txt"
  echo "$1: $shown of $units forms shown" >> "$work/summary.txt"
  echo "$1: $(head -n 1 "$dir/fidelity.txt")" >> "$work/summary.txt"
  [ "${units:-0}" -gt 0 ] && [ "$shown" -eq "$units" ] || status=1
}

rm -f "$work/summary.txt"
sets=""
if [ $# -gt 0 ]; then
  rm -rf "$work/forms"
  loadable "$work/forms/out" "$@"
  sources "$work/forms/src" "$@"
  sets=forms
fi
if [ -n "$projects" ]; then
  rm -rf "$work/projects"
  for folder in "$projects"/*/; do
    folder=${folder%/}
    loadable "$work/projects/out/${folder##*/}" -L "$folder" "$folder"
    sources "$work/projects/src" -L "$folder" "$folder"
  done
  sets="$sets projects"
fi

# A display of its own: Xvfb picks a free number and writes it to fd 3 once it takes connections.
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb"' EXIT
trap 'exit 130' HUP INT TERM
tries=0
while [ ! -s "$work/display" ]; do
  if ! kill -0 "$xvfb" 2>/dev/null || [ $tries -ge 100 ]; then
    echo "show-forms: Xvfb did not start; see $work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
  tries=$((tries + 1))
done
display=:$(cat "$work/display")

for set_name in $sets; do show "$set_name"; done
cat "$work/summary.txt"
exit $status
