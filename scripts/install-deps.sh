#!/bin/sh
# Installs the Debian packages the build and the tests need, only those missing.
set -e
packages="g++ make cmake libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev"
# stb_image and stb_image_write, which read and write the pictures of the loadable mode.
packages="$packages libstb-dev"
# The SQLite C library, which writes an application's data as one database file.
packages="$packages libsqlite3-dev"
# PostgreSQL's server, into which the test pjx_database_postgres loads the SQL text of the data.
packages="$packages postgresql"
# The desktop program: Qt 6 Widgets, and a font so that text is drawn where no desktop is installed.
packages="$packages qt6-base-dev fonts-dejavu-core"
# fpc and the LCL units build lclload, the form-reader check of the loadable mode.
packages="$packages fpc lcl-nogui-2.2 lcl-units-2.2"
# Showing the converted forms (scripts/show-forms.sh, the test loadable_render): the LCL for GTK 2, a
# display server of its own, Arial's metrics, and python3 for the render tools.
packages="$packages lcl-gtk2-2.2 xvfb fonts-liberation python3"
# lazbuild, which builds a converted project into a program (the test lazbuild_project).
packages="$packages lcl-utils-2.2"
# The command line for Windows: the MinGW-w64 compiler with POSIX threads, GoogleTest's sources to
# build for it, Wine to run its tests, and groff for the manual page as text in its zip.
packages="$packages g++-mingw-w64-x86-64-posix googletest wine wine64 groff-base"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $missing
fi
