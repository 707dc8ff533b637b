"""Shared drawing helpers for the picture generators.

Everything here is deterministic: randomness comes from random.Random
instances seeded with fixed strings, and every operation is a PIL operation
whose result depends only on its inputs. Running the generators twice gives
the same bytes.
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"

SANS = "DejaVuSans.ttf"
SANS_BOLD = "DejaVuSans-Bold.ttf"
SANS_CONDENSED_BOLD = "DejaVuSansCondensed-Bold.ttf"


def font(name, size):
    return ImageFont.truetype(FONT_DIR + name, size)


def seeded(*key):
    """A generator seeded from a readable key; str seeds hash with SHA-512,
    so the sequence does not depend on the interpreter's hash seed."""
    return random.Random("/".join(str(k) for k in key))


def clamp(v, lo=0, hi=255):
    return lo if v < lo else hi if v > hi else v


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    """Blends two colour tuples of equal length."""
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


# ---------------------------------------------------------------- noise ----

def tile3(img):
    """The picture repeated 3 x 3; filtering this and cropping the middle
    gives a result that still tiles seamlessly."""
    w, h = img.size
    big = Image.new(img.mode, (w * 3, h * 3))
    for i in range(3):
        for j in range(3):
            big.paste(img, (i * w, j * h))
    return big


def middle(big):
    w, h = big.size[0] // 3, big.size[1] // 3
    return big.crop((w, h, 2 * w, 2 * h))


def wrapped(img, fn):
    """Applies fn (picture -> picture of the same size) as if the picture
    wrapped around at its edges."""
    return middle(fn(tile3(img)))


def value_noise(size, cells, rnd):
    """Seamless smooth noise: a cells x cells grid of random values,
    interpolated bicubically over a size x size square."""
    grid = Image.new("L", (cells, cells))
    grid.putdata([rnd.randrange(256) for _ in range(cells * cells)])
    return middle(tile3(grid).resize((size * 3, size * 3), Image.BICUBIC))


def fractal_noise(size, rnd, base_cells=4, octaves=4, persistence=0.5):
    """Seamless multi-octave noise, stretched to the full 0-255 range."""
    acc = value_noise(size, base_cells, rnd)
    weight_sum = 1.0
    w = 1.0
    cells = base_cells
    for _ in range(octaves - 1):
        cells *= 2
        if cells > size:
            break
        w *= persistence
        layer = value_noise(size, cells, rnd)
        weight_sum += w
        acc = Image.blend(acc, layer, w / weight_sum)
    return stretch(acc)


def stretch(gray):
    lo, hi = gray.getextrema()
    if hi <= lo:
        return gray
    return gray.point(lambda v: int(round((v - lo) * 255 / (hi - lo))))


def speckle(size, rnd, density, radius=1, value=255):
    """Random dots on black; seamless because dots wrap around."""
    img = Image.new("L", (size, size), 0)
    d = ImageDraw.Draw(img)
    for _ in range(int(size * size * density)):
        x, y = rnd.randrange(size), rnd.randrange(size)
        for ox in (-size, 0, size):
            for oy in (-size, 0, size):
                d.ellipse((x + ox - radius, y + oy - radius, x + ox + radius, y + oy + radius),
                          fill=value)
    return img


# -------------------------------------------------------------- colours ----

def gradient_lut(stops):
    """Three 256-entry tables mapping grey levels to colours; stops are
    (position 0..1, (r, g, b)) in ascending order."""
    luts = ([], [], [])
    for i in range(256):
        t = i / 255
        for k in range(len(stops) - 1):
            p0, c0 = stops[k]
            p1, c1 = stops[k + 1]
            if t <= p1 or k == len(stops) - 2:
                u = 0.0 if p1 == p0 else clamp((t - p0) / (p1 - p0), 0.0, 1.0)
                c = mix(c0, c1, u)
                break
        for ch in range(3):
            luts[ch].append(c[ch])
    return luts


