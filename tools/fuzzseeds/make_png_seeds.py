#!/usr/bin/python3
"""Writes the seed pictures of the PNG fuzz target into fuzz/corpus/png/.

Small valid files of different kinds: PIL writes the common ones; the rest
(Adam7, 16-bit colour, every filter type) are put together chunk by chunk.
A seed that does not start with byte 137 is read by the fuzz target as a
recipe for a picture (see fuzz/png.cpp). Run with Debian's /usr/bin/python3.
"""
import os
import struct
import zlib

from PIL import Image

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "fuzz", "corpus", "png")


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(width, height, depth, colour, interlace, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def adam7_rows(width, height, bits_per_pixel):
    """Row data of every Adam7 pass, filter types cycling 0 to 4, samples made up."""
    rows = b""
    for x0, y0, dx, dy in ADAM7:
        columns = (width - x0 + dx - 1) // dx if width > x0 else 0
        count = (height - y0 + dy - 1) // dy if height > y0 else 0
        for _ in range(count if columns else 0):
            length = (columns * bits_per_pixel + 7) // 8
            rows += bytes([len(rows) % 5]) + bytes((len(rows) + i * 37) % 256 for i in range(length))
    return rows


def gradient(mode, size, alpha=None):
    image = Image.new("RGBA", size)
    for y in range(size[1]):
        for x in range(size[0]):
            a = 255 if alpha is None else alpha(x, y)
            image.putpixel((x, y), (x * 40 % 256, y * 50 % 256, (x * y * 7) % 256, a))
    return image.convert(mode)


def main():
    os.makedirs(OUT, exist_ok=True)
    gradient("1", (11, 5)).save(os.path.join(OUT, "grey1.png"))
    gradient("L", (6, 6)).save(os.path.join(OUT, "grey8.png"))
    gradient("LA", (5, 4), lambda x, y: x * 50).save(os.path.join(OUT, "greyalpha8.png"))
    gradient("RGB", (7, 3)).save(os.path.join(OUT, "rgb8.png"))
    gradient("RGBA", (4, 4), lambda x, y: (x + y) * 30).save(os.path.join(OUT, "rgba8.png"))
    palette = gradient("RGB", (6, 5)).convert("P", palette=Image.ADAPTIVE, colors=8)
    palette.save(os.path.join(OUT, "palette_trns.png"), transparency=bytes([0, 128, 255]))
    Image.frombytes("I;16", (3, 3), bytes(range(18))).save(os.path.join(OUT, "grey16.png"))

    # RGB 16-bit, Adam7 5 x 3, with a key.
    key = chunk(b"tRNS", bytes([0, 37, 0, 74, 0, 111]))
    with open(os.path.join(OUT, "rgb16_adam7.png"), "wb") as f:
        f.write(png(5, 3, 16, 2, 1, adam7_rows(5, 3, 48), key))

    # A 2-bit palette, interlaced, with a short palette and a longer tRNS.
    extra = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0])) + chunk(b"tRNS", bytes([0, 90, 180]))
    with open(os.path.join(OUT, "palette2_adam7.png"), "wb") as f:
        f.write(png(7, 6, 2, 3, 1, adam7_rows(7, 6, 2), extra))

    # A recipe: 9 x 7 RGBA 16 Adam7, no PLTE or tRNS, row bytes cycling filters.
    with open(os.path.join(OUT, "recipe_rgba16.bin"), "wb") as f:
        f.write(bytes([1, 8, 6, 14, 1, 0, 0]) + bytes(range(5)) + bytes(range(0, 250, 7)))


if __name__ == "__main__":
    main()
