# Recording a run of the saver as frames, choosing its stills and making its animation;
# sourced, not run. Needs DISPLAY.

# capture_frame FILE [SIZE]: a screenshot of the whole display, reduced to fit SIZE when given.
capture_frame() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/capture-frames.py" once "$@"
}

# record_frames DIR PID SECONDS FPS [SIZE]
# Captures the display FPS times a second by the clock while process PID runs, for at most
# SECONDS, each frame reduced to fit SIZE as it is taken, into DIR/<ms>.png named by the time
# since the start; a frame the same as the one before is not kept (see capture-frames.py).
# Sets frames_due, frames_taken, frames_kept and frames_end_ms, when it stopped.
record_frames() {
  local dir=$1 pid=$2 seconds=$3 fps=$4 size=${5:-}
  read -r frames_due frames_taken frames_kept frames_end_ms < <(
    python3 "$(dirname "${BASH_SOURCE[0]}")/capture-frames.py" run "$dir" "$seconds" "$fps" "$pid" $size)
}

# pick_stills FRAMES_DIR DESKTOP_FRAME END_MS [MAX]
# Prints "label ms" for the frames that tell the story of a run recorded by record_frames:
# the dim-in, each transition halfway and each picture held, at most MAX of them.
pick_stills() {
  local dir=$1 desktop=$2 end=$3 max=${4:-12} thumbs
  thumbs=$(mktemp -d)
  # Small thumbnails are enough to see what changes, and quick to compare.
  mogrify -path "$thumbs" -format ppm -scale 80x60! -depth 8 "$desktop" "$dir"/[0-9]*.png
  [ "$(basename "$desktop")" = desktop.png ] || mv "$thumbs/$(basename "$desktop" .png).ppm" "$thumbs/desktop.ppm"
  python3 "$(dirname "${BASH_SOURCE[0]}")/pick-stills.py" "$thumbs" "$end" "$max"
  rm -rf "$thumbs"
}

# frames_to_gif FRAMES_DIR GIF SIZE COLOURS [UNTIL_MS]
# An endlessly looping animation of the frames up to UNTIL_MS, reduced to fit SIZE. Each frame
# stays until the next was taken and the last for two seconds, so it plays at the run's pace.
frames_to_gif() {
  local dir=$1 gif=$2 size=$3 colours=$4 until=${5:-999999} f ms i next
  local files=() times=() args=()
  for f in "$dir"/[0-9]*.png; do
    ms=$((10#$(basename "$f" .png)))
    [ "$ms" -le "$until" ] || break
    files+=("$f") times+=("$ms")
  done
  for i in "${!files[@]}"; do
    next=${times[i + 1]:-$((times[i] + 2000))}
    # Delays in hundredths, rounded from the start so that they add up to the run's length.
    args+=(-delay $(((next + 5) / 10 - (times[i] + 5) / 10)) "${files[i]}[$size]")
  done
  convert "${args[@]}" +dither -colors "$colours" -layers Optimize -loop 0 "$gif"
}
