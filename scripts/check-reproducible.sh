#!/usr/bin/env bash
# Checks that a commit gives the same bytes from any build: clones the commit
# checked out here (HEAD) twice, into two fresh folders of different names and
# depths, builds the two programs and the release zip in each (preset
# "windows", tests off, unsigned), the second a little later, under another
# time zone and umask, and compares the programs and the zips byte for byte.
# Prints the sha256 of each file from both clones; exit status 0 when all are
# identical, 1 when one differs, 2 when it could not build.
#   scripts/check-reproducible.sh
#   scripts/check-reproducible.sh --compare BUILD_ONE BUILD_TWO
# (the comparison alone, of two build folders: what its test runs).
# KELVARION_JOBS: parallel jobs (default 2); KELVARION_KEEP_REPRODUCIBLE=1
# keeps the clones (their folder is printed). Uncommitted changes are not part
# of the check.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs="${KELVARION_JOBS:-2}"
source_tree=$PWD

# compare ONE TWO [FOLDER...]: the programs (editions/*.exe) and the zips
# (*.zip) of two build folders, byte for byte, and neither build folder nor
# any FOLDER (the source trees) named inside a program. Status 0 when all are
# the same, 1 otherwise.
compare() {
  local first=$1 second=$2 programs zips file one two sum_one sum_two status=0
  local forbidden=("$@")
  # The programs and the release zip, whatever their names.
  programs=$(cd "$first" && ls -- editions/*.exe 2>/dev/null)
  zips=$(cd "$first" && ls -- *.zip 2>/dev/null)
  if [ -z "$programs" ] || [ -z "$zips" ]; then
    echo "check-reproducible: the first build made no program or no zip" >&2
    status=1
  fi
  for file in $programs $zips; do
    one="$first/$file"
    two="$second/$file"
    sum_one=$(sha256sum <"$one" | cut -d' ' -f1)
    sum_two=$(sha256sum <"$two" 2>/dev/null | cut -d' ' -f1)
    if cmp -s "$one" "$two"; then
      echo "same      $sum_one  $(basename "$file") ($(stat -c %s "$one") bytes)"
    else
      echo "DIFFERENT $sum_one / ${sum_two:-missing}  $(basename "$file")"
      cmp -l "$one" "$two" 2>&1 | head -5
      status=1
    fi
  done
  # Neither build's folders inside either program; no link time.
  if [ -n "$programs" ]; then
    python3 tests/release/check_programs.py $(printf -- '--forbid %s ' "${forbidden[@]}") \
      $(for p in $programs; do echo "$first/$p"; done) || status=1
  fi
  return "$status"
}

if [ "${1:-}" = --compare ]; then
  compare "$2" "$3"
  exit
fi

scripts/install-deps.sh || exit 2

commit=$(git rev-parse HEAD) || exit 2
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "check-reproducible: uncommitted changes here are left out: it builds commit $commit"
fi

work=$(mktemp -d /tmp/kelvarion-reproducible.XXXXXX)
cleanup() {
  if [ "${KELVARION_KEEP_REPRODUCIBLE:-}" = 1 ]; then
    echo "check-reproducible: clones kept in $work"
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT

clones=("$work/one/Kelvarion" "$work/second-folder/deeper/kelvarion-source")

# build CLONE: a fresh clone of the commit, built with the "windows" preset
# without tests; its log in CLONE.log.
build() {
  local clone=$1
  echo "check-reproducible: building $commit in $clone"
  mkdir -p "$(dirname "$clone")"
  {
    git clone --quiet --no-local "$source_tree" "$clone" &&
      git -C "$clone" checkout --quiet --detach "$commit" &&
      cd "$clone" &&
      env -u KELVARION_SIGN_PFX -u KELVARION_PACKAGE_DIR -u SOURCE_DATE_EPOCH \
        cmake --preset windows -DBUILD_TESTING=OFF &&
      env -u KELVARION_SIGN_PFX -u KELVARION_PACKAGE_DIR -u SOURCE_DATE_EPOCH \
        cmake --build --preset windows -j "$jobs" --target package
  } >"$clone.log" 2>&1
}

if ! (build "${clones[0]}"); then
  echo "check-reproducible: the first build failed; see ${clones[0]}.log" >&2
  KELVARION_KEEP_REPRODUCIBLE=1
  exit 2
fi
# Later, elsewhere, in another time zone and with another umask.
sleep 2
if ! (umask 027 && TZ=Pacific/Auckland build "${clones[1]}"); then
  echo "check-reproducible: the second build failed; see ${clones[1]}.log" >&2
  KELVARION_KEEP_REPRODUCIBLE=1
  exit 2
fi

status=0
compare "${clones[0]}/build/windows" "${clones[1]}/build/windows" "${clones[@]}" || status=1

if [ "$status" -eq 0 ]; then
  echo "check-reproducible: commit $commit gives identical programs and zip from both clones"
else
  echo "check-reproducible: FAILED: the two builds of $commit differ" >&2
fi
exit "$status"
