"""The editor's pictures: the panel, the three dialogs, the highlight frame.

The game draws the panel and the dialogs at exactly 374 x 186 pixels with
nearest filtering and uploads them without mipmaps, so they are drawn here
pixel by pixel at that size and every button covers exactly the area the
editor's mouse input reacts to (the tables below, both ends inclusive).
Texts are written over the picture by the game at fixed places; those
places are left plain so black (panel) or white (title, input field) text
reads on them.
"""

from PIL import Image, ImageDraw

from common import SANS_BOLD, font

W, H = 374, 186
STRIP = 28                    # rows 0..28 are the drag strip
CLOSE = (311, 0, 353, 16)     # the close box, in every picture

BODY_TOP = (238, 232, 218)
BODY_BOTTOM = (214, 206, 188)
STRIP_TOP = (64, 88, 150)
STRIP_BOTTOM = (30, 42, 86)
FACE = (246, 241, 230)
FACE_LIT = (255, 255, 255)
FACE_SHADE = (150, 138, 118)
EDGE = (64, 54, 42)
WELL = (252, 250, 244)
WELL_SHADE = (150, 140, 122)

# Panel buttons: (x0, x1, y0, y1, label). A label is one or two lines of
# the pixel font, or "big:TEXT" for a single key in the bitmap typeface.
BUTTONS = [
    (10, 28, 58, 78, "CTL/PG^"),      # previous level pack
    (32, 48, 58, 78, "CTL/PGv"),      # next level pack
    (60, 77, 58, 78, "ALT/PG^"),      # previous level
    (82, 98, 58, 78, "ALT/PGv"),      # next level
    (103, 120, 58, 78, "ALT/S"),      # save the level
    (123, 141, 58, 78, "big:L"),      # level title
    (152, 170, 58, 78, "icon:home"),  # previous texture pack filter
    (257, 277, 58, 78, "icon:end"),   # next texture pack filter
    (286, 304, 58, 78, "icon:prev"),  # previous picture
    (327, 346, 58, 78, "icon:next"),  # next picture
    (9, 28, 79, 99, "big:F5"),        # new level pack
    (31, 49, 79, 99, "big:F6"),       # delete level pack
    (61, 79, 79, 99, "CTL/N"),        # new level
    (82, 99, 79, 99, "CTL/DEL"),      # delete level
    (102, 121, 79, 99, "ALT/DEL"),    # time limit
    (124, 142, 79, 99, "big:F2"),     # test play
    (10, 28, 100, 120, "big:R"),      # rename level pack
    (31, 49, 100, 120, "LV/v"),       # move the level one place later
    (61, 85, 100, 120, "icon:music+"),
    (10, 28, 121, 140, "big:F7"),     # open the pack folder
    (31, 49, 121, 140, "LV/^"),       # move the level one place earlier
    (61, 85, 121, 140, "icon:music-"),
]

# Kind buttons: 17 x 17 at the places where the game draws its highlight
# frame for the chosen kind (kind code -> top-left corner).
KIND_BUTTONS = {
    16: (153, 80), 23: (174, 80), 11: (195, 80), 10: (216, 80), 14: (237, 80), 22: (258, 80),
    7: (153, 101), 2: (174, 101), 1: (195, 101), 3: (216, 101), 4: (237, 101), 5: (258, 101),
    12: (153, 122), 17: (174, 122), 19: (195, 122), 18: (216, 122), 20: (237, 122), 21: (258, 122),
}
KIND_SIZE = 17

PREVIEW = (287, 80, 58, 58)       # the chosen picture, drawn by the game
BACKGROUND = (90, 101, 51, 38)    # the level's background, drawn by the game

# Where the game writes texts; left plain.
TEXT_ROWS = {"counter": (10, 35), "entry": (153, 35), "pack": (179, 59), "hint": (10, 150)}

# The pixel font: 5 rows, '#' is ink. '^' and 'v' are arrows.
PIXEL_FONT = {
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "C": [".##", "#..", "#..", "#..", ".##"],
    "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "E": ["###", "#..", "##.", "#..", "###"],
    "G": [".##", "#..", "#.#", "#.#", ".##"],
    "L": ["#..", "#..", "#..", "#..", "###"],
    "N": ["#..#", "##.#", "#.##", "#..#", "#..#"],
    "P": ["##.", "#.#", "##.", "#..", "#.."],
    "S": [".##", "#..", ".#.", "..#", "##."],
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
    "^": ["..#..", ".###.", "#.#.#", "..#..", "..#.."],
    "v": ["..#..", "..#..", "#.#.#", ".###.", "..#.."],
}

