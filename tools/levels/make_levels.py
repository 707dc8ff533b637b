#!/usr/bin/python3
"""Writes the game's level packs from one map a level.

Each level of tools/levels/pack_*.py is a map of characters (one a cell), its
look, its texts and its route. This writes levels/<pack>/NNN.txt (the level
text that the build compiles), .eng and .deu (the companion texts) and
.solution (the route turned into an input script by route.py), plays the
solution with zdltool and sets the time limit to its time x 1.5, rounded up to
whole 10 seconds. A level with a second route (`alt`, the other way to the
exit) also gets NNN.alt.solution; when that way is so long that the limit
would not leave it a tenth of the limit spare, the limit grows to its time
x 1.1, rounded up likewise.

  make_levels.py [--tool build/zdltool] [--game build/game] [PACK [NUMBER ...]]

Map characters (every character but '#', ' ' and the markers lies on floor):
  ' '  nothing (a hole)          .  floor          ,  second floor   ;  third floor
  #    wall                      c  cracked wall (floor under it)    C  cracked floor
  f    flag                      x  exit           t  trap           b  bomb
  > < ^ v  arrows                J  jump arrow     o  the ball's start
  N E S W  platform markers (no floor)             P  platform (no floor)
  n e s w  a platform standing on a marker of that direction
  1 2 3 4  a marker north, east, south, west on floor
  5 6 7 8  a platform on such a marker on floor
"""
import argparse
import importlib
import math
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import route  # noqa: E402

TILE = 128
FLOOR_CHARS = set('.,;cCfxtb><^vJo12345678')
GROUND_OF = {',': 1, ';': 2}
ARROWS = {'>': ('arroweast', 2), '<': ('arrowwest', 4), '^': ('arrownorth', 1), 'v': ('arrowsouth', 3),
          'J': ('jump', 5)}
MARKERS = {'N': ('markernorth', 1), 'E': ('markereast', 2), 'S': ('markersouth', 3), 'W': ('markerwest', 4)}
MUSIC = {'sunny': 'sunnyside', 'halls': 'hiddenhalls', 'tilt': 'fulltilt', 'bonus': 'bonusround'}


class Level:
    def __init__(self, title, map, route, eng, deu, about='', pack='txtpckclassic', back='sky', music='sunny',
                 ground=('grass', 'sand', 'stone'), wall='brick', zoom=0.5, alt=None):
        self.title, self.map, self.route, self.eng, self.deu = title, map, route, eng, deu
        self.alt = alt
        self.about, self.pack, self.back, self.music = about, pack, back, music
        self.ground, self.wall, self.zoom = ground, wall, zoom


def rows_of(map_text):
    rows = map_text.strip('\n').split('\n')
    width = max(len(r) for r in rows)
    return [r.ljust(width) for r in rows]


def grid(name, layer, rows):
    """A grid statement for one list, or '' when the layer is empty."""
    cells = [[layer(ch) for ch in row] for row in rows]
    if not any(any(c for c in row) for row in cells):
        return ''
    # Trim empty rows and columns around it.
    used_rows = [i for i, row in enumerate(cells) if any(row)]
    used_cols = [j for j in range(len(cells[0])) if any(row[j] for row in cells)]
    r0, r1, c0, c1 = used_rows[0], used_rows[-1], used_cols[0], used_cols[-1]
    out = [f'grid {name} {c0 * TILE} {r0 * TILE}']
    for row in cells[r0:r1 + 1]:
        out.append('|' + ''.join(c or '.' for c in row[c0:c1 + 1]) + '|')
    return '\n'.join(out) + '\n'


def level_text(level, time_limit):
    rows = rows_of(level.map)
    p = level.pack
    ball = [(j, i) for i, row in enumerate(rows) for j, ch in enumerate(row) if ch == 'o']
    assert len(ball) == 1, level.title
    bx, by = ball[0][0] * TILE, ball[0][1] * TILE
    out = []
    for line in level.about.strip().splitlines():
        out.append(f'# {line}'.rstrip())
    out += [f'title "{level.title}"', f'music "audio/{MUSIC[level.music]}.ogg"', f'timeLimit {time_limit}',
            f'zoom {level.zoom}', f'background {p} {level.back}', f'ball {p} ball {bx} {by}',
            f'ballShadow {p} shadow {bx + 16} {by + 16}', '']
    legend = [('g', level.ground[0]), ('a', level.ground[1]), ('s', level.ground[2])]
    out += [f'legend {c} {p} {n}' for c, n in legend]
    out += [f'legend "#" {p} {level.wall}', f'legend c {p} crackwall', f'legend C {p} crackfloor',
            f'legend f {p} flag', f'legend x {p} exit', f'legend t {p} trap', f'legend b {p} bomb',
            f'legend P {p} platform']
    for ch, (name, code) in list(ARROWS.items()) + list(MARKERS.items()):
        q = f'"{ch}"' if ch in '#"' else ch
        out.append(f'legend {q} {p} {name} dir {code}')
    out.append('')
    ground = lambda ch: 'gas'[GROUND_OF.get(ch, 0)] if ch in FLOOR_CHARS else None
    out.append(grid('groundTiles', ground, rows))
    out.append(grid('exitsAndTraps', lambda ch: ch if ch in 'xt' else None, rows))
    out.append(grid('arrows', lambda ch: ch if ch in ARROWS else None, rows))
    marker = lambda ch: ch.upper() if ch in 'NESWnesw' else 'NESW'[(int(ch) - 1) % 4] if ch in '12345678' else None
    out.append(grid('platformMarkers', marker, rows))
    out.append(grid('platforms', lambda ch: 'P' if ch in 'Pnesw5678' else None, rows))
    out.append(grid('bombsAndFlags', lambda ch: ch if ch in 'fb' else None, rows))
    out.append(grid('walls', lambda ch: '#' if ch in '#c' else None, rows))
    out.append(grid('cracks', lambda ch: ch if ch in 'cC' else None, rows))
    return '\n'.join(o for o in out if o != '') .replace('\ngrid', '\n\ngrid') + '\n'


