#!/usr/bin/env bash
# Prints the path of a ready Wine template prefix, making it first if needed.
# One template per Wine version, loader (WINELOADER, see run.sh) and contents
# (this script and the template settings of tools/test-environment.sh), made
# once with wineboot; tests clone it (clone.sh) so each gets its own prefix in
# a fraction of the time.
set -euo pipefail
. "$(dirname "$0")/../test-environment.sh"
: "${WINELOADER:?template.sh: WINELOADER must name the Wine loader (tools/test-environment.sh)}"

version=$("$WINELOADER" --version | tr -c 'A-Za-z0-9.\n-' '_')
cache=${KELVARION_WINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvarion}
contents=$( { cat "$0"; echo "$KELVARION_TEMPLATE_DLLOVERRIDES $KELVARION_WINE_MANAGED"; } |
  sha256sum | cut -c1-12)
template="$cache/wine-template-$version-$(basename "$WINELOADER")-$contents"
mkdir -p "$cache"

exec 9>"$cache/template.lock"
flock 9
if [ ! -f "$template/.ready" ]; then
  rm -rf "$template" "$template.tmp"
  home=$(mktemp -d)
  # Wine links Desktop, Documents and the like to $HOME; a private HOME keeps
  # the real one out of it. The links are then made real folders, so that
  # every clone has a desktop of its own.
  if ! HOME="$home" WINEPREFIX="$template.tmp" WINEARCH="$WINEARCH" WINEDEBUG="$WINEDEBUG" \
      WINEDLLOVERRIDES="$KELVARION_TEMPLATE_DLLOVERRIDES" \
      "$WINELOADER" wineboot.exe -i >/dev/null 2>&1; then
    echo "template.sh: wineboot failed" >&2
    exit 1
  fi
  # Wine's own fonts (Debian's fonts-wine) are not picked up from the system
  # here, so every face fell back to DejaVu Sans and captions clipped.
  if [ -d /usr/share/wine/fonts ]; then
    cp /usr/share/wine/fonts/* "$template.tmp/drive_c/windows/Fonts/"
  fi
  # Who frames the windows: KELVARION_WINE_MANAGED.
  HOME="$home" WINEPREFIX="$template.tmp" WINEDEBUG="$WINEDEBUG" \
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
      /d "$KELVARION_WINE_MANAGED" /f >/dev/null 2>&1
  HOME="$home" WINEPREFIX="$template.tmp" wineserver -w
  find "$template.tmp/drive_c/users" -maxdepth 2 -type l | while read -r link; do
    rm "$link" && mkdir "$link"
  done
  rm -rf "$home"
  mv "$template.tmp" "$template"
  touch "$template/.ready"
fi
echo "$template"