def colorize(gray, stops):
    lr, lg, lb = gradient_lut(stops)
    return Image.merge("RGB", (gray.point(lr), gray.point(lg), gray.point(lb)))


def with_alpha(rgb, alpha):
    out = rgb.convert("RGBA")
    out.putalpha(alpha)
    return out


def light_from_height(height, strength=2.0, wrap=True):
    """A grey lighting picture (128 = unlit) from a height map, lit from the
    top-left: slopes that rise towards the bottom-right face the light."""
    kernel = [-1, -1, 0,
              -1, 0, 1,
              0, 1, 1]
    filt = ImageFilter.Kernel((3, 3), [k * strength for k in kernel], scale=1, offset=128)
    if wrap:
        return wrapped(height, lambda im: im.filter(filt))
    return height.filter(filt)


def apply_light(rgb, light):
    """Darkens where the light is below 128 and brightens above it."""
    return ImageChops.hard_light(rgb, Image.merge("RGB", (light, light, light)))


def multiply_gray(rgb, gray):
    return ImageChops.multiply(rgb, Image.merge("RGB", (gray, gray, gray)))


def bevel(size, width, light=70, dark=70):
    """A grey lighting picture for a raised square tile: a bright band at the
    top and left edges, a dark band at the bottom and right, 128 inside."""
    img = Image.new("L", (size, size), 128)
    px = img.load()
    for y in range(size):
        for x in range(size):
            dl, dt = x, y
            dr, db = size - 1 - x, size - 1 - y
            m = min(dl, dt, dr, db)
            if m >= width:
                continue
            f = 1.0 - m / width
            if min(dr, db) < min(dl, dt):
                px[x, y] = int(128 - dark * f)
            else:
                px[x, y] = int(128 + light * f)
    return img


# ------------------------------------------------------------- drawing -----

class Canvas:
    """A supersampled RGBA drawing surface: draw at k times the size, then
    `result()` scales down with a good filter for smooth edges. Shapes in
    translucent colours are blended over what lies below (PIL's own drawing
    would replace the pixels instead)."""

    def __init__(self, w, h, k=4, background=(0, 0, 0, 0)):
        self.w, self.h, self.k = w, h, k
        self.img = Image.new("RGBA", (w * k, h * k), background)
        self.draw = ImageDraw.Draw(self.img)

    def s(self, *coords):
        return [c * self.k for c in coords]

    def _shape(self, colours, paint):
        if all(c is None or len(c) < 4 or c[3] == 255 for c in colours):
            paint(self.draw)
        else:
            layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
            paint(ImageDraw.Draw(layer))
            self.paste_over(layer)

    def polygon(self, points, fill, outline=None, width=0):
        pts = [(x * self.k, y * self.k) for x, y in points]

        def paint(d):
            d.polygon(pts, fill=fill)
            if outline is not None and width > 0:
                d.line(pts + [pts[0]], fill=outline, width=int(width * self.k), joint="curve")
        self._shape((fill, outline), paint)

    def ellipse(self, box, fill=None, outline=None, width=0):
        self._shape((fill, outline), lambda d: d.ellipse(self.s(*box), fill=fill, outline=outline,
                                                          width=int(round(width * self.k))))

    def rectangle(self, box, fill=None, outline=None, width=0):
        self._shape((fill, outline), lambda d: d.rectangle(self.s(*box), fill=fill, outline=outline,
                                                            width=int(round(width * self.k))))

    def rounded(self, box, radius, fill=None, outline=None, width=0):
        self._shape((fill, outline), lambda d: d.rounded_rectangle(
            self.s(*box), radius=radius * self.k, fill=fill, outline=outline, width=int(round(width * self.k))))

    def line(self, points, fill, width):
        pts = [(x * self.k, y * self.k) for x, y in points]
        self._shape((fill,), lambda d: d.line(pts, fill=fill, width=max(1, int(round(width * self.k))),
                                              joint="curve"))

    def paste_over(self, layer):
        """Composites a same-size (k times) RGBA layer over the canvas."""
        self.img = Image.alpha_composite(self.img, layer)
        self.draw = ImageDraw.Draw(self.img)

    def layer(self):
        return Image.new("RGBA", self.img.size, (0, 0, 0, 0))

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def glow(img, radius, colour=None, strength=1.0):
    """A soft halo around the opaque parts of an RGBA picture, placed behind it."""
    a = img.getchannel("A").filter(ImageFilter.GaussianBlur(radius))
    if strength != 1.0:
        a = a.point(lambda v: int(clamp(v * strength)))
    if colour is None:
        halo = img.convert("RGBa").filter(ImageFilter.GaussianBlur(radius)).convert("RGBA")
        halo.putalpha(a)
    else:
        halo = with_alpha(Image.new("RGB", img.size, colour), a)
    return Image.alpha_composite(halo, img)


