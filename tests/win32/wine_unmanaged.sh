#!/usr/bin/env bash
# wine_unmanaged.sh PROGRAM [ARGS...]: runs PROGRAM under Wine with windows
# that Wine frames itself. On a bare X display (no window manager) Wine
# otherwise waits two seconds for every hidden or destroyed window to be
# "withdrawn" by a window manager that is not there.
set -euo pipefail
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
exec wine "$@"
