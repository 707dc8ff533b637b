#!/usr/bin/python3
"""Writes levels/menubackground.txt, the board behind every menu, from two maps.

  menu_background.py [--preview OUT.png] [--tool build/zdltool] [--game build/game]

The menus show the board at the level's zoom, centred on the ball's place
(the ball itself is not drawn), inside the menu frame: the title plate covers
the top middle and the menu items the middle, so the showpieces lie round
them. With --preview the board is drawn with `zdltool map` and cut to what a
1024 x 768 window shows, with the menu frame (data/opening.png) laid over it
(needs PIL).

The ground map: g grass, a sand, s stone, ' ' nothing; H hedge, B brick,
M metal (walls, with no floor under them except under a crack). The object
map, over it: f flag, b bomb, x exit, t trap, > < ^ v J arrows, c crack,
E S W N platform markers, e s w n a platform standing on such a marker,
o the ball's place.
"""
import argparse
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
from make_levels import TILE, grid  # noqa: E402

PACK = 'txtpckclassic'
BACKGROUND = 'sky'
ZOOM = 0.4  # 20 tiles across the window: the whole garden at once

# Both maps start at board tile (2, 2). At 1024 x 768 the window shows map
# columns 1 to 19 and rows 2 to 14 whole, rows 1 and 15 half; the ring of
# hedges lies under the frame, and shows only on taller windows.
ORIGIN = (2, 2)

GROUND = '''
HHHHHHHHHHHHHHHHHHHHH
HgggggggggggggggggggH
Hgsssaggggggggga   gH
Hgsssaggggggggga s gH
Hgsssaggggggggga s gH
Hgsssasssssssssa s gH
Hgsssasgggggggsa s gH
Hgsssasgggggggsa s gH
Hgsssasgggggggsa s gH
Hgsssasgggggggsa s gH
Hgsssasssssssssa   gH
HgaaaaaaaaaaaaaaaaagH
HggBgasssMsMsssaggggH
HggBgasssssss  aggggH
HggBgasssMsMaaaaggggH
HgggggggggggggggggggH
HHHHHHHHHHHHHHHHHHHHH
'''

OBJECTS = '''
.....................
.....................
..>>v.f.......f.e.S..
..^.v...........f....
..^fv...........b....
..^.v.f.......f......
..^bv............f...
..^.v................
..^fv.....o..........
..^.v................
..^<<.f.......f.N.w..
.....................
..b...t.t...>>>.f.f..
...c...t..x.J....b...
..b...t.t...CCC..f...
.....................
.....................
'''

WALLS = {'H': 'hedge', 'B': 'brick', 'M': 'metal'}
FLOORS = {'g': 'grass', 'a': 'sand', 's': 'stone'}
ARROWS = {'>': ('arroweast', 2), '<': ('arrowwest', 4), '^': ('arrownorth', 1), 'v': ('arrowsouth', 3),
          'J': ('jump', 5)}
MARKERS = {'N': ('markernorth', 1), 'E': ('markereast', 2), 'S': ('markersouth', 3), 'W': ('markerwest', 4)}

ABOUT = '''# The board behind the menus, written by tools/levels/menu_background.py.
# The menus centre the view on the ball, which they do not draw, and show the
# board at the level's zoom: a walled garden with a conveyor loop of arrows on
# the left, a moat on the right that two platforms sail round, steered by a
# loop of markers, and along the bottom bombs by a cracked wall, a trap field,
# the exit, a jump over two holes onto the path, cracked floor and flags.'''


def rows_of(text):
    rows = text.strip('\n').split('\n')
    width = max(len(r) for r in rows)
    return [r.ljust(width) for r in rows]


