"""The ball, its shadow and the explosion.

The ball is ray-traced per pixel: a unit sphere seen from above, lit from
the top-left, whose surface pattern turns about a diagonal axis. The pattern
has the symmetry of an octahedron, which maps onto itself after half a turn
about that axis, so 16 frames of half a turn loop seamlessly and the ball
still seems to roll steadily.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from common import bleed, clamp, colorize, fractal_noise, glow, lerp, mix, seeded, smoothstep, with_alpha

TILE = 128
BALL_FRAMES = 16
EXPLOSION_FRAMES = 16
EXPLOSION_SIZE = 128

CLASSIC = "classic"

_OCTA = [(1, 0, 0), (-1, 0, 0), (0, 1, 0), (0, -1, 0), (0, 0, 1), (0, 0, -1)]
_CUBE = [(sx / math.sqrt(3), sy / math.sqrt(3), sz / math.sqrt(3))
         for sx in (-1, 1) for sy in (-1, 1) for sz in (-1, 1)]


def _rotation(axis, angle):
    x, y, z = axis
    c, s = math.cos(angle), math.sin(angle)
    t = 1 - c
    return ((t * x * x + c, t * x * y - s * z, t * x * z + s * y),
            (t * x * y + s * z, t * y * y + c, t * y * z - s * x),
            (t * x * z - s * y, t * y * z + s * x, t * z * z + c))


def _pattern_classic(p):
    """Ivory with six red spots and eight small blue ones."""
    best = max(p[0] * v[0] + p[1] * v[1] + p[2] * v[2] for v in _OCTA)
    if best > 0.86:
        edge = smoothstep(0.86, 0.89, best)
        return mix((236, 226, 204), (200, 30, 36), edge)
    best_c = max(p[0] * v[0] + p[1] * v[1] + p[2] * v[2] for v in _CUBE)
    if best_c > 0.95:
        return mix((236, 226, 204), (40, 80, 180), smoothstep(0.95, 0.965, best_c))
    return (236, 226, 204)


def _pattern_neon(p):
    """Dark glass crossed by three glowing great circles."""
    m = min(abs(p[0]), abs(p[1]), abs(p[2]))
    line = 1 - smoothstep(0.03, 0.09, m)
    best = max(abs(p[0]), abs(p[1]), abs(p[2]))
    dot = smoothstep(0.97, 0.985, best)
    base = (18, 16, 40)
    col = mix(base, (60, 240, 255), line)
    return mix(col, (255, 80, 230), dot)


def ball_frames(style):
    frames = []
    for f in range(BALL_FRAMES):
        img = render_ball(style, TILE, 58.0, math.pi * f / BALL_FRAMES)
        if style != CLASSIC:
            img = glow(img, 3, (80, 200, 255), strength=0.5)
        frames.append(bleed(img))
    return frames


def render_ball(style, size, radius, turn):
    """The ball turned by `turn` radians about its rolling axis, centred in a
    size x size picture."""
    pattern = _pattern_classic if style == CLASSIC else _pattern_neon
    axis = (1 / math.sqrt(2), -1 / math.sqrt(2), 0.0)
    rot = _rotation(axis, turn)
    centre = size / 2
    light = (-0.45, -0.55, 0.70)
    ln = math.sqrt(sum(v * v for v in light))
    light = tuple(v / ln for v in light)
    hx, hy, hz = light[0], light[1], light[2] + 1.0
    hl = math.sqrt(hx * hx + hy * hy + hz * hz)
    img = Image.new("RGBA", (size, size))
    px = img.load()
    for y in range(size):
        for x in range(size):
            nx = (x + 0.5 - centre) / radius
            ny = (y + 0.5 - centre) / radius
            rr = nx * nx + ny * ny
            if rr > 1.04:
                continue
            cover = clamp((1.0 - math.sqrt(rr)) * radius + 0.5, 0.0, 1.0)
            nz = math.sqrt(max(0.0, 1.0 - rr))
            # the surface point in the ball's own frame (inverse rotation)
            p = (rot[0][0] * nx + rot[1][0] * ny + rot[2][0] * nz,
                 rot[0][1] * nx + rot[1][1] * ny + rot[2][1] * nz,
                 rot[0][2] * nx + rot[1][2] * ny + rot[2][2] * nz)
            base = pattern(p)
            d = nx * light[0] + ny * light[1] + nz * light[2]
            diff = 0.35 + 0.65 * max(0.0, d)
            specular = max(0.0, (nx * hx + ny * hy + nz * hz) / hl) ** 40
            rim = (1 - nz) ** 3
            if style == CLASSIC:
                col = [ch * diff + 255 * 0.85 * specular for ch in base]
                col = [lerp(ch, 40, rim * 0.5) for ch in col]
            else:
                glow_ch = (90, 180, 255)
                col = [ch * (0.5 + 0.5 * diff) + 255 * 0.7 * specular + glow_ch[i] * rim * 0.8
                       for i, ch in enumerate(base)]
            px[x, y] = tuple(int(clamp(ch)) for ch in col) + (int(round(255 * cover)),)
    return img


def shadow(style):
    img = Image.new("L", (TILE, TILE), 0)
    ImageDraw.Draw(img).ellipse((8, 8, 120, 120), fill=170 if style == CLASSIC else 190)
    img = img.filter(ImageFilter.GaussianBlur(6))
    colour = (0, 0, 0) if style == CLASSIC else (0, 4, 20)
    return with_alpha(Image.new("RGB", (TILE, TILE), colour), img)


# -------------------------------------------------------------- explosion --

def explosion_frames(style):
    """A fireball that flashes, swells into rolling flame and thins into
    smoke; the last frame is empty, so the effect ends without a pop."""
    rnd = seeded("explosion", style)
    size = EXPLOSION_SIZE
    k = 2
    puffs = []
    for i in range(18):
        a = rnd.uniform(0, 2 * math.pi)
        puffs.append({
            "dir": (math.cos(a), math.sin(a)),
            "speed": rnd.uniform(6, 24),
            "r0": rnd.uniform(14, 20),
            "grow": rnd.uniform(8, 18),
            "heat": rnd.uniform(0.75, 1.0),
            "late": rnd.uniform(0.0, 0.2),
        })
    if style == CLASSIC:
        stops = [(0.0, (64, 58, 54)), (0.15, (130, 40, 20)), (0.35, (235, 100, 20)),
                 (0.6, (255, 200, 60)), (1.0, (255, 252, 230))]
    else:
        # the game shows the last explosion set of all packs for every
        # level, so the neon one is still fire, edged with neon colours
        stops = [(0.0, (62, 58, 70)), (0.15, (150, 40, 90)), (0.35, (255, 96, 50)),
                 (0.6, (255, 210, 110)), (1.0, (230, 255, 255))]
    billows = [fractal_noise(size, rnd, base_cells=2, octaves=3).point(lambda v: 120 + v * 135 // 255)
               for _ in range(4)]
    frames = []
    last = EXPLOSION_FRAMES - 1
    for f in range(EXPLOSION_FRAMES):
        if f == last:
            frames.append(Image.new("RGBA", (size, size), (0, 0, 0, 0)))
            continue
        p = f / last
        heat = Image.new("L", (size * k, size * k), 0)
        dens = Image.new("L", (size * k, size * k), 0)
        dh, dd = ImageDraw.Draw(heat), ImageDraw.Draw(dens)
        for pf in puffs:
            q = clamp((p - pf["late"]) / (1 - pf["late"]), 0.0, 1.0)
            if p < pf["late"]:
                continue
            ease = 1 - (1 - q) ** 3
            cx = size / 2 + pf["dir"][0] * pf["speed"] * ease
            cy = size / 2 + pf["dir"][1] * pf["speed"] * ease - 6 * q
            r = pf["r0"] + pf["grow"] * ease
            h = pf["heat"] * clamp(1.15 - 1.5 * q, 0.0, 1.0)
            dv = clamp(1.0 - q ** 1.6, 0.0, 1.0)
            box = [(cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k]
            dd.ellipse(box, fill=int(255 * dv))
            inner = [(cx - r * 0.9) * k, (cy - r * 0.9) * k, (cx + r * 0.9) * k, (cy + r * 0.9) * k]
            dh.ellipse(inner, fill=int(255 * h))
        if p < 0.1:
            # the first flash: white hot, handing over to the fireball
            r = 12 + 60 * p
            box = [(size / 2 - r) * k, (size / 2 - r) * k, (size / 2 + r) * k, (size / 2 + r) * k]
            dh.ellipse(box, fill=255)
            dd.ellipse(box, fill=255)
        heat = heat.filter(ImageFilter.GaussianBlur(6 * k)).resize((size, size), Image.LANCZOS)
        dens = dens.filter(ImageFilter.GaussianBlur(5 * k)).resize((size, size), Image.LANCZOS)
        # billows: the flame's brightness varies over its surface
        heat = ImageChops.multiply(heat, billows[f % len(billows)])
        rgb = colorize(heat, stops)
        alpha = dens.point(lambda v: int(clamp(v * 1.3)))
        img = with_alpha(rgb, alpha)
        frames.append(bleed(img))
    return frames
