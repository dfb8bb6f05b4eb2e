#!/usr/bin/env python3
"""Makes the bar's default skin "Graphite": its 46 bitmaps and its
skinsettings.tsl, plus the splash picture, "tessel.tsi" and "programs.prg".

Everything is drawn from code with a built-in font, so the same repository
always gives the same files, byte for byte.

usage: skingen.py SKIN_FOLDER [--splash FILE] [--program-files FOLDER]
"""
import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from font5x7 import draw_text, text_width  # noqa: E402

TWIPS = 15  # per pixel at 96 DPI


def hexrgb(h):
    h = h.lstrip('#')
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16))


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# One palette: graphite greys with a blue accent.
P = {
    'edge': hexrgb('#0e1114'),
    'bar_top': hexrgb('#353c45'),
    'bar_bottom': hexrgb('#1d2126'),
    'bar_light': hexrgb('#4d5764'),
    'well': hexrgb('#14171b'),
    'well_dark': hexrgb('#0a0c0e'),
    'well_light': hexrgb('#3b434d'),
    'btn_top': hexrgb('#48515d'),
    'btn_bottom': hexrgb('#323941'),
    'btn_light': hexrgb('#67727f'),
    'btn_dark': hexrgb('#191d22'),
    'in_top': hexrgb('#1c2025'),
    'in_bottom': hexrgb('#2a3037'),
    'text': hexrgb('#e6ebf0'),
    'text_dim': hexrgb('#9aa5b1'),
    'shadow': hexrgb('#15181c'),
    'accent': hexrgb('#5cb6ff'),
    'accent_top': hexrgb('#3f86d6'),
    'accent_bottom': hexrgb('#2a5f9e'),
    'accent_in_top': hexrgb('#1f4a7c'),
    'accent_in_bottom': hexrgb('#2b62a3'),
    'warn': hexrgb('#ff8a73'),
    'led_off': hexrgb('#2e3a33'),
    'led_on': hexrgb('#4cff8a'),
}


class Image:
    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill_rect(self, x, y, w, h, c):
        for yy in range(max(0, y), min(self.h, y + h)):
            row = self.px[yy]
            for xx in range(max(0, x), min(self.w, x + w)):
                row[xx] = c

    def vgradient(self, x, y, w, h, top, bottom):
        for i in range(h):
            t = i / (h - 1) if h > 1 else 0
            self.fill_rect(x, y + i, w, 1, mix(top, bottom, t))

    def hline(self, x, y, w, c):
        self.fill_rect(x, y, w, 1, c)

    def vline(self, x, y, h, c):
        self.fill_rect(x, y, 1, h, c)

    def frame(self, x, y, w, h, light, dark):
        self.hline(x, y, w, light)
        self.vline(x, y, h, light)
        self.hline(x, y + h - 1, w, dark)
        self.vline(x + w - 1, y, h, dark)

    def blit(self, other, x, y):
        for yy in range(other.h):
            for xx in range(other.w):
                self.set(x + xx, y + yy, other.px[yy][xx])

    def round_corners(self, under):
        # Blend the four corner pixels into what lies beneath the button.
        for (x, y) in ((0, 0), (self.w - 1, 0), (0, self.h - 1), (self.w - 1, self.h - 1)):
            self.px[y][x] = mix(self.px[y][x], under, 0.7)

    def save_bmp(self, path):
        stride = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for (r, g, b) in self.px[y]:
                row += bytes((b, g, r))
            row += b'\0' * (stride - len(row))
            data += row
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + data)


# ---------------------------------------------------------------- pictures

