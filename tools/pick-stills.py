#!/usr/bin/env python3
"""Usage: pick-stills.py THUMB_DIR END_MS [MAX]

Chooses the frames that tell the story of a recorded run of the saver, from thumbnails of the
frames that record_frames kept (THUMB_DIR/<ms>.ppm, each shown until the next, the last until
END_MS) and of the desktop before the run (THUMB_DIR/desktop.ppm). Prints "label ms" lines in
the order of the run: the dim-in, then for each picture its transition caught halfway and the
picture held, at most MAX lines. Everything is told apart by what changes between frames: the
dim-in darkens the whole screen, a transition changes part of it, a held picture changes
nothing for a while.
"""
import os
import re
import sys

SAME = 0.002      # mean difference under which two frames look alike (a caret's blink stays under)
HOLD_MS = 800     # a picture held stays longer than any stall of a loaded machine
CHANGED = 6       # a thumbnail pixel has changed when its channel sum moves by more than this


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    header = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', data)
    pixels = data[header.end():]
    return [pixels[i] + pixels[i + 1] + pixels[i + 2] for i in range(0, len(pixels), 3)]


def distance(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / (765 * len(a))


def darkens_all(before, after):
    changed = [(x, y) for x, y in zip(before, after) if abs(x - y) > CHANGED]
    return len(changed) >= len(before) / 2 and sum(y < x for x, y in changed) >= 0.95 * len(changed)


def story(times, thumbs, desktop, end_ms):
    """Yields (label, index) for the dim-in, each transition halfway and each picture held."""
    count = len(thumbs)
    shown = next((i for i in range(count) if distance(desktop, thumbs[i]) >= SAME), None)
    if shown is None:
        return
    before = lambda i: thumbs[i - 1] if i > 0 else desktop
    dimming = []
    i = shown
    while i < count and darkens_all(before(i), thumbs[i]):
        dimming.append(i)
        i += 1
    if dimming:
        yield 'dim-in', dimming[(len(dimming) - 1) // 2]
    last = dimming[-1] if dimming else shown - 1

    # Runs of frames that look alike; a run that lasts is a picture held.
    runs = []
    for i in range(last + 1, count):
        if runs and distance(thumbs[runs[-1][1]], thumbs[i]) < SAME:
            runs[-1][1] = i
        else:
            runs.append([i, i])
    until = lambda run: times[run[1] + 1] if run[1] + 1 < count else end_ms
    picture = 0
    for first, final in runs:
        if until([first, final]) - times[first] < HOLD_MS:
            continue
        picture += 1
        origin = thumbs[last] if last >= 0 else desktop
        moving = range(last + 1, first)
        if moving:
            # Halfway: the frame furthest from both the picture before and the one coming.
            halfway = max(moving, key=lambda i: min(distance(origin, thumbs[i]), distance(thumbs[first], thumbs[i])))
            yield 'transition-to-picture-%d-halfway' % picture, halfway
        yield 'picture-%d-held' % picture, first
        last = final


def main():
    folder, end_ms = sys.argv[1], int(sys.argv[2])
    most = int(sys.argv[3]) if len(sys.argv) > 3 else 12
    names = sorted(n for n in os.listdir(folder) if re.fullmatch(r'\d+\.ppm', n))
    times = [int(n[:-4]) for n in names]
    thumbs = [read_ppm(os.path.join(folder, n)) for n in names]
    desktop = read_ppm(os.path.join(folder, 'desktop.ppm'))
    for count, (label, index) in enumerate(story(times, thumbs, desktop, end_ms)):
        if count == most:
            break
        print(label, times[index])


if __name__ == '__main__':
    main()
