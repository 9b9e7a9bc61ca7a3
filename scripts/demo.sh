#!/usr/bin/env bash
# The main job: builds the current edition and runs a whole installation of
# it under Wine against the bundled sample SAS installation (e2e/sample-sas)
# in a throwaway Wine prefix, on your display or, without one, a virtual one.
# Then shows what it did: the files written, the SAS configuration change as
# a diff, both shortcuts, and a screenshot of the window at the end (in
# build/demo/). Installs what is missing first. Where Wine starts no 32-bit
# programs (tools/wine/arch.sh), it runs the x86_64 build of the same sources.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${KELVARION_JOBS:-2}"

scripts/install-deps.sh
. tools/wine/route.sh
if [ "$KELVARION_WINE_ARCH" = 32 ]; then
  preset=windows
  echo "demo.sh: the shipped 32-bit program (preset windows)"
else
  preset=windows64
  echo "demo.sh: the x86_64 build of the program (preset windows64), since $KELVARION_WINE_REASON"
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs" --target Kelvarion_Post_Installation_setup kelvarion_ui_driver

build="$PWD/build/$preset"
export KELVARION_E2E_CURRENT="$build/editions/Kelvarion_Post_Installation_setup.exe"
export KELVARION_E2E_DRIVER="$build/e2e/kelvarion_ui_driver.exe"
export KELVARION_DEMO_OUT="$PWD/build/demo"
export PYTHONDONTWRITEBYTECODE=1
cd e2e
exec python3 demo.py
