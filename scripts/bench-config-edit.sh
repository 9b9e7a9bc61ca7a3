#!/usr/bin/env bash
# Times the SAS configuration edit against a plain copy of the same file, on
# files of 1 KB, 1 MB and 64 MB (a SASV9.CFG-like file, one long list, one
# long line), and reports the peak memory of each.
#
#   scripts/bench-config-edit.sh [--rounds N] [--min-sample-seconds S] [--dir FOLDER]
#
# Builds build/evidence-bench (Release, the system's g++), prints the machine
# and the figures as Markdown tables, and checks them: the edit within 3 times
# the copy at 64 MB, linear growth, peak memory within one extra file. Exit
# status 0 when all checks pass, 1 when one fails, 2 when it could not run.
# The files go to /dev/shm unless --dir names another folder (a disk folder
# adds the disk's write-back to both sides).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/evidence-bench"

"$root/scripts/install-deps.sh" || exit 2

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKELVARION_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target kelvarion_config_edit_bench >/dev/null

"$root/scripts/machine-info.sh" "$(g++ --version | head -n 1), CMAKE_BUILD_TYPE=Release"
echo "## SAS configuration edit against a plain copy"
echo
"$build/bench/kelvarion_config_edit_bench" "$@"
