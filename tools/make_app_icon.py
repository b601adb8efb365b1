#!/usr/bin/env python3
"""Draw Veilmark's application icon: a blue shield with a white closed eye.

Writes a Windows .ico holding 32x32 and 16x16 images in three depths each:
32-bit BGRA with alpha (Windows XP and later), 8-bit and 4-bit with a
transparency mask for 256- and 16-colour displays.  Every image carries its
AND mask, which is what the paletted images and older systems use for
transparency.

The shapes are sampled several times per pixel, so edges come out
anti-aliased.  Each size has its own shield on whole pixels, and the 16x16
eye is set pixel by pixel: a drawn curve that small blurs into the shield.

Usage: make_app_icon.py OUT.ico [--png PREVIEW.png]
"""
import argparse
import math
import struct
import zlib

SIZES = (32, 16)
SUPERSAMPLE = 6  # samples per pixel along each axis

# Standard Windows 16-colour palette, as (R, G, B).
VGA_PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
VGA_NAVY, VGA_BLUE, VGA_WHITE = 4, 12, 15

OUTLINE = (0x0B, 0x2A, 0x66)
LIGHT_HALF_TOP, LIGHT_HALF_BOTTOM = (0x5C, 0xA4, 0xF5), (0x2A, 0x6C, 0xD8)
DARK_HALF_TOP, DARK_HALF_BOTTOM = (0x3A, 0x82, 0xE6), (0x17, 0x4F, 0xB8)
EYE = (0xFF, 0xFF, 0xFF)


# ---- Geometry ---------------------------------------------------------------

def shield_outline(size):
    """The shield as a closed polygon in pixel coordinates (y runs down).

    A flat top with rounded corners, straight sides down to about the middle,
    then two curves meeting in a point at the bottom centre.
    """
    if size == 32:
        left, right, top, shoulder, bottom, corner = 3.0, 29.0, 1.0, 15.0, 31.0, 3.0
    else:
        left, right, top, shoulder, bottom, corner = 1.0, 15.0, 0.0, 7.0, 16.0, 1.5
    middle = (left + right) / 2
    points = []
    # Top-left rounded corner, then across the top to the top-right corner.
    for i in range(7):
        a = math.pi + (math.pi / 2) * i / 6
        points.append((left + corner + corner * math.cos(a), top + corner + corner * math.sin(a)))
    for i in range(7):
        a = 1.5 * math.pi + (math.pi / 2) * i / 6
        points.append((right - corner + corner * math.cos(a), top + corner + corner * math.sin(a)))
    # Right side down to the shoulder, then a curve into the bottom point.
    points.append((right, shoulder))
    points += quadratic((right, shoulder), (right, bottom - (bottom - shoulder) * 0.35),
                        (middle, bottom), 14)[1:]
    points += quadratic((middle, bottom), (left, bottom - (bottom - shoulder) * 0.35),
                        (left, shoulder), 14)[1:]
    return points


def quadratic(p0, p1, p2, steps):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / steps for i in range(steps + 1))]


# At 16x16 a drawn curve lands between pixels and blurs, so the eye is set
# pixel by pixel: '#' is white, '+' half white, anything else the shield.
EYE_16 = """
................
................
................
................
................
..+#........#+..
...+##....##+...
.....######.....
....#..##..#....
...+...##...+...
................
................
................
................
................
................
"""


def eye_stencil(size):
    """Per-pixel eye coverage for the sizes drawn by hand, else None."""
    if size != 16:
        return None
    rows = EYE_16.strip().split("\n")
    return [[{"#": 1.0, "+": 0.5}.get(c, 0.0) for c in row] for row in rows]


def eye_strokes(size):
    """The closed eye: the lid as a downward arc and three lashes below it.

    Returns a list of (polyline, stroke width); strokes have round ends.
    """
    k = size / 32  # drawn for 32x32, scaled for other sizes
    centre_x, lid_y, half_width, sag, lid_width = 16 * k, 11 * k, 9 * k, 5 * k, 2.4 * k
    lash_length, lash_width = 4 * k, 1.6 * k
    lid = []
    for i in range(17):
        u = -1 + 2 * i / 16
        lid.append((centre_x + u * half_width, lid_y + sag * (1 - u * u)))
    strokes = [(lid, lid_width)]
    # Lashes hang from the lid, the outer ones tilted outwards.
    for u, tilt in ((-0.62, -40), (0.0, 0), (0.62, 40)):
        x, y = centre_x + u * half_width, lid_y + sag * (1 - u * u)
        angle = math.radians(tilt)
        strokes.append(([(x, y), (x + lash_length * math.sin(angle),
                                  y + lash_length * math.cos(angle))], lash_width))
    return strokes


