#!/usr/bin/env python3
"""Screenshots of the X display ($DISPLAY), cheap enough to take several a second beside the saver.

Usage: capture-frames.py once FILE [WxH]
       capture-frames.py run DIR SECONDS FPS [WxH]

`once` writes one screenshot to FILE. `run` writes one to DIR/desktop.png, says "ready" and
reads "START PID" from its input: the time (seconds since the epoch) when process PID was
started. Then it takes FPS screenshots a second by the clock while PID runs, for at most
SECONDS from START, into DIR/<ms>.png named by the time since START (6 digits). Only changes
are kept: a frame the same as the one before is not written. A frame that falls due while the
one before is still being taken is skipped, so a loaded machine gets fewer frames and never a
backlog. It prints "due taken kept end_ms" when it stops.

With WxH each frame is reduced to fit that size before it leaves the X server, which scales it
(with the Render extension) far more cheaply than a copy of the full screen could be; two
screen pixels to one makes each the mean of four. The PNGs are lightly compressed and carry
pixels only, so equal screens give equal files.
"""
import ctypes as C
import os
import struct
import sys
import time
import zlib


class XImage(C.Structure):
    _fields_ = [('width', C.c_int), ('height', C.c_int), ('xoffset', C.c_int), ('format', C.c_int),
                ('data', C.c_void_p), ('byte_order', C.c_int), ('bitmap_unit', C.c_int),
                ('bitmap_bit_order', C.c_int), ('bitmap_pad', C.c_int), ('depth', C.c_int),
                ('bytes_per_line', C.c_int), ('bits_per_pixel', C.c_int)]


class PictureAttributes(C.Structure):
    _fields_ = [('repeat', C.c_int), ('alpha_map', C.c_ulong), ('alpha_x_origin', C.c_int),
                ('alpha_y_origin', C.c_int), ('clip_x_origin', C.c_int), ('clip_y_origin', C.c_int),
                ('clip_mask', C.c_ulong), ('graphics_exposures', C.c_int), ('subwindow_mode', C.c_int),
                ('poly_edge', C.c_int), ('poly_mode', C.c_int), ('dither', C.c_ulong),
                ('component_alpha', C.c_int)]


class Transform(C.Structure):
    _fields_ = [('matrix', C.c_int * 9)]


def bind(library, name, result, *arguments):
    function = getattr(library, name)
    function.restype, function.argtypes = result, list(arguments)
    return function


X11 = C.CDLL('libX11.so.6')
RENDER = C.CDLL('libXrender.so.1')
P, U, I = C.c_void_p, C.c_ulong, C.c_int
XOpenDisplay = bind(X11, 'XOpenDisplay', P, C.c_char_p)
XDefaultScreen = bind(X11, 'XDefaultScreen', I, P)
XRootWindow = bind(X11, 'XRootWindow', U, P, I)
XDisplayWidth = bind(X11, 'XDisplayWidth', I, P, I)
XDisplayHeight = bind(X11, 'XDisplayHeight', I, P, I)
XDefaultVisual = bind(X11, 'XDefaultVisual', P, P, I)
XDefaultDepth = bind(X11, 'XDefaultDepth', I, P, I)
XCreatePixmap = bind(X11, 'XCreatePixmap', U, P, U, C.c_uint, C.c_uint, C.c_uint)
XGetImage = bind(X11, 'XGetImage', C.POINTER(XImage), P, U, I, I, C.c_uint, C.c_uint, U, I)
XFree = bind(X11, 'XFree', I, P)
FindVisualFormat = bind(RENDER, 'XRenderFindVisualFormat', P, P, P)
CreatePicture = bind(RENDER, 'XRenderCreatePicture', U, P, U, P, U, C.POINTER(PictureAttributes))
SetPictureFilter = bind(RENDER, 'XRenderSetPictureFilter', None, P, U, C.c_char_p, P, I)
SetPictureTransform = bind(RENDER, 'XRenderSetPictureTransform', None, P, U, C.POINTER(Transform))
Composite = bind(RENDER, 'XRenderComposite', None, P, I, U, U, U, I, I, I, I, I, I, C.c_uint, C.c_uint)

ALL_PLANES, Z_PIXMAP, INCLUDE_INFERIORS, SUBWINDOW_MODE, PICT_OP_SRC = 0xFFFFFFFF, 2, 1, 1 << 8, 1


