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
  slam DIR [N]              roll up to the wall ahead, lean on it N frames (72), rest
  wait N                    N frames without keys
  until N                   no keys until frame N of the script
  rest                      a rest long enough for a checkpoint
  pace V                    later moves roll no faster than V units a tick (50 at most):
                            a slow ball stops where it should even when a key is
                            held a frame too long or too short
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
REST = 60
D_FIRST = 0.42
D = 0.4175
AIRTIME = 29  # frames a jump lasts at 60 frames a second
ROBUST = 1.0  # frames of route worth one unit less spread of the stop

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
    """Positions (relative) after each frame of phases [(frames, push)], then coasting to rest,
    and the top speed on the way."""
    x, v, pos, top = 0.0, 0.0, [], 0.0
    frame = 0
    for frames, push in phases:
        for _ in range(frames):
            d = D_FIRST if first and frame == 0 else D
            v = step(v, push, d)
            top = max(top, abs(v))
            x += d * v
            pos.append(x)
            frame += 1
    while v != 0:
        v = step(v, 0, D)
        x += D * v
        pos.append(x)
    return pos, top


def plan(distance, first, need=None, pace=50.0):
    """The quickest accelerate-coast-brake phases that end at rest near `distance` units
    without rolling faster than `pace` units a tick.

    `need`, when given, is a test of the positions that the plan must pass."""
    best = None
    for a in range(1, 100):
        for c in (0, 1, 2, 3, 4, 6, 8, 10, 14, 18, 24, 32, 40):
            for b in range(0, 16):
                phases = [(a, 1), (c, 0), (b, -1)]
                pos, top = simulate(phases, first)
                end = pos[-1]
                if top > pace + 0.01 or any(p < -1 for p in pos) or abs(end - distance) > 6:
                    continue
                if need and not need(pos, phases):
                    continue
                # How far the stop moves when a key is held two frames longer or shorter.
                spread = 0.0
                for da, db in ((2, 0), (-2, 0), (0, 2), (0, -2)):
                    if a + da < 1 or b + db < 0:
                        continue
                    moved, _ = simulate([(a + da, 1), (c, 0), (b + db, -1)], first)
                    spread = max(spread, abs(moved[-1] - end))
                cost = len(pos) + abs(end - distance) * 0.5 + spread * ROBUST
                if best is None or cost < best[0]:
                    best = (cost, phases, pos)
    if best is None:
        raise SystemExit(f'no plan for a move of {distance:.1f} units')
    return best[1], best[2]


def keys(word):
    return ' '.join(KEYNAMES[k] for k in word.split('+') if k)


class Route:
    def __init__(self, rows=None):
        self.rows = list(rows or [])
        self.lines = []
        self.x = self.y = 0.0
        self.first = True
        self.frames = 0
        self.pace = 50.0

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

    def blast(self):
        """A bomb set off where the ball is: cracked walls around it open, cracked floor falls away."""
        col, row = round(self.x / TILE), round(self.y / TILE)
        for r in range(row - 1, row + 2):
            for c in range(col - 1, col + 2):
                ch = self.cell(c, r)
                if ch in 'cC':
                    line = self.rows[r]
                    self.rows[r] = line[:c] + ('.' if ch == 'c' else ' ') + line[c + 1:]

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
            # The wall stops the ball wherever the move ends: no need to roll slowly.
            # It aims half a tile short, so that a ball rolling a little too far
            # does not bounce off hard and need long to settle.
            pace, self.pace = self.pace, 50.0
            self.move(dirs, tiles, rest=False, short=56)
            self.pace = pace
        self.emit(frames, keys(dirs), f'lean {dirs} on the wall')
        self.emit(REST, '', 'rest: checkpoint')
        self.x, self.y = col * TILE, row * TILE

    def move(self, dirs, tiles, hole=None, width=1.0, rest=True, short=10):
        dx = sum(DIRS[k][0] for k in dirs.split('+'))
        dy = sum(DIRS[k][1] for k in dirs.split('+'))
        # Aim at the tile position nearest to where the move should end.
        axis_from = self.x if dx else self.y
        target = round((axis_from + (dx or dy) * tiles * TILE) / TILE * 4) / 4 * TILE
        if self.wall_after(dirs, target):
            target -= (dx or dy) * short  # stop short of the wall instead of bouncing off it
        distance = abs(target - axis_from)
        need = None
        jump_frame = None
        if hole is not None:
            edge = hole * TILE - 64 + 1   # where the centre would leave the floor
            far = (hole + width) * TILE - 63  # where it is on floor again
            edge -= (axis_from % TILE) * 0  # start positions are tile aligned

            def good_frames(pos, phases):
                """Frames to press Ctrl on: while the ball is pushed forward, well before the
                edge, so that it lands well beyond the hole; the brake begins after the landing."""
                brake = phases[0][0] + phases[1][0] if phases[2][0] else len(pos)
                return [j for j in range(1, len(pos) - AIRTIME - 2)
                        if pos[j - 1] < edge - 40 and pos[j + AIRTIME] > far + 48
                        and j + AIRTIME + 4 <= brake and j < phases[0][0]]

            def need(pos, phases):
                return len(good_frames(pos, phases)) >= 3
        phases, pos = plan(distance, self.first, need, self.pace)
        if hole is not None:
            good = good_frames(pos, phases)
            jump_frame = good[len(good) * 2 // 3]  # late rather than early: faster
        fwd = dirs
        back = '+'.join({'R': 'L', 'L': 'R', 'U': 'D', 'D': 'U'}[k] for k in dirs.split('+'))
        seq = []
        for frames, push in phases:
            seq += [fwd if push > 0 else back if push < 0 else ''] * frames
        coast = len(pos) - len(seq)
        seq += [''] * coast
        if jump_frame is not None:
            # Ctrl stays held with the push, up to 20 frames: fewer key changes make the
            # jump less sensitive to a key held a frame too long or too short. It is let go
            # well before the landing, which would otherwise start another jump.
            for j in range(jump_frame, min(jump_frame + 20, len(seq))):
                if seq[j] != fwd and j > jump_frame:
                    break
                seq[j] = (seq[j] + '+J').lstrip('+')
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
            if 'B' in args[0].split('+'):
                r.blast()
        elif op == 'slam':
            r.slam(args[0], int(args[1]) if len(args) > 1 else 72)
        elif op == 'until':
            r.emit(int(args[0]) - r.frames, '', 'wait for it')
        elif op == 'wait':
            r.emit(int(args[0]))
        elif op == 'pace':
            r.pace = float(args[0])
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
