#!/usr/bin/python3
"""Regenerates every picture of the game.

    /usr/bin/python3 tools/art/make_pictures.py           # write data/ and docs/
    /usr/bin/python3 tools/art/make_pictures.py --check   # compare with what is committed

Writes, under data/: the texture packs txtpckclassic/ and txtpckneon/, the
screen pictures (islogo.png, opening.png, endgame.png, notex.png and the
editor's edit*.png), the desktop icon zindrop7.png and the bitmap font (standard.tga, standard.dat); under
docs/: contact-sheet.png and texture-packs.md.

Output is byte for byte the same on every run (fixed seeds, no clocks).
Needs Debian's python3 with PIL (python3-pil) and the DejaVu fonts.
"""

import argparse
import io
import os
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import contact  # noqa: E402
import editor  # noqa: E402
import fonts  # noqa: E402
import objects  # noqa: E402
import screens  # noqa: E402
from packs import PACKS, pack_sets  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))

# Kind codes (as numbers) of the editor's kind buttons, and the set whose
# first frame shows on each.
KIND_ICONS = {16: ("grnd", "grass"), 23: ("wall", "brick"), 11: ("crck", "crackwall"),
              10: ("bomb", "bomb"), 14: ("flag", "flag"), 22: ("trap", "trap"), 7: ("ball", "ball"),
              2: ("arrn", "arrownorth"), 1: ("arre", "arroweast"), 3: ("arrs", "arrowsouth"),
              4: ("arrw", "arrowwest"), 5: ("arru", "jump"), 12: ("exit", "exit"),
              17: ("plat", "platform"), 19: ("plan", "markernorth"), 18: ("plae", "markereast"),
              20: ("plas", "markersouth"), 21: ("plaw", "markerwest")}


# Colour channels of sprites rounded to 64 levels: invisible at the sizes
# the game draws them, and a third smaller as PNG.
SIX_BITS = [min(255, (v + 2) // 4 * 4) for v in range(256)]


def sprite_colours(img):
    if img.mode != "RGBA":
        return img
    r, g, b, a = img.split()
    return Image.merge("RGBA", [ch.point(SIX_BITS) for ch in (r, g, b)] + [a])


def png_bytes(img):
    """PNG bytes; pictures without any transparency are stored as RGB."""
    if img.mode == "RGBA" and img.getchannel("A").getextrema()[0] == 255:
        img = img.convert("RGB")
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=True)
    return buf.getvalue()


def build():
    """Every output file as {path relative to the repository: bytes}."""
    files = {}
    packs = []
    for folder, style in PACKS:
        sets = pack_sets(style)
        for s in sets:
            s.frames = s.make()
            for i, frame in enumerate(s.frames):
                files["data/%s/%s" % (folder, s.file_name(i))] = png_bytes(sprite_colours(frame))
        packs.append((folder, sets))
        print("  %s: %d sets" % (folder, len(sets)), flush=True)

    classic = {(s.kind, s.name): s for s in packs[0][1]}
    wall = classic[("wall", "brick")].frames[0].convert("RGBA")
    icons = {}
    for code, key in KIND_ICONS.items():
        pic = classic[key].frames[0].convert("RGBA")
        if key[0] == "crck":
            pic = _over(wall, pic)
        icons[code] = pic
    for code, direction in ((1, "east"), (2, "north"), (3, "south"), (4, "west")):
        icons[code] = objects.arrow_icon(direction)

    shown = {
        "islogo.png": screens.logo(),
        "opening.png": screens.opening(),
        "endgame.png": screens.endgame(),
        "notex.png": screens.notex(),
        "editgray.png": screens.editgray(),
        "editmenu.png": editor.edit_menu(icons),
        "editdial.png": editor.edit_dial(),
        "editdial1.png": editor.edit_dial1(),
        "editinput.png": editor.edit_input(),
        "editselect.png": editor.edit_select(),
    }
    for name, img in shown.items():
        files["data/" + name] = png_bytes(img)
    print("  screens: %d pictures" % len(shown), flush=True)

    # The desktop icon lies in the game folder too, for the installer.
    files["data/zindrop7.png"] = png_bytes(screens.icon())

    tga, metrics = fonts.bitmap_font()
    files["data/standard.tga"] = tga
    files["data/standard.dat"] = metrics

    board = contact.board_sample(packs[0][1]).convert("RGB")
    sheet = contact.contact_sheet(packs, shown, (tga, metrics), board)
    # 256 colours, dithered: a fifth of the size and still fine to look at
    palette = sheet.quantize(colors=256)
    files["docs/contact-sheet.png"] = png_bytes(sheet.quantize(palette=palette, dither=Image.FLOYDSTEINBERG))
    files["docs/texture-packs.md"] = contact.texture_pack_doc(packs).encode("utf-8")
    return files, [folder for folder, _ in PACKS]


def _over(under, over):
    return Image.alpha_composite(under.resize(over.size), over)


def write(files, pack_folders, root):
    # the pack folders belong to this generator: drop frames it no longer makes
    for folder in pack_folders:
        path = os.path.join(root, "data", folder)
        if os.path.isdir(path):
            for name in os.listdir(path):
                if "data/%s/%s" % (folder, name) not in files:
                    os.remove(os.path.join(path, name))
    for rel, data in sorted(files.items()):
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def check(files, pack_folders, root):
    """Lists every difference between the generated and the committed files."""
    problems = []
    for rel, data in sorted(files.items()):
        path = os.path.join(root, rel)
        if not os.path.exists(path):
            problems.append("missing: " + rel)
        else:
            with open(path, "rb") as f:
                if f.read() != data:
                    problems.append("differs: " + rel)
    for folder in pack_folders:
        path = os.path.join(root, "data", folder)
        if os.path.isdir(path):
            for name in sorted(os.listdir(path)):
                if "data/%s/%s" % (folder, name) not in files:
                    problems.append("not generated: data/%s/%s" % (folder, name))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in the repository instead of writing them")
    parser.add_argument("--root", default=REPO, help="repository folder (default: this checkout)")
    args = parser.parse_args()
    print("Generating pictures...", flush=True)
    files, pack_folders = build()
    if args.check:
        problems = check(files, pack_folders, args.root)
        for p in problems:
            print(p)
        print("%d files, %d differences" % (len(files), len(problems)))
        return 1 if problems else 0
    write(files, pack_folders, args.root)
    total = sum(len(d) for rel, d in files.items() if rel.startswith("data/"))
    print("Wrote %d files (%d bytes under data/)" % (len(files), total))
    return 0


if __name__ == "__main__":
    sys.exit(main())