class Screen:
    """The display's root window, read whole or reduced to fit a size. The X server frees the
    pictures and the pixmap when the process ends."""

    def __init__(self, fit=None):
        self.display = XOpenDisplay(None)
        if not self.display:
            sys.exit('capture-frames: no X display')
        screen = XDefaultScreen(self.display)
        self.root = XRootWindow(self.display, screen)
        width, height = XDisplayWidth(self.display, screen), XDisplayHeight(self.display, screen)
        scale = max(1.0, width / fit[0], height / fit[1]) if fit else 1.0
        self.width, self.height = round(width / scale), round(height / scale)
        self.source = self.root
        if scale > 1:
            display = self.display
            visual_format = FindVisualFormat(display, XDefaultVisual(display, screen))
            attributes = PictureAttributes(subwindow_mode=INCLUDE_INFERIORS)
            self.picture = CreatePicture(display, self.root, visual_format, SUBWINDOW_MODE, C.byref(attributes))
            SetPictureFilter(display, self.picture, b'bilinear', None, 0)
            step = round(scale * 65536)
            matrix = (C.c_int * 9)(step, 0, 0, 0, step, 0, 0, 0, 65536)
            SetPictureTransform(display, self.picture, C.byref(Transform(matrix)))
            depth = XDefaultDepth(display, screen)
            self.source = XCreatePixmap(display, self.root, self.width, self.height, depth)
            self.target = CreatePicture(display, self.source, visual_format, 0, None)

    def grab(self):
        """The screen's pixels as RGB bytes, row by row."""
        if self.source != self.root:
            Composite(self.display, PICT_OP_SRC, self.picture, 0, self.target, 0, 0, 0, 0, 0, 0,
                      self.width, self.height)
        image = XGetImage(self.display, self.source, 0, 0, self.width, self.height, ALL_PLANES,
                          Z_PIXMAP)
        if not image:
            sys.exit('capture-frames: the screen could not be read')
        found = image.contents
        # Blue, green, red and a spare byte: how a 24-bit screen lies in memory on this machine.
        if (found.depth, found.bits_per_pixel, found.byte_order, found.bytes_per_line) != (24, 32, 0, 4 * self.width):
            sys.exit('capture-frames: only 24-bit screens can be read')
        bgrx = C.string_at(found.data, found.bytes_per_line * self.height)
        XFree(found.data)
        XFree(image)
        rgb = bytearray(3 * self.width * self.height)
        rgb[0::3], rgb[1::3], rgb[2::3] = bgrx[2::4], bgrx[1::4], bgrx[0::4]
        return bytes(rgb)


def write_png(path, width, height, rgb):
    """RGB rows as a PNG without filters or metadata, lightly compressed."""
    row = 3 * width
    raw = b''.join(b'\0' + rgb[y:y + row] for y in range(0, len(rgb), row))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    with open(path + '.part', 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw, 1)) + chunk(b'IEND', b''))
    os.rename(path + '.part', path)


def running(pid):
    try:
        with open('/proc/%d/stat' % pid) as f:
            return f.read().rsplit(')', 1)[1].split()[0] != 'Z'
    except OSError:
        return False


def record(screen, folder, start, seconds, fps, pid):
    period = 1.0 / fps
    due = taken = kept = 0
    last = None
    while due * period < seconds:
        slot = due * period
        due += 1
        now = time.time() - start
        if now < slot:
            time.sleep(slot - now)
        elif now >= slot + period:
            continue
        if not running(pid):
            due -= 1
            break
        at = time.time() - start
        rgb = screen.grab()
        taken += 1
        if rgb != last:
            write_png(os.path.join(folder, '%06d.png' % (at * 1000)), screen.width, screen.height, rgb)
            kept += 1
            last = rgb
    print(due, taken, kept, int((time.time() - start) * 1000))


def main():
    arguments = sys.argv[1:]
    if len(arguments) in (2, 3) and arguments[0] == 'once':
        fit = arguments[2] if len(arguments) == 3 else None
    elif len(arguments) in (4, 5) and arguments[0] == 'run':
        fit = arguments[4] if len(arguments) == 5 else None
    else:
        sys.exit(__doc__.split('\n\n')[1])
    screen = Screen(tuple(int(n) for n in fit.split('x')) if fit else None)
    if arguments[0] == 'once':
        write_png(arguments[1], screen.width, screen.height, screen.grab())
        return
    folder = arguments[1]
    write_png(os.path.join(folder, 'desktop.png'), screen.width, screen.height, screen.grab())
    print('ready', flush=True)
    start, pid = sys.stdin.readline().split()
    record(screen, folder, float(start), float(arguments[2]), float(arguments[3]), int(pid))


if __name__ == '__main__':
    main()
