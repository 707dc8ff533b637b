"""Full-screen pictures: the start-up logo, the two menu frames, the
missing-picture image and the grey dimming overlay.

The menu frames ("opening.png" and "endgame.png") are drawn over the live
board with the menu lines on top. Menu text drawn at the frame's own depth
loses its shadow wherever the frame has any alpha at all, so the whole area
where menu lines and text pages go is left exactly transparent:
- centred menus run from y 236 to 590 (at 1024 x 768), text pages from
  about 268 to 520;
- screens using the lower part put their lines from y 532 to the bottom.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import balls
import objects
import surfaces
from common import (SANS_BOLD, Canvas, checker, colorize, font, fractal_noise, glow, seeded, vertical_gradient,
                    with_alpha)

SCREEN_W, SCREEN_H = 1024, 768


# ----------------------------------------------------------------- title ---

def title_art(size):
    """The words "Zindrop 7" with the o of "drop" drawn as the ball: gold
    letters, a red 7, dark outline, a short extrusion and a soft shadow."""
    fnt = font(SANS_BOLD, size)
    left, right, seven = "Zindr", "p", "7"
    ascent, descent = fnt.getmetrics()
    ball_d = int(size * 0.62)
    gap = int(size * 0.04)
    w_left = fnt.getlength(left)
    w_right = fnt.getlength(right)
    w_space = fnt.getlength(" ")
    w_seven = fnt.getlength(seven)
    pad = int(size * 0.25)
    width = int(w_left + gap + ball_d + gap + w_right + w_space + w_seven) + 2 * pad
    height = ascent + descent + 2 * pad
    baseline = pad + ascent
    gold = Image.new("L", (width, height), 0)
    red = Image.new("L", (width, height), 0)
    dg, dr = ImageDraw.Draw(gold), ImageDraw.Draw(red)
    x = pad
    dg.text((x, baseline), left, font=fnt, fill=255, anchor="ls")
    x += w_left + gap
    ball_x = int(x)
    x += ball_d + gap
    dg.text((x, baseline), right, font=fnt, fill=255, anchor="ls")
    x += w_right + w_space
    dr.text((x, baseline), seven, font=fnt, fill=255, anchor="ls")
    ball_img = balls.render_ball("classic", ball_d + 4, ball_d / 2, 0.35)
    ball_layer = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    ball_layer.paste(ball_img, (ball_x - 2, baseline - ball_d - 2))
    shapes = ImageChops.lighter(ImageChops.lighter(gold, red), ball_layer.getchannel("A"))
    thick = max(2.0, size * 0.05)
    outline = shapes.filter(ImageFilter.GaussianBlur(thick * 0.6)).point(lambda v: min(255, v * 5))
    out = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    shadow = outline.filter(ImageFilter.GaussianBlur(size * 0.05)).point(lambda v: v * 6 // 10)
    sh = Image.new("L", (width, height), 0)
    depth = int(size * 0.08)
    sh.paste(shadow, (depth, depth))
    out = Image.alpha_composite(out, with_alpha(Image.new("RGB", out.size, (0, 0, 0)), sh))
    for k in range(depth // 2, 0, -1):
        layer = Image.new("L", (width, height), 0)
        layer.paste(outline, (k, k))
        out = Image.alpha_composite(out, with_alpha(Image.new("RGB", out.size, (96, 40, 12)), layer))
    out = Image.alpha_composite(out, with_alpha(Image.new("RGB", out.size, (40, 16, 6)), outline))
    gold_fill = vertical_gradient(out.size, [(0.0, (255, 250, 190)), (0.45, (255, 214, 70)),
                                             (0.75, (240, 140, 24)), (1.0, (200, 90, 10))])
    red_fill = vertical_gradient(out.size, [(0.0, (255, 170, 150)), (0.45, (240, 60, 50)),
                                            (1.0, (160, 16, 20))])
    out = Image.alpha_composite(out, with_alpha(gold_fill, gold))
    out = Image.alpha_composite(out, with_alpha(red_fill, red))
    out = Image.alpha_composite(out, ball_layer)
    return out.crop(out.getbbox())


# ------------------------------------------------------------------ logo ---

def logo():
    """The start-up screen. The bottom stays pale: the loading caption is
    written there in blue."""
    rnd = seeded("logo")
    sky = vertical_gradient((SCREEN_W, SCREEN_H), [(0.0, (58, 118, 196)), (0.55, (150, 196, 236)),
                                                   (1.0, (236, 244, 252))])
    cl = surfaces.clouds(rnd, 256, cells=4, cover=0.6).resize((SCREEN_W, SCREEN_H), Image.BICUBIC)
    img = Image.composite(Image.new("RGB", sky.size, (250, 252, 255)), sky, cl.point(lambda v: v * 7 // 10))
    img = img.convert("RGBA")
    board = _logo_board()
    img.alpha_composite(board, ((SCREEN_W - board.size[0]) // 2, 420))
    title = title_art(150)
    img.alpha_composite(title, ((SCREEN_W - title.size[0]) // 2, 110))
    return img.convert("RGB")


def _logo_board():
    """A strip of board seen from above: floor, a hole the ball jumps over,
    walls, a flag and the exit."""
    t = 96
    ground = surfaces.ground("classic", "grass").resize((t, t), Image.LANCZOS)
    stone = surfaces.ground("classic", "stone").resize((t, t), Image.LANCZOS)
    brick = surfaces.wall("classic", "brick").resize((t, t), Image.LANCZOS)
    flag = objects.flag_frames("classic")[3].resize((t, t), Image.LANCZOS)
    exit_ = objects.exit_frames("classic")[0].resize((t, t), Image.LANCZOS)
    layout = ["WWWWWWWWW",
              "G.GGSSSGG",
              "WWWWWWWWW"]
    w = len(layout[0]) * t
    board = Image.new("RGBA", (w, len(layout) * t), (0, 0, 0, 0))
    for r, row in enumerate(layout):
        for c, cell in enumerate(row):
            pos = (c * t, r * t)
            if cell == "W":
                board.paste(brick, pos)
            elif cell == "G":
                board.paste(ground, pos)
            elif cell == "S":
                board.paste(stone, pos)
    board.alpha_composite(flag, (5 * t, t))
    board.alpha_composite(exit_, (8 * t, t))
    shadowed = Image.new("RGBA", (w + 40, board.size[1] + 40), (0, 0, 0, 0))
    a = board.getchannel("A").filter(ImageFilter.GaussianBlur(8)).point(lambda v: v // 2)
    sh = Image.new("L", shadowed.size, 0)
    sh.paste(a, (22, 22))
    shadowed = Image.alpha_composite(shadowed, with_alpha(Image.new("RGB", shadowed.size, (20, 30, 60)), sh))
    shadowed.alpha_composite(board, (0, 0))
    # the ball in mid-jump over the hole, with its shadow on the far floor
    ball_shadow = balls.shadow("classic").resize((t, t), Image.LANCZOS)
    shadowed.alpha_composite(ball_shadow, (2 * t + 10, t + 12))
    ball = balls.render_ball("classic", 132, 62, 0.8)
    shadowed.alpha_composite(ball, (t - 10, t - 50))
    return shadowed


# ---------------------------------------------------------- menu frames ---

def _frame():
    """A wooden frame around the screen's edge with a soft inner shade."""
    img = Image.new("RGBA", (SCREEN_W, SCREEN_H), (0, 0, 0, 0))
    border = 22
    shade = Image.new("L", (SCREEN_W, SCREEN_H), 0)
    d = ImageDraw.Draw(shade)
    # a soft shade just inside the frame, gone well before the text area
    d.rectangle((0, 0, SCREEN_W, SCREEN_H), fill=120)
    d.rectangle((border + 4, border + 4, SCREEN_W - border - 5, SCREEN_H - border - 5), fill=0)
    shade = shade.filter(ImageFilter.GaussianBlur(10))
    img = Image.alpha_composite(img, with_alpha(Image.new("RGB", img.size, (10, 14, 30)), shade))
    wood = colorize(_wood_grain(), [(0.0, (104, 62, 30)), (0.5, (150, 96, 50)), (1.0, (186, 130, 74))])
    ring = Image.new("L", img.size, 0)
    rd = ImageDraw.Draw(ring)
    rd.rectangle((0, 0, SCREEN_W, SCREEN_H), fill=255)
    rd.rounded_rectangle((border, border, SCREEN_W - border - 1, SCREEN_H - border - 1), radius=18, fill=0)
    img = Image.alpha_composite(img, with_alpha(wood, ring))
    lines = Canvas(SCREEN_W, SCREEN_H, k=2)
    lines.rounded((border - 1, border - 1, SCREEN_W - border, SCREEN_H - border), 19,
                  outline=(250, 214, 120, 255), width=3)
    lines.rounded((4, 4, SCREEN_W - 5, SCREEN_H - 5), 6, outline=(60, 30, 10, 255), width=3)
    img = Image.alpha_composite(img, lines.result())
    for cx, cy in ((border / 2, border / 2), (SCREEN_W - border / 2, border / 2),
                   (border / 2, SCREEN_H - border / 2), (SCREEN_W - border / 2, SCREEN_H - border / 2)):
        stud = Canvas(SCREEN_W, SCREEN_H, k=2)
        stud.ellipse((cx - 8, cy - 8, cx + 8, cy + 8), fill=(255, 214, 90, 255), outline=(90, 50, 10, 255),
                     width=2)
        stud.ellipse((cx - 4, cy - 5, cx + 1, cy - 1), fill=(255, 250, 210, 255))
        img = Image.alpha_composite(img, stud.result())
    return img


