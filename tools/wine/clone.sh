#!/usr/bin/env bash
# clone.sh NEW_PREFIX: makes NEW_PREFIX a private copy of the template prefix.
# The large Windows binaries are hard links (Wine never writes them); the
# registry, user folders and everything else are real copies.
set -euo pipefail
new=$1
template=$("$(dirname "$0")/template.sh")
rm -rf "$new"
mkdir -p "$new"
(cd "$template" && find . -mindepth 1 -type d -print0) | (cd "$new" && xargs -0 mkdir -p)
(cd "$template" && find . -type l -print0) | while IFS= read -r -d '' l; do
  ln -s "$(readlink "$template/$l")" "$new/$l"
done
(cd "$template" && find . -type f \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
    -o -iname '*.sys' -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb' \
    -o -iname '*.ax' -o -iname '*.com' -o -iname '*.ds' -o -iname '*.msstyles' \) -print0) |
  (cd "$template" && xargs -0 cp -l --parents -t "$new")
(cd "$template" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
    -o -iname '*.sys' -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb' \
    -o -iname '*.ax' -o -iname '*.com' -o -iname '*.ds' -o -iname '*.msstyles' \) -print0) |
  (cd "$template" && xargs -0 cp -p --parents -t "$new")
rm -f "$new/.ready"
