"""The two fonts: the bitmap font ("standard.tga" with its metrics
"standard.dat") and the tile font, a texture-pack set of 38 frames.

Bitmap font layout, as the game reads it:
- the picture is a 16 x 16 grid of 16 x 16 pixel cells; character code c
  sits in cell row c // 16 (counted from the top) and column c % 16;
- it is an uncompressed 32-bit TGA with the bottom row stored first, and
  the game keeps the file's row order;
- the game draws text with the blend function one / one-minus-source-alpha,
  so the glyphs are stored premultiplied: white ink at coverage a is the
  pixel (a, a, a, a);
- "standard.dat" holds 256 records of four little-endian int32 values:
  advance width, unused, left offset, unused. The game adds 2 pixels of
  spacing after every glyph and shifts a glyph's cell left by its offset.

Characters are decoded as Windows-1252. Codes 18, 26 and 27 carry arrows
(up-down, right, left) for the editor's hint line.
"""

import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from common import SANS_BOLD, SANS_CONDENSED_BOLD, font, vertical_gradient, with_alpha

CELL = 16
GRID = 16
SPACING = 2          # added by the game after every glyph
BASELINE = 12        # pixel row of the baseline inside a cell
TEXT_SIZE = 11       # DejaVu Sans Bold pixel size

SPECIAL = {18: "\u2195", 26: "\u2192", 27: "\u2190"}


def character(code):
    """The character shown for a code, or None for an empty cell."""
    if code in SPECIAL:
        return SPECIAL[code]
    if code < 32 or code == 127:
        return None
    try:
        ch = bytes([code]).decode("cp1252")
    except UnicodeDecodeError:
        return None
    if code == 0xAD:       # soft hyphen: show it as a hyphen
        return "-"
    return ch


def _render_glyph(ch):
    """The glyph's coverage in a cell, its pen position in that cell and its
    advance. Glyphs too wide for a cell are drawn smaller until they fit."""
    size = TEXT_SIZE
    while True:
        fnt = font(SANS_BOLD, size)
        scratch = Image.new("L", (64, 32), 0)
        ImageDraw.Draw(scratch).text((24, BASELINE), ch, font=fnt, fill=255, anchor="ls")
        box = scratch.getbbox()
        advance = fnt.getlength(ch)
        if box is None:
            return Image.new("L", (CELL, CELL), 0), 0, advance
        left, right = box[0] - 24, box[2] - 24
        pen = max(0, -left)
        if pen + right <= CELL or size <= 7:
            cell = Image.new("L", (CELL, CELL), 0)
            ImageDraw.Draw(cell).text((pen, BASELINE), ch, font=fnt, fill=255, anchor="ls")
            return cell, pen, advance
        size -= 1


