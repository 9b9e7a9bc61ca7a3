#!/usr/bin/env bash
# The main job: builds the current edition and runs a whole installation of
# it under Wine against the bundled sample SAS installation (e2e/sample-sas)
# in a throwaway Wine prefix, on your display or, without one, a virtual one.
# Then shows what it did: the files written, the SAS configuration change as
# a diff, both shortcuts, and a screenshot of the window at the end (in
# build/demo/). Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${KELVARION_JOBS:-2}"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target Kelvarion_Post_Installation_setup kelvarion_ui_driver

build="$PWD/build/windows"
export KELVARION_E2E_CURRENT="$build/editions/Kelvarion_Post_Installation_setup.exe"
export KELVARION_E2E_DRIVER="$build/e2e/kelvarion_ui_driver.exe"
export KELVARION_DEMO_OUT="$PWD/build/demo"
export PYTHONDONTWRITEBYTECODE=1
cd e2e
exec python3 demo.py
