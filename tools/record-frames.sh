# Recording a run of the saver as frames, choosing its stills and making its animation;
# sourced, not run. Needs DISPLAY.

# capture_frame FILE [SIZE]: a screenshot of the whole display, reduced to fit SIZE when given.
capture_frame() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/capture-frames.py" once "$@"
}

# record_frames DIR SECONDS FPS SIZE COMMAND...
# Screenshots the desktop into DIR/desktop.png, then starts COMMAND in the background (its
# process in recorded_pid) and captures the display FPS times a second by the clock while it
# runs, for at most SECONDS, each frame reduced to fit SIZE (if not empty) as it is taken, into
# DIR/<ms>.png named by the time since COMMAND started; a frame the same as the one before is
# not kept (see capture-frames.py). Sets frames_due, frames_taken, frames_kept and
# frames_end_ms, when it stopped. Returns 1 if the display cannot be read, without starting
# COMMAND if that is so from the start.
record_frames() {
  local dir=$1 seconds=$2 fps=$3 size=$4 tool ready process from to
  shift 4
  frames_due= frames_taken= frames_kept= frames_end_ms=
  tool="$(dirname "${BASH_SOURCE[0]}")/capture-frames.py"
  # The recorder gets ready before COMMAND starts, so that no frame is lost to its start-up.
  coproc recorder { python3 "$tool" run "$dir" "$seconds" "$fps" ${size:+"$size"}; }
  # Copies of its pipes stay open after it ends, when its last words may still be unread.
  process=$recorder_PID
  exec {from}<&"${recorder[0]}" {to}>&"${recorder[1]}"
  read -r ready <&"$from"
  if [ "$ready" = ready ]; then
    "$@" </dev/null >/dev/null 2>&1 {from}<&- {to}>&- &
    recorded_pid=$!
    echo "$EPOCHREALTIME $recorded_pid" >&"$to"
    read -r frames_due frames_taken frames_kept frames_end_ms <&"$from"
  fi
  exec {from}<&- {to}>&-
  wait "$process" 2>/dev/null
  [ -n "$frames_end_ms" ]
}

# pick_stills FRAMES_DIR DESKTOP_FRAME END_MS [MAX]
# Prints "label ms" for the frames that tell the story of a run recorded by record_frames:
# the dim-in, each transition halfway and each picture held, at most MAX of them.
pick_stills() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/pick-stills.py" "$@"
}

# frames_to_gif FRAMES_DIR GIF SIZE COLOURS END_MS
# An endlessly looping animation of the frames taken before END_MS, reduced to fit SIZE. Each
# frame stays until the next was taken and the last until END_MS, so it plays at the run's pace.
frames_to_gif() {
  local dir=$1 gif=$2 size=$3 colours=$4 end=$5 f ms i
  local files=() times=() args=()
  for f in "$dir"/[0-9]*.png; do
    ms=${f##*/} ms=$((10#${ms%.png}))
    [ "$ms" -lt "$end" ] || break
    files+=("$f") times+=("$ms")
  done
  times+=("$end")
  for i in "${!files[@]}"; do
    # Delays in hundredths, rounded from the start so that they add up to the run's length.
    args+=(-delay $(((times[i + 1] + 5) / 10 - (times[i] + 5) / 10)) "${files[i]}[$size]")
  done
  convert -filter box "${args[@]}" +dither -colors "$colours" -layers Optimize -loop 0 "$gif"
}
