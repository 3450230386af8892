# Puts two windows on the Wine desktop for the saver to capture and dim; sourced, not run.
# Needs DISPLAY and WINEPREFIX (tools/with-wine-display.sh sets both).
#
# Without a window manager every new window opens at the desktop's top-left corner, so the
# second one would open hidden under the first. Each program keeps its window position in
# the registry, so the positions are written there before they start.

# The registry values that place Notepad's window at X Y with size W H and Minesweeper's at
# MX MY on its largest board.
desktop_window_settings() {
  local x=$1 y=$2 w=$3 h=$4 mx=$5 my=$6
  cat <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Microsoft\\Notepad]
"iWindowPosX"=dword:$(printf %08x "$x")
"iWindowPosY"=dword:$(printf %08x "$y")
"iWindowPosDX"=dword:$(printf %08x "$w")
"iWindowPosDY"=dword:$(printf %08x "$h")
"iPointSize"=dword:$(printf %08x 140)

[HKEY_CURRENT_USER\\Software\\Microsoft\\WinMine]
"Xpos"=dword:$(printf %08x "$mx")
"Ypos"=dword:$(printf %08x "$my")
"Difficulty"=dword:00000002
"Width"=dword:0000001e
"Height"=dword:00000010
"Mines"=dword:00000063
REG
}

# Waits up to 20 s for a mapped window whose title matches the pattern; says which did not.
wait_for_window() {
  local title=$1 _
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  echo "desktop-windows: the window '$title' did not appear" >&2
  return 1
}

# Opens Notepad with a short note and Minesweeper on the desktop, each at its own place
# in proportion to the display's size, and returns only once both show (1 if either does
# not). desktop_pids holds their processes and desktop_note the note's file, for
# furnished_desktop_cleanup.
furnish_desktop() {
  local size width height reg
  size=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
  width=${size%x*} height=${size#*x}
  reg=$(mktemp --suffix=.reg)
  desktop_window_settings $((width / 20)) $((height / 16)) $((width * 9 / 20)) $((height * 7 / 16)) \
    $((width * 11 / 20)) $((height * 5 / 16)) > "$reg"
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
  rm -f "$reg"

  desktop_note=$(mktemp --suffix=.txt)
  printf 'Slide screen saver\r\n\r\nThis desktop is captured, dimmed level by level,\r\nand the pictures are shown over it.\r\n' > "$desktop_note"
  wine notepad "$(winepath -w "$desktop_note")" </dev/null >/dev/null 2>&1 &
  desktop_pids=$!
  wine winemine </dev/null >/dev/null 2>&1 &
  desktop_pids="$desktop_pids $!"
  wait_for_window ' - Notepad$' && wait_for_window '^WineMine$'
}

furnished_desktop_cleanup() {
  local pid
  for pid in ${desktop_pids:-}; do kill "$pid" >/dev/null 2>&1; done
  rm -f "${desktop_note:-}"
  desktop_pids= desktop_note=
}
