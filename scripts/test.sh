#!/usr/bin/env bash
# The tests, all three layers: the native unit tests (preset "native"), then
# the Windows build (preset "windows") with its Windows-side tests and the
# end-to-end tests under Wine. Installs what is missing first. Fails when
# anything fails; every build runs even when an earlier one fails.
#
# Where Wine starts no 32-bit programs (tools/wine/arch.sh; or with
# KELVARION_WINE_ARCH=64), the shipped i686 programs are checked as files
# (test preset "windows-files") and the Wine tests run on the same sources
# built for x86_64 (preset "windows64").
set -uo pipefail
cd "$(dirname "$0")/.."
jobs="${KELVARION_JOBS:-2}"

scripts/install-deps.sh || exit 1
# Decided once: every test below reads the same answer.
. tools/wine/route.sh || exit 1
if [ "$KELVARION_WINE_ARCH" = 32 ]; then
  wine_build="the shipped 32-bit build (preset windows)"
else
  wine_build="the x86_64 build (preset windows64), since $KELVARION_WINE_REASON; the shipped \
32-bit programs are checked as files (test preset windows-files)"
fi

status=0
run() {
  echo "+ $*"
  "$@" || status=1
}

run cmake --preset native
run cmake --build --preset native -j "$jobs"
run ctest --preset native -j "$jobs"
echo
echo "test.sh: the Wine tests run on $wine_build"
run cmake --preset windows
run cmake --build --preset windows -j "$jobs"
if [ "$KELVARION_WINE_ARCH" = 32 ]; then
  run ctest --preset windows -j "$jobs"
else
  run ctest --preset windows-files -j "$jobs"
  echo
  run cmake --preset windows64
  run cmake --build --preset windows64 -j "$jobs"
  run ctest --preset windows64 -j "$jobs"
fi

echo
echo "test.sh: the Wine tests ran on $wine_build"
if [ "$status" -ne 0 ]; then
  echo "test.sh: FAILED" >&2
fi
exit "$status"
