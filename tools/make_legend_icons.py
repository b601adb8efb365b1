#!/usr/bin/env python3
"""Draw the legend icons: state images of the option tree at twice their size.

Each icon is one 32x32 picture in 16 colours, the cell of the state image
strip (make_state_images.py) scaled up two times, its magenta background
made transparent.  The legends of the program show them beside their
explanations, so they must look like the images on the tree.

Usage: make_legend_icons.py STATE=OUT.ico [STATE=OUT.ico ...] [--png-dir DIR]
  STATE is the index of the state image (5 for the green tick, 12 for the
  red exclamation mark, ...).
"""
import argparse
import os
import struct

from make_state_images import CELLS, PALETTE, TRANSPARENT, parse_cell, write_png_preview

SIZE = 32


def icon_pixels(state):
    cell = parse_cell(CELLS[state])
    scale = SIZE // len(cell)
    return [[cell[y // scale][x // scale] for x in range(SIZE)] for y in range(SIZE)]


def icon_bytes(pixels):
    """An .ico file with one 4-bit image and its transparency mask."""
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # DIB rows run bottom-up
        for x in range(0, SIZE, 2):
            hi = 0 if row[x] == TRANSPARENT else row[x]
            lo = 0 if row[x + 1] == TRANSPARENT else row[x + 1]
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] == TRANSPARENT else 0)
        mask += struct.pack(">I", bits)  # 32 pixels: one 4-byte row
    colours = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = info + colours + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("icons", nargs="+", metavar="STATE=OUT.ico")
    parser.add_argument("--png-dir", help="also write an enlarged preview of each")
    args = parser.parse_args()
    for item in args.icons:
        state, out = item.split("=", 1)
        pixels = icon_pixels(int(state))
        with open(out, "wb") as f:
            f.write(icon_bytes(pixels))
        if args.png_dir:
            name = os.path.splitext(os.path.basename(out))[0] + ".png"
            write_png_preview(os.path.join(args.png_dir, name), pixels, scale=4)


if __name__ == "__main__":
    main()