INK = (40, 34, 28)


def _pixel_text_width(text):
    return sum(len(PIXEL_FONT[ch][0]) for ch in text) + len(text) - 1


def _pixel_text(d, x, y, text, colour=INK):
    for ch in text:
        rows = PIXEL_FONT[ch]
        for j, row in enumerate(rows):
            for i, cell in enumerate(row):
                if cell == "#":
                    d.point((x + i, y + j), fill=colour)
        x += len(rows[0]) + 1


def _body(img):
    d = ImageDraw.Draw(img)
    for y in range(H):
        t = y / (H - 1)
        col = tuple(int(a + (b - a) * t) for a, b in zip(BODY_TOP, BODY_BOTTOM))
        d.line((0, y, W - 1, y), fill=col + (255,))
    for y in range(STRIP + 1):
        t = y / STRIP
        col = tuple(int(a + (b - a) * t) for a, b in zip(STRIP_TOP, STRIP_BOTTOM))
        d.line((0, y, W - 1, y), fill=col + (255,))
    d.line((0, STRIP + 1, W - 1, STRIP + 1), fill=EDGE + (255,))
    # grip dots on the strip's right, where the title never reaches
    for gx in range(362, 370, 3):
        for gy in range(6, 24, 3):
            d.point((gx, gy), fill=(150, 170, 220, 255))
    d.rectangle((0, 0, W - 1, H - 1), outline=EDGE + (255,))
    d.line((1, 1, W - 2, 1), fill=(120, 144, 210, 255))
    for x, y in ((0, 0), (W - 1, 0), (0, H - 1), (W - 1, H - 1)):
        d.point((x, y), fill=(0, 0, 0, 0))
    _close_box(d)
    return d


def _close_box(d):
    x0, y0, x1, y1 = CLOSE
    d.rectangle((x0, y0, x1, y1), fill=(196, 52, 44, 255), outline=EDGE + (255,))
    d.line((x0 + 1, y0 + 1, x1 - 1, y0 + 1), fill=(240, 120, 110, 255))
    d.line((x0 + 1, y1 - 1, x1 - 1, y1 - 1), fill=(130, 24, 20, 255))
    cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
    for k in range(-4, 5):
        d.point((cx + k, cy + k), fill=(255, 255, 255, 255))
        d.point((cx + k + 1, cy + k), fill=(255, 255, 255, 255))
        d.point((cx + k, cy - k), fill=(255, 255, 255, 255))
        d.point((cx + k + 1, cy - k), fill=(255, 255, 255, 255))


def _raised(d, x0, y0, x1, y1, face=FACE):
    d.rectangle((x0, y0, x1, y1), fill=face + (255,), outline=EDGE + (255,))
    d.line((x0 + 1, y0 + 1, x1 - 1, y0 + 1), fill=FACE_LIT + (255,))
    d.line((x0 + 1, y0 + 1, x0 + 1, y1 - 1), fill=FACE_LIT + (255,))
    d.line((x0 + 1, y1 - 1, x1 - 1, y1 - 1), fill=FACE_SHADE + (255,))
    d.line((x1 - 1, y0 + 1, x1 - 1, y1 - 1), fill=FACE_SHADE + (255,))


def _sunken(d, x0, y0, x1, y1, fill=WELL):
    d.rectangle((x0, y0, x1, y1), fill=fill + (255,))
    d.line((x0, y0, x1, y0), fill=WELL_SHADE + (255,))
    d.line((x0, y0, x0, y1), fill=WELL_SHADE + (255,))
    d.line((x0, y1, x1, y1), fill=(255, 255, 255, 255))
    d.line((x1, y0, x1, y1), fill=(255, 255, 255, 255))


