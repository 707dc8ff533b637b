"""What is in each texture pack, and how its frame files are named.

A frame file is named: four-letter kind code, a wrap letter for each axis,
the set's free name, a two-digit frame number, ".png". The game treats "r"
as repeat and marks the whole set synchronised (every object shows the same
frame); "c" is clamp-to-edge, each object animating on its own.

- The arrows use "rr", so every arrow on the board scrolls in step.
- "bonusbackground" uses "rc": a level with that background is a bonus
  level, and the game takes the first background it finds (in name order)
  as the default one. With "rc" the bonus set sorts after "backcc..." so
  the default is an ordinary background. Its repeat on one axis is
  harmless: backgrounds are drawn per level, never synchronised.
- Everything else uses "cc".
"""

from dataclasses import dataclass, field
from typing import Callable, List

import balls
import fonts
import objects
import surfaces


@dataclass
class PictureSet:
    kind: str                  # four-letter kind code
    wrap: str                  # two wrap letters
    name: str                  # free name
    make: Callable[[], list]   # returns the frames (PIL pictures)
    note: str = ""             # what it shows, for the documentation
    frames: List = field(default_factory=list)

    @property
    def synchronised(self):
        return "r" in self.wrap

    def file_name(self, frame):
        return "%s%s%s%02d.png" % (self.kind, self.wrap, self.name, frame)


def _one(fn, *args):
    return lambda: [fn(*args)]


def _many(fn, *args):
    return lambda: fn(*args)


def pack_sets(style):
    """Every picture set of one pack ("classic" or "neon")."""
    sets = [
        PictureSet("back", "cc", "sky", _one(surfaces.background, style, "sky"), "sky behind the board"),
        PictureSet("back", "cc", "dusk", _one(surfaces.background, style, "dusk"), "evening sky"),
        PictureSet("back", "rc", "bonusbackground", _one(surfaces.background, style, "bonusbackground"),
                   "makes a level a bonus level"),
        PictureSet("ball", "cc", "ball", _many(balls.ball_frames, style), "rolls while the ball moves"),
        PictureSet("blsh", "cc", "shadow", _one(balls.shadow, style), "soft shadow under the ball"),
        PictureSet("bomb", "cc", "bomb", _many(objects.bomb_frames, style), "fizzing fuse"),
        PictureSet("crck", "cc", "crackwall", _one(objects.crack, style, "crackwall"), "over a wall"),
        PictureSet("crck", "cc", "crackfloor", _one(objects.crack, style, "crackfloor"), "over a floor tile"),
        PictureSet("exit", "cc", "exit", _many(objects.exit_frames, style), "pulsing portal"),
        PictureSet("expl", "cc", "explosion", _many(balls.explosion_frames, style), "ends transparent"),
        PictureSet("flag", "cc", "flag", _many(objects.flag_frames, style), "waving pennant"),
        PictureSet("grnd", "cc", "grass", _one(surfaces.ground, style, "grass"), "seamless floor"),
        PictureSet("grnd", "cc", "stone", _one(surfaces.ground, style, "stone"), "seamless floor"),
        PictureSet("grnd", "cc", "sand", _one(surfaces.ground, style, "sand"), "seamless floor"),
        PictureSet("plat", "cc", "platform", _one(surfaces.platform, style), "moving platform"),
        PictureSet("plae", "cc", "markereast", _one(objects.marker, style, "east"), "editor only"),
        PictureSet("plan", "cc", "markernorth", _one(objects.marker, style, "north"), "editor only"),
        PictureSet("plas", "cc", "markersouth", _one(objects.marker, style, "south"), "editor only"),
        PictureSet("plaw", "cc", "markerwest", _one(objects.marker, style, "west"), "editor only"),
        PictureSet("trap", "cc", "trap", _many(objects.trap_frames, style), "blinking spikes"),
        PictureSet("wall", "cc", "brick", _one(surfaces.wall, style, "brick"), "raised block"),
        PictureSet("wall", "cc", "hedge", _one(surfaces.wall, style, "hedge"), "raised block"),
        PictureSet("wall", "cc", "metal", _one(surfaces.wall, style, "metal"), "raised block"),
        PictureSet("arre", "rr", "arroweast", _many(objects.arrow_frames, style, "east"), "scrolls east"),
        PictureSet("arrn", "rr", "arrownorth", _many(objects.arrow_frames, style, "north"), "scrolls north"),
        PictureSet("arrs", "rr", "arrowsouth", _many(objects.arrow_frames, style, "south"), "scrolls south"),
        PictureSet("arrw", "rr", "arrowwest", _many(objects.arrow_frames, style, "west"), "scrolls west"),
        PictureSet("arru", "rr", "jump", _many(objects.jump_frames, style), "spring pad"),
    ]
    if style == "classic":
        sets.append(PictureSet("font", "cc", "tiles", fonts.tile_font_frames,
                               "tile font: 0-9, a-z, colon, cursor bar"))
    return sets


PACKS = [("txtpckclassic", "classic"), ("txtpckneon", "neon")]
