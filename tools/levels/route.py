#!/usr/bin/python3
"""Turns a level's route (moves in tiles) into an input script for zdltool play.

A route is text, one step a line, '#' starting a comment:
  move DIR TILES [norest]   roll TILES tiles (may be fractional) towards DIR (R L U D,
                            or two joined by '+', e.g. R+U, for both axes) and stop by
                            braking; then rest so that a checkpoint is taken
  jump DIR TILES HOLE [WIDTH] [norest]
                            the same move with a jump over the hole that begins
                            HOLE tiles ahead of the ball's start (WIDTH tiles wide, 1)
  hold KEYS N               N frames holding KEYS (R L U D J B Z joined by '+')
  slam DIR [N]              roll up to the wall ahead, lean on it N frames (24), rest
  wait N                    N frames without keys
  until N                   no keys until frame N of the script
  rest                      a rest long enough for a checkpoint
  at X Y                    tell the planner where the ball is now (units), after
                            moves it cannot follow (walls, arrows, platforms)
  start X Y                 the ball's start position
The planner follows the ball with the rules of rolling on open floor (push, friction,
speed limit), so a move aims at a tile position and not at a distance; walls, arrows
and platforms are not known to it: after those, tell it where the ball rests with 'at'.
"""
import math
import sys

TILE = 128
REST = 12
D_FIRST = 0.42
D = 0.4175
AIRTIME = 29  # frames a jump lasts at 60 frames a second

KEYNAMES = {'R': 'Right', 'L': 'Left', 'U': 'Up', 'D': 'Down', 'J': 'Jump', 'B': 'Bomb', 'Z': 'Zoom'}
DIRS = {'R': (1, 0), 'L': (-1, 0), 'U': (0, -1), 'D': (0, 1)}


def step(v, push, d):
    """One frame of one axis on open floor: friction, then the push; returns the new speed."""
    if v > 0:
        v = max(0.0, v - 2 * d)
    elif v < 0:
        v = min(0.0, v + 2 * d)
    if abs(v) < 0.5:
        v = 0.0
    if push:
        a = 6 * d * push
        if abs(v + a) <= 50 or (v != 0 and (v > 0) != (a > 0)):
            v += a
    return v


def simulate(phases, first):
    """Positions (relative) after each frame of phases [(frames, push)], then coasting to rest."""
    x, v, pos = 0.0, 0.0, []
    frame = 0
    for frames, push in phases:
        for _ in range(frames):
            d = D_FIRST if first and frame == 0 else D
            v = step(v, push, d)
            x += d * v
            pos.append(x)
            frame += 1
    while v != 0:
        v = step(v, 0, D)
        x += D * v
        pos.append(x)
    return pos


def plan(distance, first, need=None):
    """The quickest accelerate-coast-brake phases that end at rest near `distance` units.

    `need`, when given, is a test of the positions that the plan must pass."""
    best = None
    for a in range(1, 60):
        for c in (0, 1, 2, 3, 4, 6, 8, 10, 14, 18, 24):
            for b in range(0, 16):
                phases = [(a, 1), (c, 0), (b, -1)]
                pos = simulate(phases, first)
                end = pos[-1]
                if any(p < -1 for p in pos) or abs(end - distance) > 6:
                    continue
                if need and not need(pos):
                    continue
                cost = len(pos) + abs(end - distance) * 0.5
                if best is None or cost < best[0]:
                    best = (cost, phases, pos)
    if best is None:
        raise SystemExit(f'no plan for a move of {distance:.1f} units')
    return best[1], best[2]


def keys(word):
    return ' '.join(KEYNAMES[k] for k in word.split('+') if k)


