#!/usr/bin/env bash
# run.sh COMMAND [ARGS...]: runs COMMAND (typically `wine prog.exe ...`) in a
# fresh private Wine prefix, then stops that prefix's wineserver and removes
# the prefix. Used as CTest's cross-compiling emulator and by the end-to-end
# tests. KELVARION_KEEP_PREFIX=1 keeps the prefix and prints where it is.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../test-environment.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarion-wine.XXXXXX")
prefix="$work/prefix"
"$here/clone.sh" "$prefix" || { rm -rf "$work"; exit 1; }
export WINEPREFIX="$prefix" WINEARCH WINEDEBUG WINEDLLOVERRIDES HOME="$work/$KELVARION_WINE_HOME"
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
