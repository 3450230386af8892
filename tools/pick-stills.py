#!/usr/bin/env python3
"""Usage: pick-stills.py FRAMES_DIR DESKTOP_PNG END_MS [MAX]

Chooses the frames that tell the story of a recorded run of the saver, from the frames that
capture-frames.py kept (FRAMES_DIR/<ms>.png, each shown until the next, the last until END_MS)
and its screenshot of the desktop before the run. Prints "label ms" lines in the order of the
run: the dim-in, then for each picture its transition caught halfway and the picture held, at
most MAX lines. Everything is told apart by what changes between frames: the dim-in darkens
the whole screen, a transition changes part of it, a held picture changes nothing for a while.
"""
import os
import re
import struct
import sys
import zlib

SAME = 0.002      # mean difference under which two frames look alike (a caret's blink stays under)
HOLD_MS = 800     # a picture held stays longer than any stall of a loaded machine
CHANGED = 6       # a thumbnail pixel has changed when its channel sum moves by more than this


def thumbnail(path):
    """About 80 pixels across of a frame as capture-frames.py writes it, each the sum of its
    channels."""
    with open(path, 'rb') as f:
        data = f.read()
    width, height = struct.unpack('>II', data[16:24])
    packed, at = b'', 8
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        if kind == b'IDAT':
            packed += data[at + 8:at + 8 + length]
        at += length + 12
    rows = zlib.decompress(packed)
    step, stride = max(1, width // 80), 1 + 3 * width
    if any(rows[0::stride]):
        sys.exit('pick-stills: %s has filtered rows; it was not written by capture-frames.py' % path)
    sums = []
    for y in range(0, height, step):
        row = rows[y * stride + 1:(y + 1) * stride]
        sums += [r + g + b for r, g, b in zip(row[0::3 * step], row[1::3 * step], row[2::3 * step])]
    return sums


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
            coming = thumbs[first]
            halfway = max(moving, key=lambda i: min(distance(origin, thumbs[i]), distance(coming, thumbs[i])))
            yield 'transition-to-picture-%d-halfway' % picture, halfway
        yield 'picture-%d-held' % picture, first
        last = final


def main():
    folder, desktop, end_ms = sys.argv[1], thumbnail(sys.argv[2]), int(sys.argv[3])
    most = int(sys.argv[4]) if len(sys.argv) > 4 else 12
    names = sorted(n for n in os.listdir(folder) if re.fullmatch(r'\d+\.png', n))
    times = [int(n[:-4]) for n in names]
    thumbs = [thumbnail(os.path.join(folder, n)) for n in names]
    for count, (label, index) in enumerate(story(times, thumbs, desktop, end_ms)):
        if count == most:
            break
        print(label, times[index])


if __name__ == '__main__':
    main()
