#!/usr/bin/env bash
# Usage: with-scale.sh DPI -- COMMAND...   (inside tools/with-wine-display.sh)
# Scales the prefix's desktop to DPI dots per inch (96 = 100 %, 192 = 200 %), which Wine
# reads when the prefix's processes start, restarts the prefix's wineserver so that it
# counts, and runs COMMAND. Returns COMMAND's exit code.
set -uo pipefail
dpi=${1:?usage: with-scale.sh DPI -- COMMAND...}
shift
[ "${1:-}" = "--" ] && shift
: "${WINEPREFIX:?run inside tools/with-wine-display.sh}"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit </dev/null >/dev/null 2>&1
"$@"
