#!/usr/bin/env python3
"""The stills chosen from made-up recordings: a desktop dimmed in four steps, pictures faded in
over it in four steps each and held, as capture-frames.py would have kept them."""
import importlib.util
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # nothing compiled is left beside the tools
TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools')
spec = importlib.util.spec_from_file_location('capture_frames', os.path.join(TOOLS, 'capture-frames.py'))
capture = importlib.util.module_from_spec(spec)
spec.loader.exec_module(capture)
W, H = 40, 30


def desktop(x, y):
    return (250, 250, 250) if 5 <= x < 18 and 3 <= y < 13 else (58, 110, 165)


def dimmed(level):
    return lambda x, y: tuple(c * level // 32 for c in desktop(x, y))


def picture(left, top, shade, width=20, height=15):
    def draw(x, y):
        if left <= x < left + width and top <= y < top + height:
            return ((x * 12) % 256, (y * 16) % 256, shade)
        return dimmed(16)(x, y)
    return draw


def between(before, after, part):
    return lambda x, y: tuple(a + (b - a) * part // 4 for a, b in zip(before(x, y), after(x, y)))


def recording(first, second):
    """ms -> what the screen showed; unchanged frames are not kept, as in a real recording."""
    return {0: desktop, 125: dimmed(28), 250: dimmed(24), 375: dimmed(20), 500: dimmed(16),
            625: between(dimmed(16), first, 1), 750: between(dimmed(16), first, 2),
            875: between(dimmed(16), first, 3), 1000: first,
            3000: between(first, second, 1), 3125: between(first, second, 2),
            3250: between(first, second, 3), 3375: second}


RUN = recording(picture(10, 8, 200), picture(18, 12, 40))
STORY = ['dim-in 250', 'transition-to-picture-1-halfway 750', 'picture-1-held 1000',
         'transition-to-picture-2-halfway 3125', 'picture-2-held 3375']

CASES = [  # name, frames, MAX, expected lines
    ('whole run', RUN, 12, STORY),
    ('at most three', RUN, 3, STORY[:3]),
    ('a transition still running at the end', {**RUN, 5800: between(RUN[3375], RUN[1000], 2)}, 12, STORY),
    # A picture over the whole screen changes it all, but not only towards the dark.
    ('pictures as large as the screen', recording(picture(0, 0, 0, W, H), picture(0, 0, 250, W, H)), 12, STORY),
    ('a stall inside a transition is no picture held', {k + 600 if 750 <= k <= 1000 else k: v for k, v in RUN.items()}, 12,
     ['dim-in 250', 'transition-to-picture-1-halfway 1350', 'picture-1-held 1600'] + STORY[3:]),
    ('the saver never shows', {0: desktop}, 12, []),
]


def run(name, frames, most, expected, folder):
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))
    paint = lambda draw: bytes(c for y in range(H) for x in range(W) for c in draw(x, y))
    capture.write_png(os.path.join(folder, 'desktop.png'), W, H, paint(desktop))
    for ms, draw in frames.items():
        capture.write_png(os.path.join(folder, '%06d.png' % ms), W, H, paint(draw))
    found = subprocess.run([sys.executable, os.path.join(TOOLS, 'pick-stills.py'), folder,
                            os.path.join(folder, 'desktop.png'), '6000', str(most)],
                           capture_output=True, text=True).stdout.split('\n')[:-1]
    if found != expected:
        print('FAIL %s: expected %s, got %s' % (name, expected, found))
        return False
    return True


with tempfile.TemporaryDirectory() as folder:
    results = [run(*case, folder) for case in CASES]
print('%d passed, %d failed' % (results.count(True), results.count(False)))
sys.exit(0 if all(results) else 1)
