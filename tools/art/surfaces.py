"""Opaque surfaces: ground, walls, the moving platform and the backgrounds.

Ground repeats seamlessly from tile to tile; walls carry a bevel so they
read as raised blocks; backgrounds fill the screen behind the board and show
through every hole, so they are darker or bluer than any floor.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from common import (Canvas, apply_light, bevel, colorize, fractal_noise, light_from_height,
                    multiply_gray, seeded, smoothstep, speckle, value_noise, vertical_gradient,
                    wrapped)

TILE = 128
BACK = 512


# ---------------------------------------------------------------- ground ---

def ground(style, name):
    return {"classic": _classic_ground, "neon": _neon_ground}[style](name)


def _classic_ground(name):
    rnd = seeded("ground", "classic", name)
    if name == "grass":
        n = fractal_noise(TILE, rnd, base_cells=4, octaves=5)
        img = colorize(n, [(0.0, (46, 94, 30)), (0.5, (76, 138, 46)), (1.0, (118, 170, 62))])
        blades = Image.new("RGBA", (TILE * 3, TILE * 3), (0, 0, 0, 0))
        d = ImageDraw.Draw(blades)
        for _ in range(900):
            x, y = rnd.uniform(0, TILE), rnd.uniform(0, TILE)
            ang = rnd.uniform(-2.2, -0.9)
            ln = rnd.uniform(4, 9)
            shade = rnd.choice([(140, 196, 80, 200), (40, 84, 26, 190), (104, 160, 58, 220)])
            for ox in (0, TILE, 2 * TILE):
                for oy in (0, TILE, 2 * TILE):
                    d.line((x + ox, y + oy, x + ox + ln * math.cos(ang), y + oy + ln * math.sin(ang)),
                           fill=shade, width=1)
        blades = blades.crop((TILE, TILE, 2 * TILE, 2 * TILE))
        img = Image.alpha_composite(img.convert("RGBA"), blades).convert("RGB")
        dots = speckle(TILE, rnd, 0.0006, radius=1)
        flower = Image.new("RGB", (TILE, TILE), (250, 236, 120))
        img.paste(flower, mask=dots)
        return img
    if name == "stone":
        return _flagstones(rnd)
    if name == "sand":
        n = fractal_noise(TILE, rnd, base_cells=4, octaves=5)
        warp = fractal_noise(TILE, rnd, base_cells=2, octaves=3)
        ripple = Image.new("L", (TILE, TILE))
        px, wp = ripple.load(), warp.load()
        for y in range(TILE):
            for x in range(TILE):
                phase = 2 * math.pi * (3 * x + 5 * y) / TILE + (wp[x, y] / 255) * 5.0
                px[x, y] = int(128 + 50 * math.sin(phase))
        light = light_from_height(wrapped(ripple, lambda im: im.filter(ImageFilter.GaussianBlur(1))), 0.8)
        img = colorize(n, [(0.0, (196, 160, 98)), (0.6, (222, 190, 128)), (1.0, (238, 214, 160))])
        img = apply_light(img, light)
        grains = speckle(TILE, rnd, 0.02, radius=0)
        img.paste((170, 134, 84), mask=grains.point(lambda v: v // 2))
        return img
    raise KeyError(name)


def _flagstones(rnd):
    """Irregular slabs laid in rows; each row is offset so no joint lines up."""
    height = Image.new("L", (TILE, TILE), 0)
    tone = Image.new("L", (TILE, TILE), 0)
    dh, dt = ImageDraw.Draw(height), ImageDraw.Draw(tone)
    rows = [0, 44, 86, TILE]
    for r in range(3):
        y0, y1 = rows[r], rows[r + 1]
        shift = rnd.randrange(0, TILE)
        x = 0
        widths = []
        while x < TILE:
            w = rnd.choice([38, 42, 46, 50])
            if TILE - x - w < 30:
                w = TILE - x
            widths.append((x, w))
            x += w
        for x0, w in widths:
            v = rnd.randrange(150, 230)
            for ox in (-TILE, 0, TILE):
                sx = x0 + shift + ox
                box = (sx + 2, y0 + 2, sx + w - 3, y1 - 3)
                dh.rounded_rectangle(box, radius=4, fill=220)
                dt.rectangle((sx, y0, sx + w - 1, y1 - 1), fill=v)
    height = wrapped(height, lambda im: im.filter(ImageFilter.GaussianBlur(1.6)))
    light = light_from_height(height, 0.22)
    n = fractal_noise(TILE, rnd, base_cells=8, octaves=4)
    base = colorize(n, [(0.0, (118, 114, 106)), (1.0, (170, 166, 156))])
    base = multiply_gray(base, tone.point(lambda v: 200 + (v - 150) // 2))
    base = apply_light(base, light)
    mortar = height.point(lambda v: 255 if v < 70 else 0).filter(ImageFilter.GaussianBlur(0.6))
    base.paste((72, 68, 60), mask=mortar)
    return base


def _neon_ground(name):
    rnd = seeded("ground", "neon", name)
    if name == "grass":
        n = fractal_noise(TILE, rnd, base_cells=4, octaves=4)
        img = colorize(n, [(0.0, (6, 20, 12)), (1.0, (14, 44, 26))])
        return _neon_grid(img, 32, (60, 255, 140), rnd, dots=True)
    if name == "stone":
        n = fractal_noise(TILE, rnd, base_cells=8, octaves=4)
        img = colorize(n, [(0.0, (14, 16, 30)), (1.0, (30, 36, 60))])
        return _neon_grid(img, 64, (70, 200, 255), rnd, dots=False, inset=True)
    if name == "sand":
        n = fractal_noise(TILE, rnd, base_cells=4, octaves=5)
        img = colorize(n, [(0.0, (30, 14, 36)), (1.0, (58, 28, 62))])
        dots = Image.new("L", (TILE, TILE), 0)
        d = ImageDraw.Draw(dots)
        for y in range(0, TILE, 16):
            for x in range(0, TILE, 16):
                off = 8 if (y // 16) % 2 else 0
                cx = (x + off) % TILE + 4
                d.ellipse((cx - 2, y + 6, cx + 2, y + 10), fill=255)
        halo = wrapped(dots, lambda im: im.filter(ImageFilter.GaussianBlur(3)))
        img = ImageChops.add(img, colorize(halo, [(0, (0, 0, 0)), (1, (120, 60, 10))]))
        img.paste((255, 176, 60), mask=dots)
        return img
    raise KeyError(name)


def _neon_grid(base, period, colour, rnd, dots, inset=False):
    lines = Image.new("L", (TILE, TILE), 0)
    d = ImageDraw.Draw(lines)
    for k in range(0, TILE, period):
        d.line((k, 0, k, TILE), fill=255, width=2)
        d.line((0, k, TILE, k), fill=255, width=2)
    if inset:
        for y in range(0, TILE, period):
            for x in range(0, TILE, period):
                d.rectangle((x + 6, y + 6, x + period - 7, y + period - 7), outline=90, width=1)
    halo = wrapped(lines, lambda im: im.filter(ImageFilter.GaussianBlur(3)))
    dim = tuple(c // 2 for c in colour)
    img = ImageChops.add(base, colorize(halo, [(0, (0, 0, 0)), (1, dim)]))
    img = ImageChops.add(img, colorize(lines, [(0, (0, 0, 0)), (1, colour)]))
    if dots:
        d = ImageDraw.Draw(img)
        for y in range(0, TILE + 1, period):
            for x in range(0, TILE + 1, period):
                d.ellipse((x - 2, y - 2, x + 2, y + 2), fill=(220, 255, 230))
    return img


# ----------------------------------------------------------------- walls ---

def wall(style, name):
    return {"classic": _classic_wall, "neon": _neon_wall}[style](name)


def _bricks(rnd, course=16, length=32, mortar=2):
    """Height map and per-brick tone of a running bond that tiles."""
    height = Image.new("L", (TILE, TILE), 0)
    tone = Image.new("L", (TILE, TILE), 128)
    dh, dt = ImageDraw.Draw(height), ImageDraw.Draw(tone)
    for row in range(TILE // course):
        y = row * course
        off = (length // 2) * (row % 2)
        for b in range(TILE // length + 1):
            x = b * length - off
            v = rnd.randrange(90, 170)
            for ox in (-TILE, 0, TILE):
                dh.rectangle((x + ox + mortar, y + mortar, x + ox + length - 1, y + course - 1), fill=230)
                dt.rectangle((x + ox, y, x + ox + length - 1, y + course - 1), fill=v)
    height = wrapped(height, lambda im: im.filter(ImageFilter.GaussianBlur(1.0)))
    return height, tone


def _classic_wall(name):
    rnd = seeded("wall", "classic", name)
    if name == "brick":
        height, tone = _bricks(rnd)
        n = fractal_noise(TILE, rnd, base_cells=8, octaves=4)
        img = colorize(n, [(0.0, (124, 48, 32)), (0.5, (160, 66, 42)), (1.0, (186, 92, 60))])
        img = multiply_gray(img, tone.point(lambda v: 150 + v // 2))
        mortar = height.point(lambda v: 255 if v < 110 else 0)
        img.paste((170, 160, 146), mask=mortar.filter(ImageFilter.GaussianBlur(0.5)))
        img = apply_light(img, light_from_height(height, 0.25))
        return _raise(img, 6)
    if name == "hedge":
        img = Image.new("RGB", (TILE * 3, TILE * 3), (18, 48, 16))
        d = ImageDraw.Draw(img)
        palette = [(34, 86, 28), (48, 110, 36), (64, 132, 44), (86, 156, 56), (28, 70, 24)]
        leaves = []
        for _ in range(700):
            leaves.append((rnd.uniform(0, TILE), rnd.uniform(0, TILE), rnd.uniform(0, math.pi),
                           rnd.uniform(3, 6), rnd.choice(palette)))
        for x, y, a, r, col in leaves:
            for ox in (0, TILE, 2 * TILE):
                for oy in (0, TILE, 2 * TILE):
                    cx, cy = x + ox, y + oy
                    dx, dy = math.cos(a) * r, math.sin(a) * r
                    d.polygon([(cx - dx, cy - dy), (cx - dy * 0.45, cy + dx * 0.45), (cx + dx, cy + dy),
                               (cx + dy * 0.45, cy - dx * 0.45)], fill=col)
        img = img.crop((TILE, TILE, 2 * TILE, 2 * TILE))
        clumps = fractal_noise(TILE, rnd, base_cells=4, octaves=3)
        img = apply_light(img, light_from_height(clumps.filter(ImageFilter.GaussianBlur(2)), 0.35))
        return _raise(img, 10, light=50, dark=90)
    if name == "metal":
        n = value_noise(TILE, 64, rnd).resize((TILE, 8)).resize((TILE, TILE), Image.BILINEAR)
        brushed = Image.blend(fractal_noise(TILE, rnd, base_cells=4, octaves=3), n, 0.5)
        img = colorize(brushed, [(0.0, (112, 120, 130)), (1.0, (168, 176, 186))])
        c = Canvas(TILE, TILE)
        c.rectangle((0, 62, TILE, 66), fill=(70, 76, 86, 255))
        c.rectangle((62, 0, 66, TILE), fill=(70, 76, 86, 255))
        for cx in (16, 48, 80, 112):
            for cy in (16, 48, 80, 112):
                c.ellipse((cx - 4, cy - 4, cx + 4, cy + 4), fill=(90, 96, 106, 255))
                c.ellipse((cx - 3, cy - 3.5, cx + 2, cy + 1), fill=(214, 220, 228, 255))
        img = Image.alpha_composite(img.convert("RGBA"), c.result()).convert("RGB")
        return _raise(img, 7, light=80, dark=80)
    raise KeyError(name)


def _raise(img, width, light=70, dark=80):
    return apply_light(img, bevel(TILE, width, light, dark))


def _neon_wall(name):
    rnd = seeded("wall", "neon", name)
    if name == "brick":
        height, tone = _bricks(rnd, course=32, length=64, mortar=3)
        n = fractal_noise(TILE, rnd, base_cells=8, octaves=3)
        img = colorize(n, [(0.0, (26, 10, 34)), (1.0, (48, 20, 60))])
        img = multiply_gray(img, tone.point(lambda v: 170 + v // 3))
        edges = height.point(lambda v: 255 if 60 < v < 170 else 0)
        halo = wrapped(edges, lambda im: im.filter(ImageFilter.GaussianBlur(2.5)))
        img = ImageChops.add(img, colorize(halo, [(0, (0, 0, 0)), (1, (150, 20, 120))]))
        img = ImageChops.add(img, colorize(edges, [(0, (0, 0, 0)), (1, (255, 80, 220))]))
        return _neon_frame(img, (255, 90, 230))
    if name == "hedge":
        n = fractal_noise(TILE, rnd, base_cells=4, octaves=3)
        img = colorize(n, [(0.0, (6, 26, 16)), (1.0, (16, 46, 30))])
        traces = Image.new("L", (TILE * 3, TILE * 3), 0)
        d = ImageDraw.Draw(traces)
        for _ in range(26):
            x, y = rnd.randrange(4) * 32 + 16, rnd.randrange(4) * 32 + 16
            pts = [(x, y)]
            for _ in range(rnd.randrange(2, 5)):
                dx, dy = rnd.choice([(1, 0), (0, 1), (-1, 0), (0, -1), (1, 1), (1, -1)])
                step = rnd.choice([16, 24, 32])
                x, y = x + dx * step, y + dy * step
                pts.append((x, y))
            for ox in (0, TILE, 2 * TILE):
                for oy in (0, TILE, 2 * TILE):
                    q = [(px + ox, py + oy) for px, py in pts]
                    d.line(q, fill=255, width=2)
                    d.ellipse((q[0][0] - 3, q[0][1] - 3, q[0][0] + 3, q[0][1] + 3), fill=255)
                    d.ellipse((q[-1][0] - 3, q[-1][1] - 3, q[-1][0] + 3, q[-1][1] + 3), outline=255)
        traces = traces.crop((TILE, TILE, 2 * TILE, 2 * TILE))
        halo = wrapped(traces, lambda im: im.filter(ImageFilter.GaussianBlur(3)))
        img = ImageChops.add(img, colorize(halo, [(0, (0, 0, 0)), (1, (20, 130, 60))]))
        img = ImageChops.add(img, colorize(traces, [(0, (0, 0, 0)), (1, (90, 255, 150))]))
        return _neon_frame(img, (90, 255, 150))
    if name == "metal":
        n = value_noise(TILE, 64, rnd).resize((TILE, 6)).resize((TILE, TILE), Image.BILINEAR)
        img = colorize(Image.blend(fractal_noise(TILE, rnd, 4, 3), n, 0.6),
                       [(0.0, (34, 40, 52)), (1.0, (74, 84, 102))])
        c = Canvas(TILE, TILE)
        for cx in (20, 108):
            for cy in (20, 108):
                c.ellipse((cx - 6, cy - 6, cx + 6, cy + 6), fill=(40, 200, 255, 110))
                c.ellipse((cx - 3, cy - 3, cx + 3, cy + 3), fill=(200, 250, 255, 255))
        c.rounded((34, 34, 94, 94), 8, outline=(60, 180, 255, 255), width=2)
        img = Image.alpha_composite(img.convert("RGBA"), c.result()).convert("RGB")
        return _neon_frame(img, (60, 190, 255))
    raise KeyError(name)


def _neon_frame(img, colour):
    """A bevel plus a glowing rim: neon walls read as lit, raised blocks."""
    img = _raise(img, 8, light=60, dark=90)
    rim = Image.new("L", (TILE, TILE), 0)
    ImageDraw.Draw(rim).rectangle((3, 3, TILE - 4, TILE - 4), outline=255, width=2)
    halo = rim.filter(ImageFilter.GaussianBlur(3))
    img = ImageChops.add(img, colorize(halo, [(0, (0, 0, 0)), (1, tuple(c // 2 for c in colour))]))
    return ImageChops.add(img, colorize(rim, [(0, (0, 0, 0)), (1, colour)]))


# -------------------------------------------------------------- platform ---

def platform(style):
    rnd = seeded("platform", style)
    if style == "classic":
        n = fractal_noise(TILE, rnd, base_cells=4, octaves=4)
        grain = value_noise(TILE, 32, rnd).resize((6, TILE)).resize((TILE, TILE), Image.BICUBIC)
        wood = colorize(Image.blend(n, grain, 0.6), [(0.0, (120, 78, 40)), (1.0, (178, 126, 70))])
        c = Canvas(TILE, TILE)
        for x in (8, 45, 82):
            c.line([(x, 8), (x, 120)], fill=(74, 46, 22, 255), width=1.5)
        c.line([(120, 8), (120, 120)], fill=(74, 46, 22, 255), width=1.5)
        c.rectangle((0, 0, TILE, 10), fill=(92, 94, 100, 255))
        c.rectangle((0, 118, TILE, TILE), fill=(92, 94, 100, 255))
        for x in (10, 64, 118):
            for y in (5, 123):
                c.ellipse((x - 3, y - 3, x + 3, y + 3), fill=(196, 200, 206, 255))
        img = Image.alpha_composite(wood.convert("RGBA"), c.result()).convert("RGB")
        return apply_light(img, bevel(TILE, 9, 80, 110))
    n = fractal_noise(TILE, rnd, base_cells=4, octaves=3)
    img = colorize(n, [(0.0, (20, 22, 30)), (1.0, (44, 48, 60))])
    c = Canvas(TILE, TILE)
    for k in range(-TILE, TILE, 24):
        c.polygon([(k, 0), (k + 12, 0), (k + 12 + 16, 16), (k + 16, 16)], fill=(255, 204, 40, 255))
        c.polygon([(k, 112), (k + 12, 112), (k + 12 + 16, 128), (k + 16, 128)], fill=(255, 204, 40, 255))
    c.rectangle((0, 16, TILE, 18), fill=(20, 20, 20, 255))
    c.rectangle((0, 110, TILE, 112), fill=(20, 20, 20, 255))
    c.rounded((30, 40, 98, 88), 10, outline=(255, 220, 80, 255), width=2)
    c.ellipse((56, 56, 72, 72), fill=(255, 240, 160, 255))
    img = Image.alpha_composite(img.convert("RGBA"), c.result()).convert("RGB")
    return apply_light(img, bevel(TILE, 8, 70, 100))


# ----------------------------------------------------------- backgrounds ---

def background(style, name):
    return {"classic": _classic_background, "neon": _neon_background}[style](name)


def clouds(rnd, size, cells=4, cover=0.5, soft=0.25):
    n = fractal_noise(size, rnd, base_cells=cells, octaves=6, persistence=0.55)
    lo = int(255 * (cover - soft))
    hi = int(255 * (cover + soft))
    return n.point(lambda v: int(255 * smoothstep(lo, hi, v)))


def _classic_background(name):
    rnd = seeded("back", "classic", name)
    if name == "sky":
        sky = vertical_gradient((BACK, BACK), [(0.0, (46, 104, 178)), (1.0, (104, 160, 216))])
        cl = clouds(rnd, BACK, cells=4, cover=0.55)
        shade = fractal_noise(BACK, rnd, base_cells=8, octaves=4)
        cloud_rgb = colorize(shade, [(0.0, (186, 198, 216)), (1.0, (246, 248, 252))])
        return Image.composite(cloud_rgb, sky, cl.point(lambda v: v * 9 // 10))
    if name == "dusk":
        sky = vertical_gradient((BACK, BACK), [(0.0, (40, 26, 74)), (0.45, (150, 62, 86)),
                                               (0.8, (236, 128, 64)), (1.0, (252, 196, 104))])
        cl = clouds(rnd, BACK, cells=4, cover=0.6, soft=0.2)
        bands = cl.resize((BACK, BACK // 4)).resize((BACK, BACK), Image.BICUBIC)
        cloud_rgb = vertical_gradient((BACK, BACK), [(0.0, (30, 20, 50)), (0.6, (96, 40, 70)),
                                                     (1.0, (190, 90, 70))])
        return Image.composite(cloud_rgb, sky, bands.point(lambda v: v * 8 // 10))
    if name == "bonusbackground":
        base = vertical_gradient((BACK, BACK), [(0.0, (70, 20, 96)), (1.0, (150, 40, 110))])
        rays = Image.new("L", (BACK, BACK), 0)
        d = ImageDraw.Draw(rays)
        c = BACK / 2
        for k in range(16):
            a0 = 2 * math.pi * k / 16
            a1 = a0 + math.pi / 16
            d.polygon([(c, c), (c + 800 * math.cos(a0), c + 800 * math.sin(a0)),
                       (c + 800 * math.cos(a1), c + 800 * math.sin(a1))], fill=70)
        rays = rays.filter(ImageFilter.GaussianBlur(6))
        img = ImageChops.add(base, colorize(rays, [(0, (0, 0, 0)), (1, (255, 190, 60))]))
        return _sparkles(img, rnd, 70, [(255, 236, 140), (255, 255, 255), (255, 170, 220)])
    raise KeyError(name)


def _sparkles(img, rnd, count, colours, big=14):
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    c = Canvas(img.size[0], img.size[1], k=2)
    for _ in range(count):
        x, y = rnd.uniform(0, img.size[0]), rnd.uniform(0, img.size[1])
        r = rnd.uniform(2, big) if rnd.random() < 0.3 else rnd.uniform(1, 3)
        col = rnd.choice(colours)
        c.polygon([(x - r, y), (x - r * 0.18, y - r * 0.18), (x, y - r), (x + r * 0.18, y - r * 0.18),
                   (x + r, y), (x + r * 0.18, y + r * 0.18), (x, y + r), (x - r * 0.18, y + r * 0.18)],
                  fill=col + (255,))
    layer = c.result()
    halo = layer.getchannel("A").filter(ImageFilter.GaussianBlur(3))
    out = ImageChops.add(img.convert("RGB"), Image.merge("RGB", (halo, halo, halo.point(lambda v: v // 2))))
    return Image.alpha_composite(out.convert("RGBA"), layer).convert("RGB")


def _neon_background(name):
    rnd = seeded("back", "neon", name)
    if name == "sky":
        base = vertical_gradient((BACK, BACK), [(0.0, (2, 4, 14)), (1.0, (8, 12, 34))])
        neb = clouds(rnd, BACK, cells=2, cover=0.55, soft=0.35)
        tint = fractal_noise(BACK, rnd, base_cells=2, octaves=3)
        neb_rgb = colorize(tint, [(0.0, (20, 40, 110)), (1.0, (80, 20, 100))])
        img = Image.composite(neb_rgb, base, neb.point(lambda v: v * 5 // 10))
        stars = speckle(BACK, rnd, 0.0012, radius=0)
        img.paste((230, 240, 255), mask=stars)
        return _sparkles(img, rnd, 24, [(180, 220, 255), (255, 255, 255)], big=8)
    if name == "dusk":
        img = vertical_gradient((BACK, BACK), [(0.0, (10, 2, 28)), (0.55, (70, 10, 80)),
                                               (0.62, (220, 60, 140)), (1.0, (24, 4, 40))])
        grid = Image.new("L", (BACK, BACK), 0)
        d = ImageDraw.Draw(grid)
        horizon = int(BACK * 0.62)
        for k in range(1, 14):
            y = horizon + (BACK - horizon) * (k / 13) ** 2
            d.line((0, y, BACK, y), fill=255, width=2)
        for k in range(-20, 21):
            d.line((BACK / 2 + k * 12, horizon, BACK / 2 + k * 90, BACK), fill=255, width=2)
        halo = grid.filter(ImageFilter.GaussianBlur(3))
        img = ImageChops.add(img, colorize(halo, [(0, (0, 0, 0)), (1, (120, 20, 140))]))
        img = ImageChops.add(img, colorize(grid, [(0, (0, 0, 0)), (1, (255, 70, 220))]))
        sun = Canvas(BACK, BACK, k=2)
        sun.ellipse((BACK / 2 - 90, horizon - 150, BACK / 2 + 90, horizon + 30), fill=(255, 160, 60, 255))
        for i, y in enumerate(range(horizon - 60, horizon, 14)):
            sun.rectangle((BACK / 2 - 100, y, BACK / 2 + 100, y + 3 + i), fill=(0, 0, 0, 0))
        img = Image.composite(Image.alpha_composite(img.convert("RGBA"), sun.result()).convert("RGB"),
                              img, _above(horizon, img.size))
        stars = speckle(BACK, rnd, 0.0005, radius=0)
        img.paste((255, 220, 255), mask=ImageChops.multiply(stars, _above(horizon, img.size)))
        return img
    if name == "bonusbackground":
        img = vertical_gradient((BACK, BACK), [(0.0, (30, 4, 40)), (1.0, (10, 30, 60))])
        rings = Image.new("L", (BACK, BACK), 0)
        d = ImageDraw.Draw(rings)
        for r in range(30, 400, 34):
            d.ellipse((BACK / 2 - r, BACK / 2 - r, BACK / 2 + r, BACK / 2 + r), outline=255, width=2)
        halo = rings.filter(ImageFilter.GaussianBlur(4))
        img = ImageChops.add(img, colorize(halo, [(0, (0, 0, 0)), (1, (110, 90, 10))]))
        img = ImageChops.add(img, colorize(rings, [(0, (0, 0, 0)), (1, (255, 210, 60))]))
        return _sparkles(img, rnd, 90, [(255, 230, 120), (120, 255, 255), (255, 120, 240)])
    raise KeyError(name)


def _above(horizon, size):
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).rectangle((0, 0, size[0], horizon), fill=255)
    return m
