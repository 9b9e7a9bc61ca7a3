#!/usr/bin/env bash
# The tests, all three layers: the native unit tests (preset "native"), then
# the Windows build (preset "windows") with its Windows-side tests and the
# end-to-end tests under Wine. Installs what is missing first. Fails when
# anything fails; both builds run even when the first one fails.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs="${KELVARION_JOBS:-2}"

scripts/install-deps.sh || exit 1

status=0
run() {
  echo "+ $*"
  "$@" || status=1
}

run cmake --preset native
run cmake --build --preset native -j "$jobs"
run ctest --preset native -j "$jobs"
echo
run cmake --preset windows
run cmake --build --preset windows -j "$jobs"
run ctest --preset windows -j "$jobs"

if [ "$status" -ne 0 ]; then
  echo "test.sh: FAILED" >&2
fi
exit "$status"
