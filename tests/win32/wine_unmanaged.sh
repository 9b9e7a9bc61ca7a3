#!/usr/bin/env bash
# wine_unmanaged.sh PROGRAM [ARGS...]: runs PROGRAM under Wine (WINELOADER,
# as run.sh passes it on) with windows that Wine frames itself. On a bare X
# display (no window manager) Wine otherwise waits two seconds for every
# hidden or destroyed window to be "withdrawn" by a window manager that is not
# there. KELVARION_WINE_DPI sets
# the screen's DPI (Windows' LogPixels), 96 when unset.
set -euo pipefail
"$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
if [ -n "${KELVARION_WINE_DPI:-}" ]; then
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$KELVARION_WINE_DPI" /f >/dev/null 2>&1
fi
exec "$WINELOADER" "$@"
