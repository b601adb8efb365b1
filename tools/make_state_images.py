#!/usr/bin/env python3
"""Draw the tree-view state image strip used by the settings tree.

Writes a 208x16, 4 bits-per-pixel BMP: thirteen 16x16 cells side by side,
magenta marking the transparent background.  The image list is built from
this strip at run time, so cell order must match the state indices the
tree view code uses.

Usage: make_state_images.py OUT.bmp [--png PREVIEW.png]
"""
import argparse
import struct
import zlib

# Standard Windows 16-colour palette, as (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
# One character per palette entry, in palette order.  '.' is magenta,
# the transparent colour.
#   K black   r dark red  G dark green  o olive   N navy  p purple  t teal    s silver
#   g grey    R red       L lime        Y yellow  B blue  . magenta C cyan    W white
CHARS = "KrGoNptsgRLYB.CW"
TRANSPARENT = CHARS.index(".")
CELL = 16

UNCHECKED = """
................
.KKKKKKKKKKKKKK.
.KKKKKKKKKKKKKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKKKKKKKKKKKKK.
.KKKKKKKKKKKKKK.
................
"""

CHECKED = """
................
.KKKKKKKKKKKKKK.
.KKKKKKKKKKKKKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWKWKK.
.KKWWWWWWWKKWKK.
.KKWWWWWWKKKWKK.
.KKWKWWWKKKWWKK.
.KKWKKWKKKWWWKK.
.KKWKKKKKWWWWKK.
.KKWWKKKWWWWWKK.
.KKWWWKWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKKKKKKKKKKKKK.
.KKKKKKKKKKKKKK.
................
"""

RADIO_OFF = """
................
.....KKKKKK.....
....KKKKKKKK....
...KKWWWWWWKK...
..KKWWWWWWWWKK..
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
.KKWWWWWWWWWWKK.
..KKWWWWWWWWKK..
...KKWWWWWWKK...
....KKKKKKKK....
.....KKKKKK.....
................
"""

RADIO_ON = """
................
.....KKKKKK.....
....KKKKKKKK....
...KKWWWWWWKK...
..KKWWWWWWWWKK..
.KKWWWKKKKWWWKK.
.KKWWKKKKKKWWKK.
.KKWWKKKKKKWWKK.
.KKWWKKKKKKWWKK.
.KKWWKKKKKKWWKK.
.KKWWWKKKKWWWKK.
..KKWWWWWWWWKK..
...KKWWWWWWKK...
....KKKKKKKK....
.....KKKKKK.....
................
"""

# Setting that cannot be changed: a "no entry" sign.
LOCKED = """
................
.....rrrrrr.....
....rrRRRRrr....
...rRRRRRRRRr...
..rRRRRRRRRRRr..
.rrRRRRRRRRRRrr.
.rRWWWWWWWWWWRr.
.rRWWWWWWWWWWRr.
.rRWWWWWWWWWWRr.
.rRWWWWWWWWWWRr.
.rrRRRRRRRRRRrr.
..rRRRRRRRRRRr..
...rRRRRRRRRr...
....rrRRRRrr....
.....rrrrrr.....
................
"""

# Setting already in the wanted state.
DONE = """
................
................
.............GG.
............GGG.
...........GGGG.
..........GGGG..
.........GGGG...
.GG.....GGGG....
.GGG...GGGG.....
.GGGG.GGGG......
..GGGGGGG.......
...GGGGG........
....GGG.........
.....G..........
................
................
"""

# Radio choice that cannot be changed.
LOCKED_RADIO = """
................
.RR..KKKKKK..RR.
..RRKKKKKKKKRR..
...RRWWWWWWRR...
..KKRRWWWWRRKK..
.KKWWRRWWRRWWKK.
.KKWWWRRRRWWWKK.
.KKWWWWRRWWWWKK.
.KKWWWRRRRWWWKK.
.KKWWRRWWRRWWKK.
.KKWRRWWWWRRWKK.
..KRRWWWWWWRRK..
..RRKWWWWWWKRR..
.RR.KKKKKKKK.RR.
.....KKKKKK.....
................
"""

WINDOW = """
................
.gggggggggggggg.
.gNNNNNNNNNNNNg.
.gNNNNNNNNNNNNg.
.gNNNNNNNNNNNNg.
.gWWWWWWWWWWWWg.
.gWBBBBBBBBBWWg.
.gWWWWWWWWWWWWg.
.gWBBBBBBBWWWWg.
.gWWWWWWWWWWWWg.
.gWBBBBBBBBBBWg.
.gWWWWWWWWWWWWg.
.gWBBBBBBWWWWWg.
.gWWWWWWWWWWWWg.
.gggggggggggggg.
................
"""

# Group heading: a magnifying glass.
MAGNIFIER = """
................
...KKKKKK.......
..KKCCCCKK......
.KKCWWCCCKK.....
.KCWCCCCCCK.....
.KCWCCCCCCK.....
.KCCCCCCCCK.....
.KCCCCCCCCK.....
.KKCCCCCCKK.....
..KKCCCCKKr.....
...KKKKKKrrr....
.........rrrr...
..........rrrr..
...........rrrr.
............rrr.
................
"""

BLANK = "\n".join(["." * CELL] * CELL)

# Setting currently in effect.
ACTIVE = """
................
......RRRR......
......RRRR......
......RRRR......
......RRRR......
......RRRR......
......RRRR......
......RRRR......
.......RR.......
.......RR.......
................
................
......RRRR......
......RRRR......
......RRRR......
................
"""

CELLS = [UNCHECKED, CHECKED, RADIO_OFF, RADIO_ON, LOCKED, DONE,
         LOCKED_RADIO, LOCKED_RADIO, WINDOW, MAGNIFIER, BLANK, BLANK, ACTIVE]


def parse_cell(art):
    rows = art.strip().split("\n")
    if len(rows) != CELL or any(len(r) != CELL for r in rows):
        raise ValueError("cell art must be 16 rows of 16 characters")
    return [[CHARS.index(c) for c in row] for row in rows]


def strip_pixels():
    """Return the whole strip as rows (top first) of palette indices."""
    cells = [parse_cell(art) for art in CELLS]
    return [sum((cell[y] for cell in cells), []) for y in range(CELL)]


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    body = bytearray()
    for row in reversed(pixels):  # BMP rows run bottom-up
        packed = bytearray()
        for x in range(0, width, 2):
            lo = row[x + 1] if x + 1 < width else 0
            packed.append((row[x] << 4) | lo)
        body += packed.ljust(stride, b"\0")
    colours = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0,
                       len(body), 2835, 2835, len(PALETTE), 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + colours + body)


def write_png_preview(path, pixels, scale=8):
    """Enlarged RGB preview; transparent pixels become a grey checkerboard."""
    raw = bytearray()
    for y, row in enumerate(pixels):
        line = bytearray([0])  # filter type: none
        for x, index in enumerate(row):
            if index == TRANSPARENT:
                shade = 0xE0 if (x + y) % 2 else 0xCC
                rgb = bytes((shade, shade, shade))
            else:
                rgb = bytes(PALETTE[index])
            line += rgb * scale
        raw += bytes(line) * scale

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    width, height = len(pixels[0]) * scale, len(pixels) * scale
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", help="BMP file to write")
    parser.add_argument("--png", metavar="OUT.png", help="also write an 8x preview")
    args = parser.parse_args()
    pixels = strip_pixels()
    write_bmp(args.out, pixels)
    if args.png:
        write_png_preview(args.png, pixels)


if __name__ == "__main__":
    main()