def bleed(img, band=4):
    """Gives fully transparent pixels within `band` pixels of visible ones
    the colour of their nearest visible neighbours. Filtered (mipmapped)
    sprites then fade out in their own colour instead of growing a dark
    fringe. Farther pixels stay transparent black, which compresses well."""
    a = img.getchannel("A")
    known = a.point(lambda v: 255 if v > 0 else 0)
    if known.getextrema()[0] == 255:
        return img
    src = img.copy()
    src.putalpha(known)
    fill = Image.new("RGB", img.size, (0, 0, 0))
    for radius in (16, 6, 2):
        spread = src.convert("RGBa").filter(ImageFilter.GaussianBlur(radius)).convert("RGBA")
        have = spread.getchannel("A").point(lambda v: 255 if v > 0 else 0)
        fill.paste(spread.convert("RGB"), mask=have)
    near = known.filter(ImageFilter.MaxFilter(2 * band + 1))
    fill = Image.composite(fill, Image.new("RGB", img.size, (0, 0, 0)), near)
    rgb = Image.composite(img.convert("RGB"), fill, known)
    out = rgb.convert("RGBA")
    out.putalpha(a)
    return out


def vertical_gradient(size, stops):
    """An RGB picture shading from top to bottom through the colour stops."""
    w, h = size
    column = Image.new("L", (1, h))
    column.putdata([int(round(255 * y / max(1, h - 1))) for y in range(h)])
    return colorize(column, stops).resize((w, h), Image.NEAREST)


def arrow_polygon(cx, cy, length, head_w, shaft_w, head_len, angle):
    """An arrow pointing at `angle` radians (0 = east, pi/2 = south)."""
    pts = [(-length / 2, -shaft_w / 2), (length / 2 - head_len, -shaft_w / 2),
           (length / 2 - head_len, -head_w / 2), (length / 2, 0),
           (length / 2 - head_len, head_w / 2), (length / 2 - head_len, shaft_w / 2),
           (-length / 2, shaft_w / 2)]
    return rotate_points(pts, angle, cx, cy)


def chevron_polygon(cx, cy, w, h, thickness, angle):
    """A chevron ('>' shape) pointing at `angle`, centred on (cx, cy)."""
    pts = [(-w / 2, -h / 2), (-w / 2 + thickness, -h / 2), (w / 2, 0),
           (-w / 2 + thickness, h / 2), (-w / 2, h / 2), (w / 2 - thickness, 0)]
    return rotate_points(pts, angle, cx, cy)


def rotate_points(pts, angle, cx, cy):
    ca, sa = math.cos(angle), math.sin(angle)
    return [(cx + x * ca - y * sa, cy + x * sa + y * ca) for x, y in pts]


DIRECTION_ANGLES = {"east": 0.0, "south": math.pi / 2, "west": math.pi, "north": -math.pi / 2}


def checker(size, cell, c1, c2):
    img = Image.new("RGB", size, c1)
    d = ImageDraw.Draw(img)
    for y in range(0, size[1], cell):
        for x in range(0, size[0], cell):
            if (x // cell + y // cell) % 2:
                d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=c2)
    return img
