#!/usr/bin/env bash
# lnkinfo_check.sh RUN_SH WRITE_SHORTCUT_EXE
# Has our shortcut code (kelvarion_write_shortcut.exe under Wine, through run.sh) save a
# .lnk into a Linux folder, then reads it with lnkinfo (Debian liblnk-utils),
# a parser that shares nothing with Wine's shell, and compares the properties.
# lnkinfo 20181227 prints 0 for the show command whatever the file holds, so
# that one is read from the header bytes (offset 0x3C). Exit 77: no lnkinfo.
set -euo pipefail
run=$1
tool=$2
command -v lnkinfo >/dev/null || { echo "lnkinfo not installed" >&2; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarion-lnk.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Spaces and non-ASCII everywhere; the target stays inside Windows-1252, the
# only form in which Wine writes it.
description='Kelvarion ő тест'
show=3
arguments=' -CONFIG "C:\SAS 9\SASV9.CFG" -CONFIG "D:\Apps ő\Kelvarion тест\kelvarion.cfg"'
target='C:\Program Files\SAS Ü\9.1\sas.exe'
working_directory='C:\Program Files\SAS Ü\9.1'
icon_location='D:\Apps ő\Kelvarion тест\Kelvarion_Post_Installation_setup.icx'
printf '%s\n' "$description" "$show" "$arguments" "$target" "$working_directory" \
  "$icon_location" >"$work/properties.txt"

windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
lnk="$work/Kelvarion.lnk"
"$run" "$WINELOADER" "$tool" "$(windows_path "$lnk")" "$(windows_path "$work/properties.txt")"

lnkinfo "$lnk" >"$work/lnkinfo.txt"
field() { sed -n "s/^\t$1\t*: //p" "$work/lnkinfo.txt"; }

status=0
expect() {  # NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected [%s]\n  lnkinfo  [%s]\n' "$1" "$2" "$3" >&2
    status=1
  else
    printf 'ok   %s [%s]\n' "$1" "$3"
  fi
}
expect target "$target" "$(field 'Local path')"
expect arguments "$arguments" "$(field 'Command line arguments')"
expect working_directory "$working_directory" "$(field 'Working directory')"
expect description "$description" "$(field 'Description')"
expect icon_location "$icon_location" "$(field 'Icon location')"
expect icon_index 0 "$(field 'Icon index')"
expect header_size 76 "$(od -An -tu4 -j0 -N4 "$lnk" | tr -d ' ')"
expect show_command "$show" "$(od -An -tu4 -j60 -N4 "$lnk" | tr -d ' ')"
[ $status = 0 ] || { echo "--- lnkinfo output:" >&2; cat "$work/lnkinfo.txt" >&2; }
exit $status
