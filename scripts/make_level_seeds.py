#!/usr/bin/python3
"""Writes the seed level files of the level fuzz target: one small level in
every file version 0 to 7, laid out field by field, into fuzz/corpus/level/."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "fuzz", "corpus", "level")


def text(s):
    b = s.encode("latin-1")
    return struct.pack("<i", len(b)) + b


def entry(version, pack, name, vx, vy, x, y):
    out = text(pack) + text(name)
    if version >= 3:
        return out + struct.pack("<4d", vx, vy, x, y)
    out += struct.pack("<4i", int(vx), int(vy), int(x), int(y))
    return out + (struct.pack("<i", 0) if version == 0 else b"")


def level(version):
    out = b"ZDLVL\x00" + bytes([version])
    out += entry(version, "txtpckstone", "sky", 0, 0, 0, 0)
    lists = [
        [("txtpckstone", "", 0, 0, x * 128, y * 128) for x in range(3) for y in range(2)],
        [("txtpckstone", "", 0, 0, 256, 128)],
        [("txtpckstone", "", 2, 0, 128, 0)],
        [("txtpckstone", "", 3, 0, 0, 128)],
        [("txtpckstone", "", 0, -4, 0, 0)],
        [("txtpckstone", "", 0, 0, 128, 128)],
        [],
        [("txtpckstone", "cracked", 0, 0, 384, 0)],
    ]
    for objects in lists:
        out += struct.pack("<i", len(objects))
        for o in objects:
            out += entry(version, *o)
    out += entry(version, "txtpckstone", "", 0, 0, 0, 0)
    out += entry(version, "txtpckstone", "", 0, 0, 16, 16)
    out += struct.pack("<i", 0) * 2
    out += text("theme.ogg")
    if version >= 4:
        out += struct.pack("<d", 0.75)
    elif version >= 2:
        out += struct.pack("<f", 0.75)
    if version >= 5:
        out += struct.pack("<ddidid", 0, 0, 1, 0, 0, 0)
    if version >= 6:
        out += struct.pack("<d", 120)
    if version >= 7:
        out += text("Seed level")
    return out


os.makedirs(OUT, exist_ok=True)
for v in range(8):
    with open(os.path.join(OUT, "version%d.zdl" % v), "wb") as f:
        f.write(level(v))
