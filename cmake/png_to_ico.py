"""Wraps a PNG picture of at most 256 x 256 pixels in a Windows .ico file.

    png_to_ico.py ICON.png ICON.ico

An .ico file may hold PNG data as it is: a 6-byte header, one 16-byte
directory entry, then the PNG bytes. Width and height 256 are written as 0.
"""
import struct
import sys


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, "rb") as f:
        png = f.read()
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("png_to_ico: %s is not a PNG file" % source)
    width, height = struct.unpack(">II", png[16:24])
    if not (0 < width <= 256 and 0 < height <= 256):
        sys.exit("png_to_ico: %s is larger than 256 x 256" % source)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), 6 + 16)
    with open(target, "wb") as f:
        f.write(header + entry + png)


if __name__ == "__main__":
    main()
