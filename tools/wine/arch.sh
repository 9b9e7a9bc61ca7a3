#!/usr/bin/env bash
# arch.sh [--reason]: prints 32 when Wine starts 32-bit Windows programs on
# this machine, 64 when it starts only 64-bit ones; with --reason, the reason
# in words after it ("64 Wine starts no ..."). The one place that decides which build the Wine tests, the
# demo and the benchmark run: the shipped i686 programs (preset windows) or
# the same sources built for x86_64 (preset windows64).
#
# Wine 8's 32-bit loader is an i386 Linux program, and some x86_64 kernels
# refuse to execute those ("Exec format error"); Wine's route to 32-bit
# programs without i386 Linux code comes only with Wine 9. The probe runs the
# 32-bit loader once, under a timeout, so that a machine that emulates i386
# (where Wine hangs) cannot hang it either. KELVARION_WINE_ARCH=32|64 gives
# the answer instead of the probe.
set -uo pipefail
. "$(dirname "$0")/../test-environment.sh"

case "${KELVARION_WINE_ARCH:-}" in
  32 | 64)
    arch=$KELVARION_WINE_ARCH reason="KELVARION_WINE_ARCH=$KELVARION_WINE_ARCH asks for it"
    ;;
  "")
    if timeout 20 "$KELVARION_WINE_LOADER_32" --version >/dev/null 2>&1; then
      arch=32 reason="Wine starts 32-bit programs on this machine"
    else
      arch=64 reason="Wine starts no 32-bit programs on this machine"
    fi
    ;;
  *)
    echo "arch.sh: KELVARION_WINE_ARCH is '$KELVARION_WINE_ARCH'; it must be 32 or 64" >&2
    exit 2
    ;;
esac
if [ "${1:-}" = --reason ]; then echo "$arch $reason"; else echo "$arch"; fi
