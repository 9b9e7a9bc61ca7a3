#!/usr/bin/env bash
# without-i386.sh COMMAND [ARGS...]: runs COMMAND as on an x86_64 machine whose
# kernel executes no 32-bit (i386) Linux programs, to try the windows64 route
# where both kinds run. In a private mount namespace, Wine's 32-bit loader and
# the i386 dynamic loader are covered by a file that the kernel refuses with
# "Exec format error", as such a machine answers. Needs root (unshare -m);
# nothing outside COMMAND sees the change.
set -euo pipefail
. "$(dirname "$0")/../test-environment.sh"
refused=$(mktemp "${TMPDIR:-/tmp}/kelvarion-no-i386.XXXXXX")
trap 'rm -f "$refused"' EXIT
printf '\177ELF\001\001\001not a program' >"$refused"
chmod +x "$refused"
covered=("$KELVARION_WINE_LOADER_32")
[ -e /lib/ld-linux.so.2 ] && covered+=(/lib/ld-linux.so.2)
unshare -m bash -c '
  refused=$1; shift; count=$1; shift
  for ((i = 0; i < count; i++)); do mount --bind "$refused" "$1"; shift; done
  exec "$@"' bash "$refused" "${#covered[@]}" "${covered[@]}" "$@"