def inside_polygon(x, y, polygon):
    inside = False
    j = len(polygon) - 1
    for i in range(len(polygon)):
        xi, yi = polygon[i]
        xj, yj = polygon[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def distance_to_segment(x, y, a, b):
    ax, ay = a
    dx, dy = b[0] - ax, b[1] - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def distance_to_polyline(x, y, points, closed=False):
    pairs = list(zip(points, points[1:]))
    if closed:
        pairs.append((points[-1], points[0]))
    return min(distance_to_segment(x, y, a, b) for a, b in pairs)


# ---- Drawing ----------------------------------------------------------------

def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def over(dst, colour, alpha):
    """Composites colour at alpha over the premultiplied pixel dst (r, g, b, a)."""
    r, g, b, a = dst
    return (colour[0] * alpha + r * (1 - alpha), colour[1] * alpha + g * (1 - alpha),
            colour[2] * alpha + b * (1 - alpha), alpha + a * (1 - alpha))


def render(size):
    """Draws one size.

    Returns (pixels, roles): pixels are rows (top first) of straight-alpha
    (r, g, b, a) with components in 0..255; roles are rows of 16-colour
    palette indices, None where the pixel is transparent.
    """
    shield = shield_outline(size)
    strokes = eye_strokes(size)
    stencil = eye_stencil(size)
    border = 1.5 if size == 32 else 1.0
    top, bottom = min(p[1] for p in shield), max(p[1] for p in shield)
    middle = (min(p[0] for p in shield) + max(p[0] for p in shield)) / 2
    n = SUPERSAMPLE
    weight = 1.0 / (n * n)
    pixels, roles = [], []
    for py in range(size):
        pixel_row, role_row = [], []
        for px in range(size):
            outline = fill_light = fill_dark = eye = 0.0
            fill_colour = [0.0, 0.0, 0.0]
            for sy in range(n):
                y = py + (sy + 0.5) / n
                for sx in range(n):
                    x = px + (sx + 0.5) / n
                    if not inside_polygon(x, y, shield):
                        continue
                    if distance_to_polyline(x, y, shield, closed=True) < border:
                        outline += weight
                        continue
                    # Two-tone face, lit from the upper left, darkening downwards.
                    t = (y - top) / (bottom - top)
                    if x < middle:
                        colour = mix(LIGHT_HALF_TOP, LIGHT_HALF_BOTTOM, t)
                        fill_light += weight
                    else:
                        colour = mix(DARK_HALF_TOP, DARK_HALF_BOTTOM, t)
                        fill_dark += weight
                    for i in range(3):
                        fill_colour[i] += colour[i] * weight
                    if stencil:
                        eye += stencil[py][px] * weight
                    elif any(distance_to_polyline(x, y, line) < width / 2 for line, width in strokes):
                        eye += weight
            fill = fill_light + fill_dark
            pixel = (0.0, 0.0, 0.0, 0.0)
            if outline:
                pixel = over(pixel, OUTLINE, outline)
            if fill:
                face = tuple(c / fill for c in fill_colour)
                # Fill and outline share the pixel without overlapping.
                r, g, b, a = pixel
                pixel = (r + face[0] * fill, g + face[1] * fill, b + face[2] * fill, a + fill)
            if eye:
                pixel = over(pixel, EYE, eye)
            r, g, b, a = pixel
            if a > 0:
                pixel_row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                pixel_row.append((0, 0, 0, 0))
            # 16 colours: whichever part covers most of the pixel, once the
            # shield covers at least half of it.
            if outline + fill < 0.5:
                role_row.append(None)
            elif eye >= 0.4:
                role_row.append(VGA_WHITE)
            elif outline > fill:
                role_row.append(VGA_NAVY)
            else:
                role_row.append(VGA_BLUE)
        pixels.append(pixel_row)
        roles.append(role_row)
    return pixels, roles


# ---- 256 colours ------------------------------------------------------------

def median_cut(colours, count):
    """Reduces a list of (r, g, b) to at most count representative colours."""
    boxes = [list(colours)]
    while len(boxes) < count:
        splittable = [b for b in boxes if len(set(b)) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b)
                                                for i in range(3)))
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes.remove(box)
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[i] for c in b) / len(b)) for i in range(3)) for b in boxes]


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def opaque(pixel):
    return pixel[3] >= 128