def bitmap_font():
    """Returns (picture bytes as a TGA file, metrics bytes)."""
    sheet = Image.new("L", (CELL * GRID, CELL * GRID), 0)
    records = []
    for code in range(256):
        ch = character(code)
        width, offset = 0, 0
        if ch is not None:
            cell, pen, advance = _render_glyph(ch)
            sheet.paste(cell, ((code % GRID) * CELL, (code // GRID) * CELL))
            # the game steps width + spacing; the font's own advance already
            # holds its side bearings, so the spacing comes off it
            width = max(1, int(round(advance)) - SPACING)
            offset = pen
        records.append(struct.pack("<iiii", width, 0, offset, 0))
    metrics = b"".join(records)
    return tga_bytes(premultiplied_white(sheet)), metrics


def premultiplied_white(coverage):
    return Image.merge("RGBA", (coverage, coverage, coverage, coverage))


def tga_bytes(img):
    """An uncompressed 32-bit true-colour TGA: no image ID, no colour map,
    origin (0, 0), rows bottom first, pixels as B, G, R, A."""
    w, h = img.size
    header = bytes([0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0]) + struct.pack("<HHBB", w, h, 32, 8)
    r, g, b, a = img.split()
    bgra = Image.merge("RGBA", (b, g, r, a)).transpose(Image.FLIP_TOP_BOTTOM)
    return header + bgra.tobytes()


# -------------------------------------------------------------- tile font --

TILE_W, TILE_H = 47, 59      # the size the game draws a glyph at
TILE_ADVANCE = 35            # the smallest advance the game uses
TILE_PICTURE = (64, 128)     # frame picture size: above the drawn 47 x 59 on both axes
TILE_GLYPHS = "0123456789abcdefghijklmnopqrstuvwxyz:|"
SS = 8                       # supersampling of the glyph design


def tile_font_frames():
    """38 frames: digits, letters a-z (drawn as capitals), colon and the
    cursor bar. Each is designed in the 47 x 59 box the game draws it in;
    ink, outline and shadow stay inside the middle 35 columns so neighbours
    never overlap (overlapping glyphs at one depth would hide each other)."""
    return [_tile_glyph(ch) for ch in TILE_GLYPHS]


def _tile_glyph(ch):
    w, h = TILE_W * SS, TILE_H * SS
    outline = 2.6 * SS
    shadow = int(2 * SS)
    max_ink_w = (TILE_ADVANCE - 2) * SS - 2 * outline - shadow
    cap_top, cap_bottom = 9 * SS, 50 * SS
    mask = Image.new("L", (w, h), 0)
    if ch == "|":
        ImageDraw.Draw(mask).rectangle((w // 2 - 3 * SS, cap_top - 2 * SS, w // 2 + 3 * SS, cap_bottom + 3 * SS),
                                       fill=255)
    else:
        glyph = ch.upper()
        fnt = font(SANS_CONDENSED_BOLD, 400)
        scratch = Image.new("L", (700, 700), 0)
        ImageDraw.Draw(scratch).text((100, 550), glyph, font=fnt, fill=255, anchor="ls")
        cap = Image.new("L", (700, 700), 0)
        ImageDraw.Draw(cap).text((100, 550), "H", font=fnt, fill=255, anchor="ls")
        cap_box = cap.getbbox()
        box = scratch.getbbox()
        ink = scratch.crop(box)
        scale = (cap_bottom - cap_top) / (cap_box[3] - cap_box[1])
        iw, ih = ink.size[0] * scale, ink.size[1] * scale
        if iw > max_ink_w:
            iw = max_ink_w          # wide letters (M, W) are narrowed
        ink = ink.resize((max(1, int(iw)), max(1, int(ih))), Image.LANCZOS)
        top = cap_top + (box[1] - cap_box[1]) * scale
        mask.paste(ink, (int((w - ink.size[0]) / 2 - shadow / 2), int(top)))
    ring = mask.filter(ImageFilter.GaussianBlur(outline * 0.55)).point(lambda v: min(255, v * 6))
    fill_rgb = vertical_gradient((w, h), [(0.0, (255, 255, 255)), (0.5, (250, 250, 250)),
                                          (1.0, (196, 196, 196))])
    glyph_img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    shade = ring.filter(ImageFilter.GaussianBlur(SS))
    shadow_layer = Image.new("L", (w, h), 0)
    shadow_layer.paste(shade.point(lambda v: v * 6 // 10), (shadow, shadow))
    glyph_img = Image.alpha_composite(glyph_img, with_alpha(Image.new("RGB", (w, h), (0, 0, 0)), shadow_layer))
    glyph_img = Image.alpha_composite(glyph_img, with_alpha(Image.new("RGB", (w, h), (16, 16, 24)), ring))
    glyph_img = Image.alpha_composite(glyph_img, with_alpha(fill_rgb, mask))
    # keep the sides clear: nothing outside the middle advance may show
    keep = Image.new("L", (w, h), 0)
    margin = (TILE_W - TILE_ADVANCE) * SS // 2
    ImageDraw.Draw(keep).rectangle((margin, 0, w - margin, h), fill=255)
    glyph_img.putalpha(ImageChops.multiply(glyph_img.getchannel("A"), keep))
    return glyph_img.resize(TILE_PICTURE, Image.LANCZOS)

