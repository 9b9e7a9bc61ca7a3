#!/usr/bin/env bash
# Times the two programs under Wine: Install click to the Notice box against
# the floor of the pauses (pause_floor_ms, e2e/harness/expected.py; goal:
# within 10 %), process start to window shown, the size of each program, and Install
# click to the box while another program holds the SAS configuration file.
#
#   scripts/bench-wine.sh [--runs N]
#
# Builds build/wine-evidence-windows (Release, i686 mingw-w64) when needed,
# prints the machine and the figures as Markdown tables. Where Wine starts no
# 32-bit programs (tools/wine/arch.sh), it times the x86_64 build of the same
# sources instead (build/wine-evidence-windows64), and says so. Exit status 0
# when both editions meet the goal, 1 when one misses it, 2 when it could not
# run.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh" || exit 2

. "$root/tools/wine/route.sh" || exit 2
if [ "$KELVARION_WINE_ARCH" = 32 ]; then
  processor=i686 suffix=""
else
  processor=x86_64 suffix=64
  echo "bench-wine.sh: timing the x86_64 build, not the shipped 32-bit programs, since" \
       "$KELVARION_WINE_REASON" >&2
fi
build="${KELVARION_BENCH_WINE_BUILD:-$root/build/wine-evidence-windows$suffix}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$processor.cmake" \
  -DKELVARION_SHIPPED_PROGRAMS_DIR="$root/build/windows/editions" >/dev/null
cmake --build "$build" -j2 --target Kelvarion_Post_Installation_setup \
  Kelvarion_Post_Installation_setup_legacy kelvarion_ui_driver kelvarion_ui_driver_sample >/dev/null

"$root/scripts/machine-info.sh" "$("$WINELOADER" --version) ($(basename "$WINELOADER")); \
$($processor-w64-mingw32-g++-win32 --version | head -n 1), CMAKE_BUILD_TYPE=Release; \
programs built for $processor"

status=0
# Wine and the display are set up by the harness (tools/test-environment.sh).
( cd "$root/e2e" && env PYTHONDONTWRITEBYTECODE=1 \
    KELVARION_WINE_TOOLS="$root/tools/wine" \
    KELVARION_E2E_DRIVER="$build/e2e/kelvarion_ui_driver.exe" \
    KELVARION_E2E_SAMPLE_WINDOW="$build/e2e/kelvarion_ui_driver_sample.exe" \
    KELVARION_E2E_CURRENT="$build/editions/Kelvarion_Post_Installation_setup.exe" \
    KELVARION_E2E_LEGACY="$build/editions/Kelvarion_Post_Installation_setup_legacy.exe" \
    python3 bench_wine.py "$@" ) || status=$?
exit "$status"
