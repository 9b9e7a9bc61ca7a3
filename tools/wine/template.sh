#!/usr/bin/env bash
# Prints the path of a ready Wine template prefix, making it first if needed.
# One template per Wine version, made once with `wineboot -i`; tests clone it
# (clone.sh) so each gets its own prefix in a fraction of the time.
set -euo pipefail

version=$(wine --version | tr -c 'A-Za-z0-9.\n-' '_')
cache=${KELVARION_WINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvarion}
template="$cache/wine-template-$version"
mkdir -p "$cache"

exec 9>"$cache/template.lock"
flock 9
if [ ! -f "$template/.ready" ]; then
  rm -rf "$template" "$template.tmp"
  home=$(mktemp -d)
  # Wine links Desktop, Documents and the like to $HOME; a private HOME keeps
  # the real one out of it. The links are then made real folders, so that
  # every clone has a desktop of its own.
  if ! HOME="$home" WINEPREFIX="$template.tmp" WINEARCH=win64 WINEDEBUG=-all \
      WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1; then
    echo "template.sh: wineboot failed" >&2
    exit 1
  fi
  HOME="$home" WINEPREFIX="$template.tmp" wineserver -w
  find "$template.tmp/drive_c/users" -maxdepth 2 -type l | while read -r link; do
    rm "$link" && mkdir "$link"
  done
  rm -rf "$home"
  mv "$template.tmp" "$template"
  touch "$template/.ready"
fi
echo "$template"