def level_text():
    ground, objects = rows_of(GROUND), rows_of(OBJECTS)
    assert len(ground) == len(objects) and len(ground[0]) == len(objects[0])
    cells = [[(g, o) for g, o in zip(grow, orow)] for grow, orow in zip(ground, objects)]
    ball = [(j, i) for i, row in enumerate(cells) for j, (_, o) in enumerate(row) if o == 'o']
    assert len(ball) == 1
    x0, y0 = ORIGIN[0] * TILE, ORIGIN[1] * TILE
    bx, by = x0 + ball[0][0] * TILE, y0 + ball[0][1] * TILE
    p = PACK
    out = [ABOUT, 'title "Zindrop 7"', 'music "audio/sunnyside.ogg"', 'timeLimit 0', f'zoom {ZOOM}',
           f'background {p} {BACKGROUND}', f'ball {p} ball {bx} {by}', f'ballShadow {p} shadow {bx + 16} {by + 16}',
           '']
    legend = [(c, n) for c, n in list(FLOORS.items()) + list(WALLS.items())]
    legend += [('f', 'flag'), ('b', 'bomb'), ('x', 'exit'), ('t', 'trap'), ('c', 'crackwall'),
               ('C', 'crackfloor'), ('P', 'platform')]
    legend += [(c, f'{n} dir {d}') for c, (n, d) in list(ARROWS.items()) + list(MARKERS.items())]
    out += [f'legend {c} {p} {n}' for c, n in legend]
    out.append('')

    def layer(pick):
        return [''.join(pick(g, o) or '.' for g, o in row) for row in cells]

    def floor(g, o):
        if g in FLOORS:
            return g
        if g in WALLS and o == 'c':
            return 'g'  # a cracked wall, once blasted, leaves grass
        return None

    def at(rows, name):
        text = grid(name, lambda ch: None if ch == '.' else ch, rows)
        if not text:
            return ''
        head, body = text.split('\n', 1)
        _, list_name, gx, gy = head.split()
        return f'grid {list_name} {int(gx) + x0} {int(gy) + y0}\n{body}'

    sections = [
        at(layer(floor), 'groundTiles'),
        at(layer(lambda g, o: o if o in 'xt' else None), 'exitsAndTraps'),
        at(layer(lambda g, o: o if o in ARROWS else None), 'arrows'),
        at(layer(lambda g, o: o.upper() if o in 'NESWnesw' else None), 'platformMarkers'),
        at(layer(lambda g, o: 'P' if o in 'nesw' else None), 'platforms'),
        at(layer(lambda g, o: o if o in 'fb' else None), 'bombsAndFlags'),
        at(layer(lambda g, o: g if g in WALLS else None), 'walls'),
        at(layer(lambda g, o: o if o in 'cC' else None), 'cracks'),
    ]
    return '\n'.join(out) + '\n' + '\n'.join(s for s in sections if s)


def preview(args, level, out):
    from PIL import Image
    size = 4096
    subprocess.run([args.tool, 'map', level, '-o', out, '--game', args.game, '--size', str(size)], check=True,
                   capture_output=True)
    board = Image.open(out).convert('RGBA')
    # The map's box: every object with a margin of 48 units; its scale from the longer side.
    text = open(level).read()
    xs, ys = [], []
    import make_docs
    for _, _, x, y in make_docs.objects_of(text):
        xs.append(x)
        ys.append(y)
    left, top = min(xs) - 48, min(ys) - 48
    width, height = max(xs) + 128 + 48 - left, max(ys) + 128 + 48 - top
    scale = board.width / width
    # The window at the level's zoom, centred on the ball's tile.
    bx = (ORIGIN[0] + [j for row in rows_of(OBJECTS) for j, ch in enumerate(row) if ch == 'o'][0]) * TILE
    by = (ORIGIN[1] + [i for i, row in enumerate(rows_of(OBJECTS)) if 'o' in row][0]) * TILE
    view_w, view_h = 1024 / ZOOM, 768 / ZOOM
    cx, cy = bx + 64, by + 64
    box = [round((cx - view_w / 2 - left) * scale), round((cy - view_h / 2 - top) * scale),
           round((cx + view_w / 2 - left) * scale), round((cy + view_h / 2 - top) * scale)]
    shot = board.crop(box).resize((1024, 768), Image.LANCZOS)
    frame = Image.open(os.path.join(ROOT, 'data', 'opening.png')).convert('RGBA')
    shot.alpha_composite(frame)
    shot.convert('RGB').save(out)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument('--preview')
    p.add_argument('--tool', default=os.path.join(ROOT, 'build/zdltool'))
    p.add_argument('--game', default=os.path.join(ROOT, 'build/game'))
    args = p.parse_args()
    path = os.path.join(ROOT, 'levels', 'menubackground.txt')
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        f.write(level_text())
    print(f'{os.path.relpath(path, ROOT)} written')
    if args.preview:
        preview(args, path, args.preview)
        print(f'{args.preview}: the menu view')


if __name__ == '__main__':
    main()