def _wood_grain():
    rnd = seeded("frame wood")
    n = fractal_noise(256, rnd, base_cells=4, octaves=4)
    streaks = n.resize((16, 256)).resize((SCREEN_W, SCREEN_H), Image.BICUBIC)
    across = n.resize((256, 16)).resize((SCREEN_W, SCREEN_H), Image.BICUBIC)
    return Image.blend(streaks, across, 0.5)


def _banner(img, y0, y1, title_size, sparkle):
    title = title_art(title_size)
    x0 = (SCREEN_W - title.size[0]) // 2 - 44
    x1 = SCREEN_W - x0
    box = (x0, y0, x1, y1)
    plaque = Canvas(SCREEN_W, SCREEN_H, k=2)
    plaque.rounded(box, 26, fill=(22, 34, 84, 215), outline=(250, 214, 120, 255), width=4)
    plaque.rounded((x0 + 8, y0 + 8, x1 - 8, y1 - 8), 20, outline=(120, 150, 230, 160), width=2)
    layer = plaque.result()
    a = layer.getchannel("A").filter(ImageFilter.GaussianBlur(10)).point(lambda v: v // 2)
    sh = Image.new("L", layer.size, 0)
    sh.paste(a, (6, 8))
    img = Image.alpha_composite(img, with_alpha(Image.new("RGB", img.size, (0, 0, 0)), sh))
    img = Image.alpha_composite(img, layer)
    tx = (SCREEN_W - title.size[0]) // 2
    ty = (y0 + y1) // 2 - title.size[1] // 2
    img.alpha_composite(title, (tx, ty))
    if sparkle:
        rnd = seeded("banner sparkles")
        c = Canvas(SCREEN_W, SCREEN_H, k=2)
        for _ in range(26):
            side = rnd.choice((-1, 1))
            x = SCREEN_W / 2 + side * rnd.uniform((x1 - x0) / 2 + 18, (x1 - x0) / 2 + 150)
            y = rnd.uniform(y0 + 4, y1 - 4)
            r = rnd.uniform(5, 15)
            col = rnd.choice([(255, 236, 120), (255, 255, 255), (255, 150, 120), (150, 220, 255)])
            pts = []
            for k in range(8):
                rr = r if k % 2 == 0 else r * 0.3
                ang = math.pi * k / 4
                pts.append((x + rr * math.cos(ang), y + rr * math.sin(ang)))
            c.polygon(pts, fill=col + (255,))
        img = Image.alpha_composite(img, glow(c.result(), 4, (255, 230, 150), strength=0.9))
    return img


def _clear_text_area(img, top):
    """Alpha exactly 0 from `top` down to the bottom border, between the
    side borders."""
    alpha = img.getchannel("A")
    ImageDraw.Draw(alpha).rectangle((90, top, SCREEN_W - 91, SCREEN_H - 61), fill=0)
    img.putalpha(alpha)
    return img


def opening():
    img = _banner(_frame(), 34, 184, 88, sparkle=False)
    return _clear_text_area(img, 226)


def endgame():
    """The title and result screens' frame: a large banner with sparkles;
    the middle and the lower part stay clear for the lines."""
    img = _banner(_frame(), 30, 210, 112, sparkle=True)
    return _clear_text_area(img, 228)


# ------------------------------------------------------------ small ones ---

def notex():
    """Shown for anything without a picture: loud magenta and black."""
    img = checker((64, 64), 16, (255, 0, 255), (0, 0, 0)).convert("RGBA")
    c = Canvas(64, 64)
    c.ellipse((14, 14, 50, 50), fill=(255, 255, 255, 255), outline=(0, 0, 0, 255), width=3)
    img = Image.alpha_composite(img, c.result())
    d = ImageDraw.Draw(img)
    d.text((32, 33), "?", font=font(SANS_BOLD, 30), fill=(220, 0, 40), anchor="mm")
    return img.convert("RGB")


def editgray():
    """Dims whatever lies behind a dialog, the picker or the level text."""
    return Image.new("RGBA", (16, 16), (20, 22, 30, 150))


# ------------------------------------------------------------------ icon ---

def icon():
    """The desktop icon, 256 x 256: the ball on a tile of grass inside a
    rounded wooden frame, with the red 7 of the title in the corner."""
    size = 256
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    mask = Image.new("L", (size, size), 0)
    ImageDraw.Draw(mask).rounded_rectangle((8, 8, size - 9, size - 9), radius=44, fill=255)
    wood = vertical_gradient((size, size), [(0.0, (196, 130, 64)), (1.0, (112, 64, 26))])
    img.paste(wood, (0, 0), mask)
    inner = Image.new("L", (size, size), 0)
    ImageDraw.Draw(inner).rounded_rectangle((26, 26, size - 27, size - 27), radius=30, fill=255)
    grass = colorize(fractal_noise(size, seeded("icon"), base_cells=6),
                     [(0.0, (38, 104, 30)), (0.5, (76, 156, 52)), (1.0, (128, 196, 84))])
    img.paste(grass, (0, 0), inner)
    shadow = Image.new("L", (size, size), 0)
    ImageDraw.Draw(shadow).ellipse((78, 90, 206, 218), fill=150)
    shadow = shadow.filter(ImageFilter.GaussianBlur(8))
    img.alpha_composite(with_alpha(Image.new("RGB", (size, size), (0, 0, 0)), shadow))
    ball = balls.render_ball("classic", 136, 66, 0.35)
    img.alpha_composite(ball, (56, 60))
    seven = title_art(120)
    seven = seven.crop((seven.size[0] - int(seven.size[0] * 0.16), 0, seven.size[0], seven.size[1]))
    seven = seven.crop(seven.getbbox())
    img.alpha_composite(seven, (size - seven.size[0] - 30, size - seven.size[1] - 26))
    return img
