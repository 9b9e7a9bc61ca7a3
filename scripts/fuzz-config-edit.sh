#!/usr/bin/env bash
# Fuzzes the SAS configuration edit with libFuzzer for a bounded time.
#
#   scripts/fuzz-config-edit.sh [seconds]      (default 60)
#
# Builds build/evidence-fuzz with Debian's clang (coverage, address and
# undefined-behaviour sanitizers), then runs the fuzzer on a scratch copy of
# fuzz/corpus with fuzz/config_edit.dict. Each input must keep the invariants
# of fuzz/config_edit_invariants.h, finish within 5 s and stay under 2 GB.
# Exit status 0 when nothing broke; 1 when something did, with the input that
# broke it in build/evidence-fuzz/findings/ (replay it with the fuzzer
# executable and the file as its only argument); 2 when it could not run.
#
# KELVARION_FUZZ_UPDATE_CORPUS=1 merges what the run found, minimised, back
# into fuzz/corpus (otherwise the repository is left untouched).
set -euo pipefail

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: $0 [seconds]" >&2
  exit 2
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/evidence-fuzz"

# clang, and libFuzzer with the sanitizer runtimes, which come in a package
# of their own.
"$root/scripts/install-deps.sh" clang libclang-rt-14-dev || exit 2

missing=()
for tool in cmake ninja clang++; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "missing: ${missing[*]} (Debian: apt-get install cmake ninja-build clang)" >&2
  exit 2
fi

# libFuzzer and the sanitizer runtimes come in a package of their own.
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
  'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }' >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" 2>"$probe/err"; then
  cat "$probe/err" >&2
  echo "clang++ cannot link libFuzzer (Debian: apt-get install libclang-rt-14-dev)" >&2
  exit 2
fi

sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  "-DCMAKE_CXX_FLAGS=$sanitizers -fno-omit-frame-pointer" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
  -DKELVARION_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target kelvarion_config_edit_fuzzer
fuzzer="$build/fuzz/kelvarion_config_edit_fuzzer"

# A fresh scratch corpus each run, so that a run from a clean checkout and a
# run after others start from the same inputs.
work="$build/corpus-run"
findings="$build/findings"
rm -rf "$work"
mkdir -p "$work" "$findings"
cp "$root"/fuzz/corpus/* "$work"/
seeds=$(find "$work" -type f | wc -l)

echo "## Fuzzing the SAS configuration edit for $seconds s ($seeds corpus files to start)"
log="$build/fuzz.log"
status=0
"$fuzzer" "$work" \
  -dict="$root/fuzz/config_edit.dict" \
  -max_total_time="$seconds" \
  -timeout=5 \
  -rss_limit_mb=2048 \
  -max_len=8192 \
  -print_final_stats=1 \
  -artifact_prefix="$findings/" \
  2>"$log" || status=$?

grep -E '^#[0-9]+[[:space:]]+DONE|^Done [0-9]+ runs|^stat::' "$log" || true
grep -E 'broken invariant|ERROR: AddressSanitizer|runtime error|ERROR: libFuzzer|SUMMARY' "$log" || true
found=$(find "$work" -type f | wc -l)
echo "corpus after the run: $found files (started with $seeds)"

if [ "$status" -ne 0 ]; then
  echo "FAIL: the fuzzer stopped (status $status); inputs in $findings, log in $log" >&2
  exit 1
fi

if [ "${KELVARION_FUZZ_UPDATE_CORPUS:-0}" = "1" ]; then
  # The hand-written seeds (seed-*) stay; of the rest, a smallest set of
  # inputs that covers the same edges (not hit counts) is kept, so that the
  # corpus in the repository stays a few dozen files.
  merged="$build/corpus-merged"
  rm -rf "$merged"
  mkdir -p "$merged"
  cp "$root"/fuzz/corpus/seed-* "$merged"/
  "$fuzzer" -set_cover_merge=1 -use_counters=0 -max_len=8192 "$merged" "$root/fuzz/corpus" "$work" \
    2>>"$log"
  rm -f "$root"/fuzz/corpus/*
  cp "$merged"/* "$root/fuzz/corpus/"
  echo "fuzz/corpus now holds $(find "$root/fuzz/corpus" -type f | wc -l) files"
fi
echo "PASS: no broken invariant, crash or hang in $seconds s"