def _label(d, x0, y0, x1, y1, label):
    cx = (x0 + x1 + 1) // 2
    cy = (y0 + y1 + 1) // 2
    if label.startswith("big:"):
        text = label[4:]
        d.text((cx, cy), text, font=font(SANS_BOLD, 11), fill=INK + (255,), anchor="mm")
    elif label.startswith("icon:"):
        _icon(d, label[5:], cx, cy)
    else:
        lines = label.split("/")
        total = len(lines) * 5 + (len(lines) - 1) * 2
        y = cy - total // 2
        for line in lines:
            _pixel_text(d, cx - (_pixel_text_width(line) + 1) // 2, y, line)
            y += 7


def _icon(d, name, cx, cy):
    ink = INK + (255,)
    if name in ("prev", "next", "home", "end"):
        s = -1 if name in ("prev", "home") else 1
        for k in range(5):
            x = cx - s * 2 + s * k
            d.line((x, cy - 4 + k, x, cy + 4 - k), fill=ink)
        if name in ("home", "end"):
            bx = cx - s * 4
            d.line((bx, cy - 4, bx, cy + 4), fill=ink)
    elif name.startswith("music"):
        nx = cx - 7
        d.ellipse((nx - 3, cy + 1, nx + 1, cy + 4), fill=ink)
        d.line((nx + 1, cy - 6, nx + 1, cy + 3), fill=ink)
        d.line((nx + 1, cy - 6, nx + 4, cy - 4), fill=ink)
        d.line((nx + 1, cy - 5, nx + 4, cy - 3), fill=ink)
        px = cx + 5
        d.line((px - 3, cy, px + 3, cy), fill=ink)
        d.line((px - 3, cy - 1, px + 3, cy - 1), fill=ink)
        if name.endswith("+"):
            d.line((px, cy - 4, px, cy + 3), fill=ink)
            d.line((px - 1, cy - 4, px - 1, cy + 3), fill=ink)


def _etched(d, x, y0, y1):
    d.line((x, y0, x, y1), fill=WELL_SHADE + (255,))
    d.line((x + 1, y0, x + 1, y1), fill=(255, 255, 255, 255))


def edit_menu(icons):
    """The panel. `icons` maps kind codes to pictures shown on the kind
    buttons (RGBA, any size)."""
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = _body(img)
    # groups: level packs | levels | file | placing | picture
    for x in (54, 146, 281):
        _etched(d, x, 56, 141)
    # the pack name is written between Home and End; the hint at the bottom
    _sunken(d, 173, 58, 254, 78)
    _sunken(d, 5, 146, 368, 169)
    for x0, x1, y0, y1, label in BUTTONS:
        _raised(d, x0, y0, x1, y1)
        _label(d, x0, y0, x1, y1, label)
    for kind, (x, y) in KIND_BUTTONS.items():
        _raised(d, x, y, x + KIND_SIZE - 1, y + KIND_SIZE - 1)
        icon = icons[kind].resize((KIND_SIZE - 4, KIND_SIZE - 4), Image.LANCZOS)
        img.alpha_composite(icon, (x + 2, y + 2))
    for (x, y, w, h) in (PREVIEW, BACKGROUND):
        # a dark sunken frame; the game draws the picture inside it
        d.rectangle((x - 2, y - 2, x + w + 1, y + h + 1), fill=(40, 36, 30, 255))
        d.rectangle((x - 2, y - 2, x + w + 1, y + h + 1), outline=WELL_SHADE + (255,))
        d.line((x - 2, y + h + 1, x + w + 1, y + h + 1), fill=(255, 255, 255, 255))
        d.line((x + w + 1, y - 2, x + w + 1, y + h + 1), fill=(255, 255, 255, 255))
    return img


def _dialog(buttons, field=False):
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = _body(img)
    if field:
        # the text typed is written in white from (40, 87); 260 pixels of
        # text and the cursor fit
        _sunken(d, 33, 83, 341, 106, fill=(28, 32, 46))
    for x0, x1 in buttons:
        _raised(d, x0, 124, x1, 154)
        d.line((x0 + 2, 152, x1 - 2, 152), fill=(200, 190, 170, 255))
    return img


def edit_dial():
    """The question: two buttons."""
    return _dialog([(34, 159), (195, 320)])


def edit_dial1():
    """The message: one button."""
    return _dialog([(115, 240)])


def edit_input():
    """The text entry: the field and one button."""
    return _dialog([(115, 240)], field=True)


def edit_select():
    """The highlight frame. The game draws it at 17 x 17 and 51 x 38 with
    nearest filtering and as the cursor over a whole tile: a 4-texel border
    in 64 texels stays at least one pixel wide at every one of those sizes."""
    img = Image.new("RGBA", (64, 64), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, 63, 63), outline=(255, 214, 0, 255), width=4)
    d.rectangle((4, 4, 59, 59), outline=(255, 240, 150, 110), width=2)
    return img
