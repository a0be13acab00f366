#!/usr/bin/env python3
"""Writes the render test fixtures: a small sprite sheet with an upright, a rotated and a trimmed
frame (atlas.png), and a bitmap-font page (font.png). Deterministic; run from this folder."""
import struct
import zlib


def write_png(path, width, height, pixel):
    rows = b""
    for y in range(height):
        rows += b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
                chunk(b"IEND", b""))


RED, GREEN, BLUE, WHITE, CLEAR = (255, 0, 0, 255), (0, 255, 0, 255), (0, 0, 255, 255), (255, 255, 255, 255), (0, 0, 0, 0)


def quadrants(ux, uy, w, h):
    """The upright test picture: red top-left, green top-right, blue bottom-left, white bottom-right."""
    left, top = ux < w // 2, uy < h // 2
    return RED if left and top else GREEN if top else BLUE if left else WHITE


def atlas(x, y):
    # "upright.png": 16 x 8 at (0, 0).
    if x < 16 and y < 8:
        return quadrants(x, y, 16, 8)
    # "turned.png": 16 x 8 upright, stored turned 90 degrees clockwise at (20, 0) as 8 x 16.
    if 20 <= x < 28 and y < 16:
        ax, ay = x - 20, y
        return quadrants(ay, 7 - ax, 16, 8)
    # "trimmed.png": 16 x 8 trimmed out of 20 x 12, at (0, 20).
    if x < 16 and 20 <= y < 28:
        return quadrants(x, y - 20, 16, 8)
    return CLEAR


GLYPHS = {
    # char: (cell x, pattern rows of 10 x 12, '#' set)
    "A": ["...####...", "..##..##..", ".##....##.", ".##....##.", ".########.", ".##....##.",
          ".##....##.", ".##....##.", ".##....##.", "..........", "..........", ".........."],
    "V": [".##....##.", ".##....##.", ".##....##.", ".##....##.", "..##..##..", "..##..##..",
          "...####...", "...####...", "....##....", "..........", "..........", ".........."],
    "T": [".########.", ".########.", "....##....", "....##....", "....##....", "....##....",
          "....##....", "....##....", "....##....", "..........", "..........", ".........."],
    "o": ["..........", "..........", "..........", "...####...", "..##..##..", ".##....##.",
          ".##....##.", "..##..##..", "...####...", "..........", "..........", ".........."],
}
ORDER = "AVTo"


def font(x, y):
    cell, gx = divmod(x, 16)
    if cell < len(ORDER) and gx < 10 and y < 12:
        return WHITE if GLYPHS[ORDER[cell]][y][gx] == "#" else CLEAR
    return CLEAR


if __name__ == "__main__":
    write_png("atlas.png", 32, 32, atlas)
    write_png("font.png", 64, 16, font)