def button(w, h, pressed, label=None, glyph=None, accent=False, text_colour=None):
    """A raised button, or the same button pressed into the bar."""
    img = Image(w, h)
    if accent:
        top, bottom = (P['accent_in_top'], P['accent_in_bottom']) if pressed else (P['accent_top'], P['accent_bottom'])
    else:
        top, bottom = (P['in_top'], P['in_bottom']) if pressed else (P['btn_top'], P['btn_bottom'])
    img.vgradient(0, 0, w, h, top, bottom)
    if pressed:
        img.frame(0, 0, w, h, P['well_dark'], P['btn_light'])
        img.hline(1, 1, w - 2, mix(top, P['well_dark'], 0.5))
    else:
        img.frame(0, 0, w, h, P['btn_light'], P['btn_dark'])
        img.hline(1, 1, w - 2, mix(top, (255, 255, 255), 0.12))
    img.round_corners(P['bar_bottom'])
    off = 1 if pressed else 0
    colour = text_colour or (P['accent'] if pressed and not accent else P['text'])
    if glyph:
        glyph(img, off, colour)
    if label:
        tw = text_width(label)
        gx = (w - tw) // 2 + off
        gy = (h - 7) // 2 + off
        if glyph:
            gx += 6
        draw_text(img, gx + 1, gy + 1, label, P['shadow'])
        draw_text(img, gx, gy, label, colour)
    return img


def tiles_glyph(img, off, colour):
    # Four small tiles: the programs menu.
    x0, y0 = 7 + off, (img.h - 9) // 2 + off
    for dx in (0, 5):
        for dy in (0, 5):
            img.fill_rect(x0 + dx, y0 + dy, 4, 4, colour)


def media_glyph(kind):
    def draw(img, off, colour):
        cx, cy = img.w // 2 + off, img.h // 2 + off

        def tri_right(x, y, size):
            for i in range(size):
                img.vline(x + i, y - (size - 1 - i), 2 * (size - 1 - i) + 1, colour)

        def tri_left(x, y, size):
            for i in range(size):
                img.vline(x - i, y - (size - 1 - i), 2 * (size - 1 - i) + 1, colour)

        def tri_up(x, y, size):
            for i in range(size):
                img.hline(x - (size - 1 - i), y - i, 2 * (size - 1 - i) + 1, colour)

        if kind == 'play':
            tri_right(cx - 2, cy, 5)
        elif kind == 'stop':
            img.fill_rect(cx - 4, cy - 4, 8, 8, colour)
        elif kind == 'ff':
            tri_right(cx - 4, cy, 4)
            tri_right(cx, cy, 4)
        elif kind == 'rw':
            tri_left(cx + 3, cy, 4)
            tri_left(cx - 1, cy, 4)
        elif kind == 'open':
            tri_up(cx, cy + 1, 5)
            img.fill_rect(cx - 4, cy + 3, 9, 2, colour)
    return draw


def grip(pressed):
    w, h = 10, 32
    img = Image(w, h)
    img.vgradient(0, 0, w, h, P['bar_top'], P['bar_bottom'])
    dot = P['accent'] if pressed else P['text_dim']
    for y in range(5, h - 5, 4):
        for x in (2, 6):
            img.set(x, y, dot)
            img.set(x + 1, y + 1, P['well_dark'])
    if pressed:
        img.frame(0, 0, w, h, P['well_dark'], P['btn_light'])
    return img


def led(on):
    w = h = 14
    img = Image(w, h)
    img.vgradient(0, 0, w, h, mix(P['bar_top'], P['bar_bottom'], 0.45), mix(P['bar_top'], P['bar_bottom'], 0.6))
    centre = P['led_on'] if on else P['led_off']
    for y in range(h):
        for x in range(w):
            d = ((x - 6.5) ** 2 + (y - 6.5) ** 2) ** 0.5
            if d <= 6.0:
                c = mix(centre, (255, 255, 255), 0.45) if (on and d < 2.0) else centre
                if d > 5.0:
                    c = P['well_dark']
                img.set(x, y, c)
    if not on:
        img.set(5, 4, mix(P['led_off'], (255, 255, 255), 0.25))
    return img


def background(w, h, wells):
    img = Image(w, h)
    img.vgradient(0, 0, w, h, P['bar_top'], P['bar_bottom'])
    img.hline(1, 1, w - 2, P['bar_light'])
    img.frame(0, 0, w, h, P['edge'], P['edge'])
    for (x, y, ww, hh) in wells:
        img.fill_rect(x, y, ww, hh, P['well'])
        img.frame(x, y, ww, hh, P['well_dark'], P['well_light'])
    return img


