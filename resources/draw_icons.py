#!/usr/bin/env python3
"""Draws the program's icons: a small calculator (display strip, key grid,
an accent "=" key) on a blue body while calculation is on, on a yellow body
while it is off. Writes the two .ico files of tarvok.exe with the sizes and
colour depths the tray and the shell ask for:

  MAINICON.ico    16, 32, 48 px, each in 16 colours, 256 colours, true colour
  YELLOW.ico      16 px in 16 colours, 256 colours, true colour

Usage: draw_icons.py <output folder>. Only the standard library is used.
"""
import struct
import sys
from pathlib import Path

TRANSPARENT = None

BODIES = {
    "on": ((0, 0, 128), (0, 0, 255)),       # outline, face
    "off": ((128, 128, 0), (255, 255, 0)),
}
DISPLAY = (0, 128, 0), (192, 255, 192)
KEY = (128, 128, 128), (255, 255, 255)
EQUALS_KEY = (255, 0, 0)

# The 16 colours every display can show; the 16-colour images use only these.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
PALETTE256 = VGA16 + [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE256 += [(0, 0, 0)] * (256 - len(PALETTE256))


def draw(size, state):
    """The glyph as rows of (r, g, b) or TRANSPARENT, scaled to `size`."""
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    outline, face = BODIES[state]
    unit = size / 16.0

    def fill(x0, y0, x1, y1, colour):
        for y in range(round(y0 * unit), round(y1 * unit)):
            for x in range(round(x0 * unit), round(x1 * unit)):
                pixels[y][x] = colour

    def box(x0, y0, x1, y1, edge, inside):
        fill(x0, y0, x1, y1, edge)
        e = 1.0 / unit  # one pixel at any size
        fill(x0 + e, y0 + e, x1 - e, y1 - e, inside)

    box(2, 0, 14, 16, outline, face)
    box(3, 1.5, 13, 5, DISPLAY[0], DISPLAY[1])
    for row in range(3):
        for col in range(3):
            x, y = 3 + col * 3.5, 6 + row * 3.3
            colour = EQUALS_KEY if (row, col) == (2, 2) else KEY[1]
            if size < 24:  # too small for an outline: solid keys on a whole-pixel grid
                fill(4 + col * 3, 6 + row * 3, 6 + col * 3, 8 + row * 3, colour)
            else:
                box(x, y, x + 3, y + 2.7, KEY[0], colour)
    return pixels


def nearest(colour, palette):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def bitmap_entry(pixels, bitcount):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    size = len(pixels)
    palette = {4: VGA16, 8: PALETTE256}.get(bitcount, [])
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bitcount, 0, 0, 0, 0, len(palette), 0)
    body = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    for y in reversed(range(size)):  # bottom-up rows
        row = bytearray(row_bytes(size * bitcount))
        for x, colour in enumerate(pixels[y]):
            if bitcount == 32:
                r, g, b = colour if colour else (0, 0, 0)
                row[x * 4:x * 4 + 4] = bytes((b, g, r, 255 if colour else 0))
            else:
                index = nearest(colour, palette) if colour else 0
                if bitcount == 8:
                    row[x] = index
                else:
                    row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        body += bytes(row)
    for y in reversed(range(size)):  # 1 = transparent
        row = bytearray(row_bytes(size))
        for x, colour in enumerate(pixels[y]):
            if colour is TRANSPARENT:
                row[x // 8] |= 0x80 >> (x % 8)
        body += bytes(row)
    return header + body


def write_ico(path, images):
    """images: list of (pixels, bitcount)."""
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for pixels, bitcount in images:
        blob = bitmap_entry(pixels, bitcount)
        size = len(pixels)
        colours = 16 if bitcount == 4 else 0
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bitcount, len(blob), offset)
        blobs += blob
        offset += len(blob)
    path.write_bytes(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    out.mkdir(parents=True, exist_ok=True)
    depths = (4, 8, 32)
    write_ico(out / "MAINICON.ico", [(draw(s, "on"), d) for s in (16, 32, 48) for d in depths])
    write_ico(out / "YELLOW.ico", [(draw(16, "off"), d) for d in depths])


if __name__ == "__main__":
    main()
