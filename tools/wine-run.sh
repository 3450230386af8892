#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's private prefix (never ~/.wine).
# tools/with-wine-display.sh sets WINEPREFIX and DISPLAY.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the private prefix in the build tree}"
export WINEDEBUG=-all
exec wine "$@"
