#!/usr/bin/env bash
# run.sh COMMAND [ARGS...]: runs COMMAND (typically `"$WINELOADER" prog.exe
# ...`) in a fresh private Wine prefix, then stops that prefix's wineserver
# and removes the prefix. WINELOADER names the Wine loader of the program's
# architecture (tools/test-environment.sh; CTest sets it for each build).
# KELVARION_KEEP_PREFIX=1 keeps the prefix and prints where it is.
# Each Windows-side test program runs through it (tests/win32/); the
# end-to-end harness clones its prefixes itself (clone.sh).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../test-environment.sh"
: "${WINELOADER:?run.sh: WINELOADER must name the Wine loader (tools/test-environment.sh)}"
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarion-wine.XXXXXX")
prefix="$work/prefix"
"$here/clone.sh" "$prefix" || { rm -rf "$work"; exit 1; }
export WINELOADER WINEPREFIX="$prefix" WINEARCH WINEDEBUG WINEDLLOVERRIDES HOME="$work/$KELVARION_WINE_HOME"
mkdir -p "$HOME"
"$@"
status=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
if [ "${KELVARION_KEEP_PREFIX:-0}" = 1 ]; then
  echo "run.sh: prefix kept at $prefix" >&2
else
  rm -rf "$work"
fi
exit $status