def shared_palette(images):
    """One 256-colour palette for all sizes: entry 0 is black for the
    transparent pixels, the rest are the opaque colours of the images."""
    colours = [p[:3] for pixels in images for row in pixels for p in row if opaque(p)]
    unique = sorted(set(colours))
    chosen = unique if len(unique) <= 255 else median_cut(colours, 255)
    return [(0, 0, 0)] + chosen


# ---- The .ico file ----------------------------------------------------------

def mask_rows(pixels):
    """AND mask, bottom row first: 1 bits where the pixel is transparent."""
    width = len(pixels[0])
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if not opaque(p):
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def dib(size, bit_count, palette, xor_rows, and_mask):
    """An icon image: BITMAPINFOHEADER (height doubled for the mask), the
    palette, the colour rows, then the AND mask rows."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0,
                         len(xor_rows) + len(and_mask), 0, 0, len(palette), 0)
    colours = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in palette)
    return header + colours + xor_rows + and_mask


def image_32bit(pixels):
    rows = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            rows += bytes((b, g, r, a))
    return dib(len(pixels), 32, [], bytes(rows), mask_rows(pixels))


def image_indexed(pixels, indices, bit_count, palette):
    size = len(pixels)
    stride = ((size * bit_count + 31) // 32) * 4
    rows = bytearray()
    for row in reversed(indices):
        packed = bytearray(stride)
        for x, index in enumerate(row):
            if bit_count == 8:
                packed[x] = index
            else:
                packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        rows += packed
    return dib(size, bit_count, palette, bytes(rows), mask_rows(pixels))


def build_icon(drawings):
    """drawings: {size: (pixels, roles)}.  Returns the .ico file's bytes."""
    palette256 = shared_palette([pixels for pixels, _ in drawings.values()])
    entries = []  # (size, colour count, bit count, image bytes)
    for size in SIZES:
        pixels, roles = drawings[size]
        indices = [[0 if role is None else role for role in row] for row in roles]
        # The 16-colour image keeps the transparency of its own drawing.
        mask_source = [[(0, 0, 0, 0 if role is None else 255) for role in row] for row in roles]
        entries.append((size, 16, 4, image_indexed(mask_source, indices, 4, VGA_PALETTE)))
    for size in SIZES:
        pixels, _ = drawings[size]
        indices = [[nearest(p[:3], palette256) if opaque(p) else 0 for p in row] for row in pixels]
        entries.append((size, 0, 8, image_indexed(pixels, indices, 8, palette256)))
    for size in SIZES:
        pixels, _ = drawings[size]
        entries.append((size, 0, 32, image_32bit(pixels)))

    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, colour_count, bit_count, data in entries:
        out += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bit_count,
                           len(data), offset)
        offset += len(data)
    for *_, data in entries:
        out += data
    return bytes(out)


# ---- Preview ----------------------------------------------------------------

def write_png_preview(path, drawings, scale=8):
    """Both sizes enlarged side by side on a light and on a dark background,
    so edges that only look right on one of them show up."""
    gap = 4
    width = sum(SIZES) * scale + gap * (len(SIZES) + 1)
    panel = max(SIZES) * scale + 2 * gap
    backgrounds = [(0xEC, 0xE9, 0xD8), (0x24, 0x3C, 0x78)]  # XP dialog, dark desktop
    height = panel * len(backgrounds)
    canvas = [[(0, 0, 0)] * width for _ in range(height)]
    for band, background in enumerate(backgrounds):
        for y in range(band * panel, (band + 1) * panel):
            canvas[y] = [background] * width
        left = gap
        for size in SIZES:
            pixels, _ = drawings[size]
            for y in range(size * scale):
                for x in range(size * scale):
                    r, g, b, a = pixels[y // scale][x // scale]
                    alpha = a / 255
                    canvas[band * panel + gap + y][left + x] = tuple(
                        round(c * alpha + k * (1 - alpha)) for c, k in zip((r, g, b), background))
            left += size * scale + gap
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in canvas)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", help=".ico file to write")
    parser.add_argument("--png", metavar="OUT.png", help="also write an 8x preview")
    args = parser.parse_args()
    drawings = {size: render(size) for size in SIZES}
    with open(args.out, "wb") as f:
        f.write(build_icon(drawings))
    if args.png:
        write_png_preview(args.png, drawings)


if __name__ == "__main__":
    main()
