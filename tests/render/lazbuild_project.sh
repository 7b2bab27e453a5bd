#!/bin/sh
# The test lazbuild_project: the sample forms converted as one project (--loadable --project samples) build
# into a program with Lazarus' lazbuild. Skipped (77) when lazbuild is not installed (Debian: lcl-utils-2.2).
# Usage: lazbuild_project.sh CONVERTER SAMPLES_DIR WORKDIR
converter=$1 samples=$2 work=$3
command -v lazbuild >/dev/null 2>&1 || { echo "lazbuild_project skipped: lazbuild is missing (Debian package lcl-utils-2.2)"; exit 77; }
rm -rf "$work" && mkdir -p "$work" || exit 1
"$converter" --loadable -q --project samples -o "$work" "$samples"/*.scx || exit 1
# Never rebuild the installed LCL: only the project's own units are compiled.
cd "$work" && lazbuild --skip-dependencies samples.lpi > lazbuild.log 2>&1
status=$?
[ $status -eq 0 ] && [ -x samples ] && echo "lazbuild_project: built $(wc -c < samples) bytes" && exit 0
tail -n 20 lazbuild.log
exit 1