def play(tool, game, level_path, solution_path):
    proc = subprocess.run([tool, 'play', level_path, '--inputs', solution_path, '--game', game, '--settle', '6'],
                          capture_output=True, text=True)
    last = proc.stdout.strip().splitlines()[-1].split() if proc.stdout.strip() else ['result', 'error']
    if proc.returncode != 0:
        return 'error ' + proc.stderr.strip(), 0, 0.0
    return last[1], int(last[3]), float(last[5])


def rounded_limit(seconds, factor):
    return int(math.ceil(seconds * factor / 10) * 10)


def solution_text(level, rows, route_text, what):
    start = [(j, i) for i, row in enumerate(rows) for j, ch in enumerate(row) if ch == 'o'][0]
    text = f'# {level.title}: {what}, for zdltool play.\n'
    return text + route.compile_route(f'start {start[0] * TILE} {start[1] * TILE}\n' + route_text, rows)


def write(path, text, encoding='utf-8'):
    """Writes a file unless it already holds the text (companion texts are in the game's Windows-1252)."""
    if os.path.exists(path) and open(path, encoding=encoding).read() == text:
        return
    with open(path, 'w', encoding=encoding, newline='\n') as f:
        f.write(text)


def make_pack(module, numbers, tool, game):
    pack = module.PACK
    folder = os.path.join(ROOT, 'levels', pack)
    os.makedirs(folder, exist_ok=True)
    failures = 0
    for n, level in enumerate(module.LEVELS, 1):
        if numbers and n not in numbers:
            continue
        base = os.path.join(folder, f'{n:03d}')
        rows = rows_of(level.map)
        write(base + '.solution', solution_text(level, rows, level.route, 'the route through the level'))
        if level.alt:
            write(base + '.alt.solution', solution_text(level, rows, level.alt, 'the other way to the exit'))
        for ext, lines in (('.eng', level.eng), ('.deu', level.deu)):
            assert len(lines) == 4, (level.title, ext)
            write(base + ext, '\n'.join(lines) + '\n', 'cp1252')
        write(base + '.txt', level_text(level, 600))
        result, score, seconds = play(tool, game, base + '.txt', base + '.solution')
        limit = rounded_limit(seconds, 1.5) if result == 'finished' else 600
        if level.alt:
            alt_result, _, alt_seconds = play(tool, game, base + '.txt', base + '.alt.solution')
            if alt_result == 'finished' and alt_seconds * 1.1 > limit:
                limit = rounded_limit(alt_seconds, 1.1)
        write(base + '.txt', level_text(level, limit))
        if result == 'finished':
            result, score, seconds = play(tool, game, base + '.txt', base + '.solution')
        flag = '' if result == 'finished' else '   <-- FAILS'
        failures += result != 'finished'
        print(f'{pack}/{n:03d} {level.title:26} {result:10} time {seconds:7.2f} score {score:6} limit {limit}{flag}')
        if level.alt:
            alt_result, alt_score, alt_seconds = play(tool, game, base + '.txt', base + '.alt.solution')
            flag = '' if alt_result == 'finished' else '   <-- FAILS'
            failures += alt_result != 'finished'
            print(f'{"":18}{"the other way":26} {alt_result:10} time {alt_seconds:7.2f} score {alt_score:6}{flag}')
    return failures


def main():
    p = argparse.ArgumentParser()
    p.add_argument('--tool', default=os.path.join(ROOT, 'build/zdltool'))
    p.add_argument('--game', default=os.path.join(ROOT, 'build/game'))
    p.add_argument('pack', nargs='?', default=None)
    p.add_argument('numbers', nargs='*', type=int)
    args = p.parse_args()
    modules = ['pack_main', 'pack_expert', 'pack_journey']
    failures = 0
    for name in modules:
        if not os.path.exists(os.path.join(HERE, name + '.py')):
            continue
        module = importlib.import_module(name)
        if args.pack and args.pack not in (name, module.PACK):
            continue
        failures += make_pack(module, set(args.numbers), args.tool, args.game)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
