#!/usr/bin/env bash
# wine_at_dpi.sh PROGRAM [ARGS...]: runs PROGRAM under Wine (WINELOADER, as
# run.sh passes it on) with the screen at KELVARION_WINE_DPI dots per inch
# (Windows' LogPixels), which the program under test reads too.
set -euo pipefail
: "${KELVARION_WINE_DPI:?wine_at_dpi.sh: KELVARION_WINE_DPI must name the DPI}"
"$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d "$KELVARION_WINE_DPI" /f >/dev/null 2>&1
exec "$WINELOADER" "$@"
