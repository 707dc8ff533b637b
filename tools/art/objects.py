"""Things that lie on the board over the floor: exits, traps, flags, bombs,
cracks, arrow tiles and the editor's platform markers.

All of them have alpha: the floor (or wall, for cracks) shows around them.
Animated sets return a list of frames that loops without a jump: every
periodic motion completes a whole number of cycles over the frame count.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from common import (DIRECTION_ANGLES, Canvas, arrow_polygon, bleed, chevron_polygon, clamp, glow, mix,
                    rotate_points, seeded, smoothstep, with_alpha)

TILE = 128

EXIT_FRAMES = 12
TRAP_FRAMES = 12
FLAG_FRAMES = 12
BOMB_FRAMES = 8
ARROW_FRAMES = 8
JUMP_FRAMES = 8

CLASSIC = "classic"


def _finish(img):
    return bleed(img)


# ------------------------------------------------------------------ exit ---

def exit_frames(style):
    return [_finish(_exit(style, f)) for f in range(EXIT_FRAMES)]


def _exit(style, f):
    """A round portal: a rim around a vortex whose four arms turn a quarter
    turn over the loop while the whole portal pulses."""
    phase = 2 * math.pi * f / EXIT_FRAMES
    pulse = 0.5 + 0.5 * math.sin(phase)
    img = Image.new("RGBA", (TILE, TILE))
    px = img.load()
    cx = cy = TILE / 2
    r_in, r_out = 42.0, 56.0
    if style == CLASSIC:
        deep, bright, core = (30, 40, 120), (250, 200, 70), (255, 250, 220)
        rim_dark, rim_light = (88, 80, 70), (196, 186, 168)
    else:
        deep, bright, core = (40, 0, 90), (60, 240, 255), (240, 255, 255)
        rim_dark, rim_light = (30, 30, 60), (120, 110, 255)
    for y in range(TILE):
        for x in range(TILE):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            r = math.hypot(dx, dy)
            if r > r_out + 1:
                continue
            theta = math.atan2(dy, dx)
            if r <= r_in:
                u = r / r_in
                arm = 0.5 + 0.5 * math.sin(4 * theta + 7.0 * math.log(u + 0.08) + phase)
                glow_t = (1 - u) ** 1.5 * (0.6 + 0.4 * pulse) + arm * 0.45 * (1 - u * 0.5)
                col = mix(deep, bright, clamp(glow_t, 0.0, 1.0))
                if u < 0.25:
                    col = mix(core, col, u / 0.25)
                a = 255
            else:
                # the rim: lit from the top-left, a groove in the middle
                t = (r - r_in) / (r_out - r_in)
                lit = 0.5 - 0.5 * math.cos(theta + math.pi * 0.75) * (1 if t < 0.5 else -1)
                col = mix(rim_dark, rim_light, lit)
                if style != CLASSIC:
                    col = mix(col, (255, 80, 220), 0.25 + 0.35 * pulse)
                a = int(255 * clamp(r_out + 0.5 - r, 0.0, 1.0))
            px[x, y] = col + (a,)
    halo_colour = (255, 210, 90) if style == CLASSIC else (80, 230, 255)
    return glow(img, 5, halo_colour, strength=0.6 + 0.5 * pulse)


# ------------------------------------------------------------------ trap ---

def trap_frames(style):
    base = _trap_base(style)
    frames = []
    for f in range(TRAP_FRAMES):
        # a warning light: on for half the loop with soft edges, off otherwise
        level = smoothstep(-0.2, 0.4, math.sin(2 * math.pi * f / TRAP_FRAMES))
        frames.append(_finish(_trap_light(base, style, level)))
    return frames


def _trap_base(style):
    c = Canvas(TILE, TILE)
    classic = style == CLASSIC
    stripe_a = (250, 200, 30, 255) if classic else (255, 40, 60, 255)
    stripe_b = (24, 22, 20, 255) if classic else (30, 6, 16, 255)
    c.rounded((8, 8, 120, 120), 10, fill=stripe_b)
    stripes = c.layer()
    sd = ImageDraw.Draw(stripes)
    k = c.k
    for s in range(-TILE, TILE * 2, 20):
        sd.polygon([(s * k, 0), ((s + 10) * k, 0), ((s + 10 - TILE) * k, TILE * k), ((s - TILE) * k, TILE * k)],
                   fill=stripe_a)
    ring = Image.new("L", stripes.size, 0)
    rd = ImageDraw.Draw(ring)
    rd.rounded_rectangle((8 * k, 8 * k, 120 * k, 120 * k), radius=10 * k, fill=255)
    rd.rounded_rectangle((22 * k, 22 * k, 106 * k, 106 * k), radius=6 * k, fill=0)
    c.img.paste(stripes, mask=ImageChops.multiply(ring, stripes.getchannel("A")))
    plate = (70, 72, 78, 255) if classic else (26, 20, 34, 255)
    c.rounded((22, 22, 106, 106), 6, fill=plate)
    for i in range(3):
        for j in range(3):
            sx, sy = 36 + i * 28, 36 + j * 28
            r = 11
            light = (232, 234, 240, 255) if classic else (255, 120, 140, 255)
            mid = (150, 154, 162, 255) if classic else (200, 30, 70, 255)
            dark = (56, 58, 64, 255) if classic else (90, 0, 30, 255)
            tip = (sx, sy)
            c.polygon([(sx - r, sy - r), (sx + r, sy - r), tip], fill=mid)
            c.polygon([(sx - r, sy - r), (sx - r, sy + r), tip], fill=light)
            c.polygon([(sx + r, sy - r), (sx + r, sy + r), tip], fill=dark)
            c.polygon([(sx - r, sy + r), (sx + r, sy + r), tip], fill=dark)
    return c.result()


def _trap_light(base, style, level):
    red = Image.new("L", base.size, 0)
    d = ImageDraw.Draw(red)
    d.rounded_rectangle((18, 18, 110, 110), radius=8, fill=int(170 * level))
    red = red.filter(ImageFilter.GaussianBlur(8))
    tint = with_alpha(Image.new("RGB", base.size, (255, 30, 20)),
                      ImageChops.multiply(red, base.getchannel("A")))
    img = Image.alpha_composite(base, tint)
    lamp = Canvas(TILE, TILE)
    for cx, cy in ((15, 15), (113, 15), (15, 113), (113, 113)):
        on = mix((90, 10, 10), (255, 60, 40), level)
        lamp.ellipse((cx - 6, cy - 6, cx + 6, cy + 6), fill=(20, 20, 20, 255))
        lamp.ellipse((cx - 4, cy - 4, cx + 4, cy + 4), fill=on + (255,))
    img = Image.alpha_composite(img, lamp.result())
    if level > 0:
        img = glow(img, 6, (255, 40, 30), strength=0.2 + 0.8 * level)
    return img


# ------------------------------------------------------------------ flag ---

def flag_frames(style):
    return [_finish(_flag(style, f)) for f in range(FLAG_FRAMES)]


def _flag(style, f):
    classic = style == CLASSIC
    c = Canvas(TILE, TILE)
    pole_x, top, bottom = 38, 14, 114
    # shadow of the pole's foot on the floor
    c.ellipse((pole_x - 12, bottom - 5, pole_x + 14, bottom + 5), fill=(0, 0, 0, 90))
    phase = 2 * math.pi * f / FLAG_FRAMES
    cols = 24
    length, height = 72.0, 46.0
    cloth_a = (210, 36, 36) if classic else (255, 40, 200)
    cloth_b = (250, 210, 60) if classic else (60, 230, 255)

    def point(u, v):
        amp = 7.0 * u
        wave = math.sin(2 * math.pi * u * 1.3 - phase)
        x = pole_x + 3 + u * length * (0.94 + 0.06 * math.cos(phase + u * 4))
        y = top + 4 + v * height + amp * wave + u * 6
        return x, y

    # a pennant: the cloth narrows to a point away from the pole
    def pennant(u, v):
        return point(u, 0.5 + (v - 0.5) * (1 - 0.85 * u))

    for i in range(cols):
        u0, u1 = i / cols, (i + 1) / cols
        slope = math.cos(2 * math.pi * (u0 + u1) / 2 * 1.3 - phase)
        shade = 0.72 + 0.28 * slope
        col = tuple(int(clamp(ch * shade)) for ch in cloth_a)
        c.polygon([pennant(u0, 0), pennant(u1, 0), pennant(u1, 1), pennant(u0, 1)], fill=col + (255,))
        if u0 < 0.16:
            band = tuple(int(clamp(ch * shade)) for ch in cloth_b)
            c.polygon([pennant(u0, 0), pennant(u1, 0), pennant(u1, 1), pennant(u0, 1)], fill=band + (255,))
    outline = (90, 10, 10, 255) if classic else (255, 255, 255, 200)
    edge = [pennant(i / cols, 0) for i in range(cols + 1)] + [pennant(1 - i / cols, 1) for i in range(cols + 1)]
    c.line(edge, fill=outline, width=1.2)
    pole = (120, 84, 50, 255) if classic else (180, 250, 255, 255)
    c.rounded((pole_x - 3, top, pole_x + 3, bottom), 2, fill=pole)
    c.line([(pole_x - 1.5, top + 2), (pole_x - 1.5, bottom - 2)], fill=(255, 255, 255, 90), width=1)
    knob = (240, 200, 60, 255) if classic else (255, 255, 255, 255)
    c.ellipse((pole_x - 6, top - 7, pole_x + 6, top + 5), fill=knob)
    img = c.result()
    if not classic:
        img = glow(img, 4, (255, 60, 220), strength=0.7)
    return img


# ------------------------------------------------------------------ bomb ---

def bomb_frames(style):
    return [_finish(_bomb(style, f)) for f in range(BOMB_FRAMES)]


def _bomb(style, f):
    classic = style == CLASSIC
    rnd = seeded("bomb", style, f)
    img = Image.new("RGBA", (TILE, TILE))
    px = img.load()
    cx, cy, R = 60.0, 72.0, 36.0
    lx, ly, lz = -0.5, -0.6, 0.62
    pulse = 0.5 + 0.5 * math.sin(2 * math.pi * f / BOMB_FRAMES)
    for y in range(TILE):
        for x in range(TILE):
            dx, dy = (x + 0.5 - cx) / R, (y + 0.5 - cy) / R
            rr = dx * dx + dy * dy
            if rr > 1.06:
                continue
            cover = clamp((1.0 - math.sqrt(rr)) * R + 0.5, 0.0, 1.0)
            nz = math.sqrt(max(0.0, 1 - rr))
            diff = max(0.0, dx * lx + dy * ly + nz * lz)
            specular = max(0.0, dx * lx + dy * ly + nz * lz) ** 24
            if classic:
                v = 18 + 70 * diff
                col = (v, v, v + 6)
            else:
                glow_core = (1 - math.sqrt(rr)) * (0.5 + 0.5 * pulse)
                col = (20 + 60 * diff + 200 * glow_core, 14 + 40 * diff + 20 * glow_core, 40 + 70 * diff)
            col = tuple(int(clamp(ch + 230 * specular)) for ch in col)
            px[x, y] = col + (int(255 * cover),)
    c = Canvas(TILE, TILE)
    cap = (150, 140, 120, 255) if classic else (90, 90, 130, 255)
    cap_pts = rotate_points([(-9, -6), (9, -6), (9, 6), (-9, 6)], -math.pi / 4, cx + 24, cy - 24)
    c.polygon(cap_pts, fill=cap)
    fuse = [(cx + 27, cy - 27), (cx + 33, cy - 38), (cx + 42, cy - 44), (cx + 50, cy - 42)]
    c.line(fuse, fill=(200, 170, 110, 255) if classic else (200, 200, 255, 255), width=3)
    sx, sy = fuse[-1]
    # the spark: a fresh random star every frame, so the fizzing flickers
    spark = (255, 220, 90) if classic else (90, 240, 255)
    for _ in range(9):
        a = rnd.uniform(0, 2 * math.pi)
        ln = rnd.uniform(5, 15)
        c.line([(sx, sy), (sx + ln * math.cos(a), sy + ln * math.sin(a))], fill=spark + (255,), width=1.5)
    c.ellipse((sx - 4, sy - 4, sx + 4, sy + 4), fill=(255, 255, 230, 255))
    img = Image.alpha_composite(img, c.result())
    return glow(img, 4, spark, strength=0.5 + 0.3 * rnd.random())


# ---------------------------------------------------------------- cracks ---

def crack(style, name):
    """A cracked wall or floor overlay: dark fissures with lit lower edges
    (classic) or glowing fault lines (neon), drawn with alpha."""
    classic = style == CLASSIC
    rnd = seeded("crack", style, name)
    lines, (cx, cy) = _crack_lines(rnd, branches=7 if name == "crackwall" else 9)
    c = Canvas(TILE, TILE)
    wall = name == "crackwall"
    # a floor crack has already begun to give way in the middle
    hole = [(cx + rr * math.cos(a), cy + rr * math.sin(a))
            for a, rr in ((2 * math.pi * k / 9, rnd.uniform(7, 12)) for k in range(9))]
    if classic:
        if not wall:
            stain = c.layer()
            sd = ImageDraw.Draw(stain)
            k = c.k
            sd.ellipse((20 * k, 20 * k, 108 * k, 108 * k), fill=(40, 28, 16, 70))
            c.paste_over(stain.filter(ImageFilter.GaussianBlur(14 * k)))
        for pts, w in lines:
            c.line([(x + 1.2, y + 1.2) for x, y in pts], fill=(255, 240, 210, 120), width=w)
        for pts, w in lines:
            c.line(pts, fill=(28, 18, 12, 255), width=w + (1.5 if not wall else 0.5))
        for pts, w in lines:
            if w > 3:
                c.line(pts, fill=(0, 0, 0, 255), width=w * 0.45)
        if not wall:
            c.polygon([(x + 1.5, y + 1.5) for x, y in hole], fill=(255, 236, 200, 150))
            c.polygon(hole, fill=(8, 6, 4, 255), outline=(40, 28, 16, 255), width=1.5)
        img = c.result()
    else:
        for pts, w in lines:
            c.line(pts, fill=(255, 120, 30, 255), width=w * 0.9)
        for pts, w in lines:
            c.line(pts, fill=(255, 240, 180, 255), width=max(1.0, w * 0.35))
        if not wall:
            c.polygon(hole, fill=(255, 220, 150, 255), outline=(255, 110, 30, 255), width=2)
        img = glow(c.result(), 4, (255, 90, 20), strength=1.2)
    chips = Canvas(TILE, TILE)
    for _ in range(5 if wall else 3):
        x, y = rnd.uniform(24, 104), rnd.uniform(24, 104)
        r = rnd.uniform(3, 6)
        pts = [(x + r * math.cos(a), y + r * math.sin(a)) for a in
               sorted(rnd.uniform(0, 2 * math.pi) for _ in range(5))]
        chips.polygon(pts, fill=(24, 16, 10, 230) if classic else (255, 130, 40, 255))
    return _finish(Image.alpha_composite(img, chips.result()))


def _crack_lines(rnd, branches):
    """Jagged fissures from near the middle, thinner as they branch out."""
    lines = []
    cx, cy = 64 + rnd.uniform(-8, 8), 64 + rnd.uniform(-8, 8)
    for b in range(branches):
        a = 2 * math.pi * b / branches + rnd.uniform(-0.3, 0.3)
        x, y = cx, cy
        pts = [(x, y)]
        w = rnd.uniform(3.5, 5.0)
        for step in range(rnd.randrange(4, 8)):
            a += rnd.uniform(-0.6, 0.6)
            ln = rnd.uniform(6, 11)
            x, y = x + ln * math.cos(a), y + ln * math.sin(a)
            if not (6 < x < 122 and 6 < y < 122):
                break
            pts.append((x, y))
            if rnd.random() < 0.3 and len(pts) > 2:
                ba = a + rnd.choice([-1, 1]) * rnd.uniform(0.6, 1.1)
                bx, by = x, y
                sub = [(bx, by)]
                for _ in range(rnd.randrange(2, 4)):
                    ba += rnd.uniform(-0.5, 0.5)
                    bx, by = bx + 7 * math.cos(ba), by + 7 * math.sin(ba)
                    if not (6 < bx < 122 and 6 < by < 122):
                        break
                    sub.append((bx, by))
                if len(sub) > 1:
                    lines.append((sub, 1.6))
        if len(pts) > 1:
            # taper: draw the first half thick and the rest thinner
            half = max(2, len(pts) // 2)
            lines.append((pts[:half], w))
            lines.append((pts[half - 1:], w * 0.55))
    return lines, (cx, cy)


# ---------------------------------------------------------------- arrows ---

def arrow_frames(style, direction):
    """A plate with chevrons that scroll in the arrow's direction; the
    pattern repeats every 32 pixels, so 8 frames of 4 pixels loop."""
    plate = _arrow_plate(style)
    frames = []
    for f in range(ARROW_FRAMES):
        frames.append(_finish(Image.alpha_composite(plate, _chevrons(style, direction, f))))
    return frames


def _arrow_plate(style):
    c = Canvas(TILE, TILE)
    if style == CLASSIC:
        c.rounded((6, 6, 122, 122), 14, fill=(88, 62, 36, 200), outline=(60, 40, 20, 255), width=3)
        c.rounded((14, 14, 114, 114), 10, fill=(120, 88, 52, 150))
    else:
        c.rounded((6, 6, 122, 122), 14, fill=(10, 20, 40, 190), outline=(60, 200, 255, 255), width=2)
    return c.result()


def _chevrons(style, direction, f):
    angle = DIRECTION_ANGLES[direction]
    offset = 4 * f
    period = 4 * ARROW_FRAMES
    c = Canvas(TILE, TILE)
    fill = (255, 196, 40, 255) if style == CLASSIC else (90, 240, 255, 255)
    edge = (90, 50, 10, 255) if style == CLASSIC else (255, 255, 255, 255)
    for k in range(-4, 5):
        # position along the arrow's axis, measured from the centre
        s = k * period + offset - period / 2
        pts = chevron_polygon(0, 0, 22, 46, 10, 0)
        pts = rotate_points([(x + s, y) for x, y in pts], angle, 64, 64)
        c.polygon(pts, fill=fill, outline=edge, width=1.5)
    layer = c.result()
    mask = Image.new("L", (TILE, TILE), 0)
    ImageDraw.Draw(mask).rounded_rectangle((16, 16, 112, 112), radius=8, fill=255)
    mask = mask.filter(ImageFilter.GaussianBlur(1))
    layer.putalpha(ImageChops.multiply(layer.getchannel("A"), mask))
    if style != CLASSIC:
        layer = glow(layer, 3, (40, 200, 255), strength=0.8)
    return layer


def jump_frames(style):
    """A spring pad: rings rise out of its middle and spread; ring spacing
    is 16 pixels and each frame moves them 2 pixels, so 8 frames loop."""
    frames = []
    classic = style == CLASSIC
    for f in range(JUMP_FRAMES):
        c = Canvas(TILE, TILE)
        if classic:
            c.ellipse((8, 8, 120, 120), fill=(70, 74, 82, 220), outline=(40, 40, 46, 255), width=3)
            c.ellipse((18, 18, 110, 110), fill=(200, 60, 40, 255))
        else:
            c.ellipse((8, 8, 120, 120), fill=(20, 10, 40, 210), outline=(255, 90, 230, 255), width=2)
            c.ellipse((18, 18, 110, 110), fill=(50, 20, 80, 255))
        for k in range(4):
            r = 8 + k * 16 + 2 * f
            if r > 44:
                continue
            fade = (1 - r / 46) * smoothstep(8, 16, r)
            col = (255, 236, 190) if classic else (255, 120, 240)
            c.ellipse((64 - r, 64 - r, 64 + r, 64 + r), outline=col + (int(255 * fade),), width=3)
        up = [(64, 40), (82, 62), (72, 62), (72, 86), (56, 86), (56, 62), (46, 62)]
        c.polygon(up, fill=(255, 255, 255, 255), outline=(60, 20, 10, 255) if classic else (120, 0, 120, 255),
                  width=1.5)
        img = c.result()
        if not classic:
            img = glow(img, 3, (255, 80, 230), strength=0.7)
        frames.append(_finish(img))
    return frames


# --------------------------------------------------------------- markers ---

MARKER = 64


def marker(style, direction):
    """Seen in the editor only, drawn over everything: a see-through disc
    with a bold arrow telling the platform where to go."""
    classic = style == CLASSIC
    c = Canvas(MARKER, MARKER)
    ring = (255, 60, 200) if classic else (255, 230, 40)
    c.ellipse((3, 3, 61, 61), fill=ring + (60,), outline=ring + (255,), width=3)
    pts = arrow_polygon(32, 32, 44, 34, 14, 16, DIRECTION_ANGLES[direction])
    c.polygon(pts, fill=(255, 255, 255, 235), outline=(30, 10, 40, 255), width=2.5)
    return _finish(c.result())


def arrow_icon(direction):
    """The editor panel's button for an arrow kind: at 13 pixels the
    scrolling chevrons blur, so the button shows one bold arrow instead."""
    c = Canvas(TILE, TILE)
    c.rounded((4, 4, 124, 124), 16, fill=(120, 88, 52, 255), outline=(60, 40, 20, 255), width=6)
    pts = arrow_polygon(64, 64, 104, 92, 40, 44, DIRECTION_ANGLES[direction])
    c.polygon(pts, fill=(255, 200, 40, 255), outline=(70, 40, 10, 255), width=6)
    return c.result()
