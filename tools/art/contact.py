"""The contact sheet (every picture and every frame, labelled) and the
texture-pack listing in docs/.

The sheet also shows the pictures the way the game puts them together: the
menu frames over a board, the editor panel and dialogs with their texts
written in the bitmap font at the game's positions, the highlight frame at
the sizes the editor draws it.
"""

import struct

from PIL import Image, ImageDraw

import editor
from common import SANS, SANS_BOLD, checker, font, with_alpha

SHEET_W = 1360
THUMB = 56
LABEL_W = 330
GAP = 6
BG = (34, 36, 44)
TEXT = (230, 230, 236)
DIM = (150, 156, 170)

KIND_MEANING = {
    "arre": "arrow east", "arrn": "arrow north", "arrs": "arrow south", "arrw": "arrow west",
    "arru": "jump", "back": "background", "ball": "ball", "blsh": "ball shadow", "bomb": "bomb",
    "crck": "crack", "exit": "exit", "expl": "explosion", "flag": "flag", "font": "tile font",
    "grnd": "ground", "plat": "platform", "plae": "marker east", "plan": "marker north",
    "plas": "marker south", "plaw": "marker west", "trap": "trap", "wall": "wall",
}


class BitmapText:
    """Writes text the way the game does with the shipped font: glyph cells
    shifted left by their offset, a half-black shadow one pixel down-right,
    premultiplied glyphs, advance = width + 2."""

    def __init__(self, tga, metrics):
        w, h = struct.unpack_from("<HH", tga, 12)
        img = Image.frombytes("RGBA", (w, h), tga[18:18 + w * h * 4]).transpose(Image.FLIP_TOP_BOTTOM)
        self.coverage = img.getchannel("A")
        self.metrics = metrics

    def width(self, text):
        return sum(self._glyph(c)[0] + 2 for c in text.encode("cp1252"))

    def _glyph(self, code):
        width, _, offset, _ = struct.unpack_from("<iiii", self.metrics, code * 16)
        if code == 160:
            width = 16
        return width, offset

    def draw(self, img, text, x, y, colour):
        cursor = 0
        for code in text.encode("cp1252"):
            width, offset = self._glyph(code)
            cx, cy = (code % 16) * 16, (code // 16) * 16
            cell = self.coverage.crop((cx, cy, cx + 16, cy + 16))
            for d, col, a in ((1, (0, 0, 0), 0.5), (0, colour, 1.0)):
                layer = with_alpha(Image.new("RGB", (16, 16), col), cell.point(lambda v: int(v * a)))
                img.alpha_composite(layer, (x + cursor - offset + d, y + d))
            cursor += width + 2


class Sheet:
    def __init__(self):
        self.parts = []      # (picture, y)
        self.y = 0
        self.label_font = font(SANS, 12)
        self.head_font = font(SANS_BOLD, 20)

    def heading(self, text):
        img = Image.new("RGB", (SHEET_W, 40), BG)
        ImageDraw.Draw(img).text((12, 12), text, font=self.head_font, fill=(255, 214, 90))
        self._add(img)

    def row(self, label, sub, pictures, thumb=THUMB, backdrop=None):
        per_line = max(1, (SHEET_W - LABEL_W - 12) // (thumb + GAP))
        lines = (len(pictures) + per_line - 1) // per_line
        img = Image.new("RGB", (SHEET_W, lines * (thumb + GAP) + GAP), BG)
        d = ImageDraw.Draw(img)
        d.text((12, GAP + 2), label, font=self.label_font, fill=TEXT)
        d.text((12, GAP + 18), sub, font=self.label_font, fill=DIM)
        for i, pic in enumerate(pictures):
            x = LABEL_W + (i % per_line) * (thumb + GAP)
            y = GAP + (i // per_line) * (thumb + GAP)
            img.paste(_on_backdrop(pic, (thumb, thumb), backdrop), (x, y))
        self._add(img)

    def pictures(self, items, height):
        """A line of labelled pictures, each scaled to `height`."""
        x = 12
        img = Image.new("RGB", (SHEET_W, height + 30), BG)
        d = ImageDraw.Draw(img)
        for label, pic in items:
            w = int(pic.size[0] * height / pic.size[1])
            if x + w > SHEET_W:
                break
            img.paste(pic.convert("RGB").resize((w, height), Image.LANCZOS), (x, 22))
            d.text((x, 4), label, font=self.label_font, fill=TEXT)
            x += w + 16
        self._add(img)

    def _add(self, img):
        self.parts.append((img, self.y))
        self.y += img.size[1]

    def result(self):
        out = Image.new("RGB", (SHEET_W, self.y), BG)
        for img, y in self.parts:
            out.paste(img, (0, y))
        return out


def _on_backdrop(pic, size, backdrop=None):
    if backdrop is None:
        backdrop = checker(size, 8, (120, 120, 128), (160, 160, 168))
    else:
        backdrop = backdrop.convert("RGB").resize(size, Image.LANCZOS)
    pic = pic.convert("RGBA").resize(size, Image.LANCZOS)
    return Image.alpha_composite(backdrop.convert("RGBA"), pic).convert("RGB")


def contact_sheet(packs, screens, bitmap_font_files, board_picture):
    """packs: [(folder, [PictureSet])]; screens: {file name: picture};
    bitmap_font_files: (tga bytes, metrics bytes); board_picture: an RGB
    picture of a board to show the menu frames over."""
    text = BitmapText(*bitmap_font_files)
    sheet = Sheet()
    sheet.heading("Zindrop 7 - every picture (regenerate: /usr/bin/python3 tools/art/make_pictures.py)")
    for folder, sets in packs:
        sheet.heading("Texture pack " + folder)
        ground = next(s.frames[0] for s in sets if s.kind == "grnd")
        wall = next(s.frames[0] for s in sets if s.kind == "wall")
        for s in sets:
            f0 = s.frames[0]
            label = "%s  %s" % (s.file_name(0)[:-6], KIND_MEANING[s.kind])
            sub = "%d frame%s, %dx%d%s - %s" % (len(s.frames), "" if len(s.frames) == 1 else "s",
                                                f0.size[0], f0.size[1],
                                                ", synchronised" if s.synchronised else "", s.note)
            backdrop = None
            if s.kind in ("bomb", "exit", "flag", "trap", "ball", "blsh", "arre", "arrn", "arrs", "arrw",
                          "arru", "plae", "plan", "plas", "plaw") or s.name == "crackfloor":
                backdrop = ground
            elif s.name == "crackwall":
                backdrop = wall
            sheet.row(label, sub, s.frames, thumb=96 if s.kind == "back" else THUMB, backdrop=backdrop)
        sheet.row("board sample", "ground, walls, objects as laid out in a level", [board_sample(sets)], thumb=320)

    sheet.heading("Screens (menu frames shown over a board, as the game draws them)")
    board = board_picture.convert("RGBA").resize((1024, 768))
    over = {n: Image.alpha_composite(board, screens[n].convert("RGBA")) for n in ("opening.png", "endgame.png")}
    sheet.pictures([("islogo.png 1024x768", screens["islogo.png"]),
                    ("opening.png over a board", over["opening.png"]),
                    ("endgame.png over a board", over["endgame.png"])], 300)

    sheet.heading("Editor pictures at their drawn size (texts written by the game shown in place)")
    sheet.pictures([("editmenu.png", _editor_mock(screens, text, "menu")),
                    ("editdial.png", _editor_mock(screens, text, "dial")),
                    ("editdial1.png", _editor_mock(screens, text, "dial1"))], 186)
    sheet.pictures([("editinput.png", _editor_mock(screens, text, "input")),
                    ("editmenu.png as stored", screens["editmenu.png"]),
                    ("editselect 17, 51x38, cursor", _select_mock(screens)),
                    ("notex.png", screens["notex.png"].resize((128, 128))),
                    ("editgray.png over a board", _gray_mock(screens, board_picture))], 186)

    sheet.heading("Fonts")
    tga, _ = bitmap_font_files
    w, h = struct.unpack_from("<HH", tga, 12)
    font_img = Image.frombytes("RGBA", (w, h), tga[18:18 + w * h * 4]).transpose(Image.FLIP_TOP_BOTTOM)
    font_view = Image.new("RGB", (w, h), (20, 40, 90))
    font_view.paste(Image.new("RGB", (w, h), (255, 255, 255)), mask=font_img.getchannel("A"))
    samples = Image.new("RGBA", (760, 256), (70, 110, 70, 255))
    lines = ["Zindrop 7 \x1b\x12\x1a moves the cursor; 1234567890",
             "The quick brown fox jumps over the lazy dog.",
             "Gr\xf6\xdfe, \xc4rger, \xfcber, na\xefve, caf\xe9, \u20ac 12,50, \xa9 \xae \xbd \xbf?",
             "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz"]
    for i, line in enumerate(lines):
        text.draw(samples, line, 10, 10 + i * 15, (255, 255, 255))
        text.draw(samples, line, 10, 80 + i * 15, (255, 255, 0))
    samples.paste((200, 196, 186, 255), (0, 150, 760, 256))
    for i, line in enumerate(lines):
        text.draw(samples, line, 10, 160 + i * 15, (0, 0, 0))
    sheet.pictures([("standard.tga (cell grid, 256x256)", font_view), ("standard.dat widths in use", samples)],
                   256)
    return sheet.result()


def board_sample(sets):
    """A little level built from the pack, to judge the pictures together."""
    by = {}
    for s in sets:
        by.setdefault(s.kind, {})[s.name] = s.frames
    t = 64
    layout = ["WWWWWWWW",
              "WgggsssW",
              "Wg..sAsW",
              "Wg..sssW",
              "WggssssW",
              "WWWWWWWW"]
    back = by["back"]["sky"][0].convert("RGBA").resize((8 * t, 6 * t))
    img = back.copy()

    def put(pic, c, r):
        img.alpha_composite(pic.convert("RGBA").resize((t, t), Image.LANCZOS), (c * t, r * t))
    for r, row in enumerate(layout):
        for c, cell in enumerate(row):
            if cell in "gsA":
                put(by["grnd"]["grass" if cell == "g" else "stone"][0], c, r)
            if cell == "W":
                put(by["wall"]["brick" if r in (0, 5) else "hedge"][0], c, r)
    put(by["arre"]["arroweast"][0], 5, 2)
    put(by["crck"]["crackwall"][0], 7, 3)
    put(by["crck"]["crackfloor"][0], 4, 4)
    put(by["flag"]["flag"][0], 1, 1)
    put(by["bomb"]["bomb"][0], 6, 1)
    put(by["trap"]["trap"][0], 6, 3)
    put(by["exit"]["exit"][0], 6, 4)
    put(by["plat"]["platform"][0], 2, 3)
    img.alpha_composite(by["blsh"]["shadow"][0].resize((t, t)), (1 * t + 8, 4 * t + 8))
    put(by["ball"]["ball"][0], 1, 4)
    return img


def _editor_mock(screens, text, which):
    img = {"menu": screens["editmenu.png"], "dial": screens["editdial.png"],
           "dial1": screens["editdial1.png"], "input": screens["editinput.png"]}[which].copy()
    base = Image.new("RGBA", img.size, (60, 90, 60, 255))
    img = Image.alpha_composite(base, img)
    if which == "menu":
        text.draw(img, "Level editor: Firstpack - The garden", 8, 6, (255, 255, 255))
        text.draw(img, "Level 3 / 12", 10, 35, (0, 0, 0))
        text.draw(img, "grass", 153, 35, (0, 0, 0))
        text.draw(img, "classic", 179, 59, (0, 0, 0))
        text.draw(img, "\x1b\x12\x1a moves the cursor, Space places", 10, 150, (0, 0, 0))
        px, py, pw, ph = editor.PREVIEW
        img.paste((110, 160, 70, 255), (px, py, px + pw, py + ph))
        bx, by, bw, bh = editor.BACKGROUND
        img.paste((90, 140, 210, 255), (bx, by, bx + bw, by + bh))
        sel = screens["editselect.png"]
        x, y = editor.KIND_BUTTONS[16]
        img.alpha_composite(sel.resize((17, 17), Image.NEAREST), (x, y))
    else:
        text.draw(img, "First line of the dialog", 15, 40, (0, 0, 0))
        text.draw(img, "Second line", 15, 60, (0, 0, 0))
        if which == "input":
            text.draw(img, "New pack name_", 40, 87, (255, 255, 255))
            text.draw(img, "OK", 123, 132, (0, 0, 0))
        else:
            text.draw(img, "Third line", 15, 80, (0, 0, 0))
            if which == "dial":
                text.draw(img, "Yes", 42, 132, (0, 0, 0))
                text.draw(img, "No", 203, 132, (0, 0, 0))
            else:
                text.draw(img, "OK", 123, 132, (0, 0, 0))
    return img


def _select_mock(screens):
    sel = screens["editselect.png"]
    img = Image.new("RGBA", (200, 186), (60, 90, 60, 255))
    img.alpha_composite(sel.resize((17, 17), Image.NEAREST), (10, 10))
    img.alpha_composite(sel.resize((51, 38), Image.NEAREST), (40, 10))
    img.alpha_composite(sel.resize((96, 96), Image.NEAREST), (10, 70))
    return img


def _gray_mock(screens, board):
    b = board.convert("RGBA").resize((248, 186))
    return Image.alpha_composite(b, screens["editgray.png"].resize(b.size, Image.NEAREST))


def texture_pack_doc(packs):
    """docs/texture-packs.md: every set of every pack."""
    out = ["# Texture packs", "",
           "Generated by `/usr/bin/python3 tools/art/make_pictures.py` together with the pictures;",
           "do not edit by hand. The pictures are in `data/<pack>/`; see also",
           "[the contact sheet](contact-sheet.png).", "",
           "A frame file is named: kind code (4 letters), wrap letter for S and for T",
           "(`r` = repeat and the set is synchronised: every object shows the same frame;",
           "`c` = clamp to edge, each object animates on its own), the free name, the frame",
           "number in two digits, `.png`. A set is announced by its frame `00` and runs up to",
           "the first missing number.", "",
           "Levels refer to a picture by pack folder and free name, so these names are what",
           "levels are written against. The arrows are synchronised so that every arrow on a",
           "board scrolls in step. `bonusbackground` makes a level a bonus level; its wrap",
           "letters `rc` sort it after the other backgrounds, so the default background (the",
           "first one found) is an ordinary one.", ""]
    for folder, sets in packs:
        out += ["## " + folder, "",
                "| kind | what | free name | frame 00 file | frames | size | synchronised | notes |",
                "|---|---|---|---|---|---|---|---|"]
        for s in sets:
            f0 = s.frames[0]
            out.append("| `%s` | %s | `%s` | `%s` | %d | %dx%d | %s | %s |" % (
                s.kind, KIND_MEANING[s.kind], s.name, s.file_name(0), len(s.frames), f0.size[0], f0.size[1],
                "yes" if s.synchronised else "no", s.note))
        out.append("")
    return "\n".join(out)