def dialog_back(w, h):
    img = Image(w, h)
    img.vgradient(0, 0, w, h, P['bar_top'], P['bar_bottom'])
    img.frame(0, 0, w, h, P['edge'], P['edge'])
    img.hline(1, 1, w - 2, P['bar_light'])
    return img


def dialog_move(w, h):
    img = Image(w, h)
    img.vgradient(0, 0, w, h, P['accent_top'], P['accent_bottom'])
    img.hline(0, h - 1, w, P['edge'])
    draw_text(img, 7, (h - 7) // 2 + 1, 'TESSEL', P['shadow'])
    draw_text(img, 6, (h - 7) // 2, 'TESSEL', P['text'])
    for x in range(50, w - 6, 3):
        img.set(x, h // 2 - 1, mix(P['accent_top'], (255, 255, 255), 0.3))
        img.set(x, h // 2 + 1, mix(P['accent_top'], (255, 255, 255), 0.3))
    return img


def dialog_exit(size):
    img = Image(size, size)
    img.vgradient(0, 0, size, size, P['accent_top'], P['accent_bottom'])
    img.hline(0, size - 1, size, P['edge'])
    for i in range(8):
        for (x, y) in ((5 + i, 5 + i), (12 - i, 5 + i)):
            img.set(x, y, P['text'])
            img.set(x + 1, y, P['text'])
    return img


def splash():
    s = 300
    img = Image(s, s)
    img.vgradient(0, 0, s, s, hexrgb('#2b3139'), hexrgb('#15181c'))
    # A tessellation of tiles fading towards the middle.
    for ty in range(0, 6):
        for tx in range(0, 10 - ty % 2):
            x, y = 12 + tx * 28, 14 + ty * 18
            t = ((tx * 7 + ty * 3) % 5) / 5.0
            c = mix(P['accent_bottom'], P['btn_top'], t)
            c = mix(c, hexrgb('#2b3139'), ty / 7.0)
            img.fill_rect(x + (ty % 2) * 14, y, 24, 14, c)
    img.frame(0, 0, s, s, P['edge'], P['edge'])
    title = 'TESSEL'
    tw = text_width(title, scale=6)
    draw_text(img, (s - tw) // 2 + 3, 150 + 3, title, P['edge'], scale=6)
    draw_text(img, (s - tw) // 2, 150, title, P['text'], scale=6)
    sub = 'DESKTOP BAR'
    sw = text_width(sub, scale=2)
    draw_text(img, (s - sw) // 2, 208, sub, P['accent'], scale=2)
    ld = 'LOADING SKIN...'
    draw_text(img, (s - text_width(ld)) // 2, 270, ld, P['text_dim'])
    img.fill_rect(60, 286, 180, 2, P['btn_bottom'])
    img.fill_rect(60, 286, 120, 2, P['accent'])
    return img


# ---------------------------------------------------------------- layout

ELEMENTS = ['programs', 'internet', 'email', 'connect', 'files', 'work', 'desktop', 'start',
            'run', 'dos', '', 'settings', 'exit', 'ssave', 'volume', 'open', 'stop', 'play',
            'ff', 'rw', 'move', 'connected']

QUICK = [(1, 'WEB'), (2, 'MAIL'), (3, 'DIAL'), (4, 'FILES'), (5, 'WORK'), (6, 'DESK'),
         (7, 'START'), (8, 'RUN'), (9, 'DOS'), (11, 'PANEL'), (13, 'SAVER'), (14, 'VOL')]
MEDIA = [(15, 'open'), (19, 'rw'), (16, 'stop'), (17, 'play'), (18, 'ff')]

BAR_W, BAR_H = 1000, 40
BAR_LEFT, BAR_TOP = 140, 0


def build(out):
    os.makedirs(out, exist_ok=True)
    pos = {}
    pics = {}

    def put(i, x, y, out_img, in_img):
        pos[i] = (x, y)
        pics[i] = (out_img, in_img)

    put(20, 4, 4, grip(False), grip(True))
    put(0, 18, 4, *(button(80, 32, p, 'PROGRAMS', tiles_glyph, accent=True) for p in (False, True)))
    x = 104
    for i, label in QUICK:
        w = text_width(label) + 12
        put(i, x, 8, *(button(w, 24, p, label) for p in (False, True)))
        x += w + 2
    task_left = x + 6
    exit_w = text_width('EXIT') + 12
    exit_x = BAR_W - 5 - exit_w
    put(12, exit_x, 8, *(button(exit_w, 24, p, 'EXIT', text_colour=P['warn']) for p in (False, True)))
    clock_x = exit_x - 70
    cpu_x = clock_x - 8 - 61
    led_x = cpu_x - 8 - 14
    put(21, led_x, 13, led(False), led(True))
    mx = led_x - 8 - len(MEDIA) * 22 + 2
    for i, kind in MEDIA:
        put(i, mx, 10, *(button(20, 20, p, glyph=media_glyph(kind)) for p in (False, True)))
        mx += 22
    media_left = led_x - 8 - len(MEDIA) * 22 + 2
    task_right = media_left - 8
    task = (task_left, 6, task_right - task_left, 28)
    pos[10] = (task[0], task[1])

    wells = [(task[0] - 2, task[1] - 2, task[2] + 4, task[3] + 4),
             (cpu_x - 1, 3, 63, 34),
             (clock_x - 3, 5, 68, 30)]
    background(BAR_W, BAR_H, wells).save_bmp(os.path.join(out, 'background.bmp'))
    for i, (o, n) in pics.items():
        o.save_bmp(os.path.join(out, ELEMENTS[i] + 'out.bmp'))
        n.save_bmp(os.path.join(out, ELEMENTS[i] + 'in.bmp'))
    dialog_back(240, 130).save_bmp(os.path.join(out, 'dialogback.bmp'))
    dialog_move(222, 18).save_bmp(os.path.join(out, 'dialogmove.bmp'))
    dialog_exit(18).save_bmp(os.path.join(out, 'dialogexit.bmp'))

    def num(v):
        return (' ' if v >= 0 else '') + str(v) + ' '

    lines = ['Graphite', num(BAR_LEFT * TWIPS), num(BAR_TOP * TWIPS),
             num(BAR_W * TWIPS + 115), num(BAR_H * TWIPS + 360)]
    for i in range(22):
        lines += [num(pos[i][0] * TWIPS), num(pos[i][1] * TWIPS)]
    lines += [num(task[2] * TWIPS), num(task[3] * TWIPS)]
    lines += [num(cpu_x * TWIPS), num(4 * TWIPS), num(clock_x * TWIPS), num(7 * TWIPS)]
    # The player's position bar and sliders are not on this skin.
    for k in range(3):
        lines += [num(-6000), num(k * 300), num(1500), num(225)]
    lines += ['True']
    bc = P['btn_bottom']
    lc = P['well']
    lines += [num(bc[0] | bc[1] << 8 | bc[2] << 16), num(lc[0] | lc[1] << 8 | lc[2] << 16)]
    assert len(lines) == 70
    with open(os.path.join(out, 'skinsettings.tsl'), 'wb') as f:
        f.write(('\r\n'.join(lines) + '\r\n').encode('ascii'))


def program_files(folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'tessel.tsi'), 'wb') as f:
        f.write(b'local\r\nGraphite\r\n')
    entries = [('Notepad', 'notepad.exe'), ('Calculator', 'calc.exe'), ('Paint', 'mspaint.exe'),
               ('WordPad', 'write.exe'), ('Registry Editor', 'regedit.exe')]
    text = ' %d \r\n' % len(entries) + ''.join('%s\r\n%s\r\n' % e for e in entries)
    with open(os.path.join(folder, 'programs.prg'), 'wb') as f:
        f.write(text.encode('ascii'))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('skin_folder')
    ap.add_argument('--splash')
    ap.add_argument('--program-files')
    a = ap.parse_args()
    build(a.skin_folder)
    if a.splash:
        os.makedirs(os.path.dirname(os.path.abspath(a.splash)), exist_ok=True)
        splash().save_bmp(a.splash)
    if a.program_files:
        program_files(a.program_files)


if __name__ == '__main__':
    main()