class Route:
    def __init__(self, rows=None):
        self.rows = rows or []
        self.lines = []
        self.x = self.y = 0.0
        self.first = True
        self.frames = 0

    def emit(self, frames, keyword='', comment=''):
        if frames <= 0:
            return
        line = f'{frames} {keyword}'.rstrip()
        if comment:
            line = f'{line:<20} # {comment}'
        self.lines.append(line)
        self.first = False
        self.frames += frames

    def cell(self, col, row):
        if 0 <= row < len(self.rows) and 0 <= col < len(self.rows[row]):
            return self.rows[row][col]
        return ' '

    def wall_after(self, dirs, target):
        """True when the cell beyond the target tile, in the direction of a straight move, is a wall."""
        dx = sum(DIRS[k][0] for k in dirs.split('+'))
        dy = sum(DIRS[k][1] for k in dirs.split('+'))
        if dx and dy:
            return False
        col = round((target if dx else self.x) / TILE) + dx
        row = round((target if dy else self.y) / TILE) + dy
        return self.cell(col, row) in '#c'

    def slam(self, dirs, frames):
        """Rolls up to the wall ahead, then leans on it: the ball ends beside the wall, lined up with it."""
        dx = sum(DIRS[k][0] for k in dirs.split('+'))
        dy = sum(DIRS[k][1] for k in dirs.split('+'))
        col, row = round(self.x / TILE), round(self.y / TILE)
        for _ in range(200):
            if self.cell(col + dx, row + dy) in '#c':
                break
            col, row = col + dx, row + dy
        tiles = abs((col * TILE - self.x) if dx else (row * TILE - self.y)) / TILE
        if tiles > 0.4:
            self.move(dirs, tiles, rest=False)
        self.emit(frames, keys(dirs), f'lean {dirs} on the wall')
        self.emit(REST, '', 'rest: checkpoint')
        self.x, self.y = col * TILE, row * TILE

    def move(self, dirs, tiles, hole=None, width=1.0, rest=True):
        dx = sum(DIRS[k][0] for k in dirs.split('+'))
        dy = sum(DIRS[k][1] for k in dirs.split('+'))
        # Aim at the tile position nearest to where the move should end.
        axis_from = self.x if dx else self.y
        target = round((axis_from + (dx or dy) * tiles * TILE) / TILE * 4) / 4 * TILE
        if self.wall_after(dirs, target):
            target -= (dx or dy) * 10  # stop short of the wall instead of bouncing off it
        distance = abs(target - axis_from)
        need = None
        jump_frame = None
        if hole is not None:
            edge = hole * TILE - 64 + 1   # where the centre would leave the floor
            far = (hole + width) * TILE - 63  # where it is on floor again
            edge -= (axis_from % TILE) * 0  # start positions are tile aligned

            def need(pos):
                for j in range(1, len(pos) - AIRTIME - 2):
                    if pos[j - 1] < edge - 24 and pos[j + AIRTIME] > far + 24:
                        return True
                return False
        phases, pos = plan(distance, self.first, need)
        if hole is not None:
            edge = hole * TILE - 64 + 1
            far = (hole + width) * TILE - 63
            good = [j for j in range(1, len(pos) - AIRTIME - 2)
                    if pos[j - 1] < edge - 24 and pos[j + AIRTIME] > far + 24]
            jump_frame = good[len(good) // 2]
        fwd = dirs
        back = '+'.join({'R': 'L', 'L': 'R', 'U': 'D', 'D': 'U'}[k] for k in dirs.split('+'))
        seq = []
        for frames, push in phases:
            seq += [fwd if push > 0 else back if push < 0 else ''] * frames
        coast = len(pos) - len(seq)
        seq += [''] * coast
        if jump_frame is not None:
            seq[jump_frame] = (seq[jump_frame] + '+J').lstrip('+')
        # Run-length encode.
        what = f'{"jump" if hole is not None else "move"} {dirs} {tiles}'
        i = 0
        while i < len(seq):
            j = i
            while j < len(seq) and seq[j] == seq[i]:
                j += 1
            self.emit(j - i, keys(seq[i]), what)
            what = ''
            i = j
        end = pos[-1]
        if dx:
            self.x = self.x + dx * end
        else:
            self.y = self.y + dy * end
        if dx and dy:
            self.y = self.y + dy * end
        if rest:
            self.emit(REST, '', 'rest: checkpoint')


def compile_route(text, rows=None):
    r = Route(rows)
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.split('#')[0].split()
        if not line:
            continue
        op, args = line[0], line[1:]
        norest = 'norest' in args
        args = [a for a in args if a != 'norest']
        if op == 'start' or op == 'at':
            r.x, r.y = float(args[0]), float(args[1])
            if op == 'at':
                r.lines.append(f'# the ball rests at ({args[0]}, {args[1]})')
        elif op == 'move':
            r.move(args[0], float(args[1]), rest=not norest)
        elif op == 'jump':
            width = float(args[3]) if len(args) > 3 else 1.0
            r.move(args[0], float(args[1]), hole=float(args[2]), width=width, rest=not norest)
        elif op == 'hold':
            r.emit(int(args[1]), keys(args[0]), ' '.join(args[2:]))
        elif op == 'slam':
            r.slam(args[0], int(args[1]) if len(args) > 1 else 24)
        elif op == 'until':
            r.emit(int(args[0]) - r.frames, '', 'wait for it')
        elif op == 'wait':
            r.emit(int(args[0]))
        elif op == 'rest':
            r.emit(REST, '', 'rest: checkpoint')
        elif op == 'say':
            r.lines.append('# ' + ' '.join(args))
        else:
            raise SystemExit(f'line {number}: unknown step {op}')
    return '\n'.join(r.lines) + '\n'


if __name__ == '__main__':
    source = open(sys.argv[1]).read() if len(sys.argv) > 1 else sys.stdin.read()
    sys.stdout.write(compile_route(source))
