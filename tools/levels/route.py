#!/usr/bin/python3
"""Turns a level's route (moves in tiles) into an input script for zdltool play.

A route is text, one step a line, '#' starting a comment:
  move DIR TILES [norest]   roll TILES tiles (may be fractional) towards DIR (R L U D,
                            or two joined by '+', e.g. R+U, for both axes) and stop by
                            braking; then rest so that a checkpoint is taken
  jump DIR TILES HOLE [WIDTH] [norest]
                            the same move with a jump over the hole that begins
                            HOLE tiles ahead of the ball's start (WIDTH tiles wide, 1)
  leap DIR HOLE [WIDTH]     roll with the key held up to the wall ahead, jumping the hole
                            that begins HOLE tiles ahead on the way, lean on the wall, rest
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
  to COL ROW                one straight move to the tile in column COL and row ROW
                            of the map: leaning on the wall there when one lies just
                            beyond it, else braking; then rest
  go COL ROW                the same tile reached by a path that the planner finds
                            through the map: straight moves over plain floor (never
                            over holes, traps, arrows or the exit before the goal),
                            as few as it can, stopping against walls where it can
  board COL ROW             the platform that starts on the map's cell (COL, ROW) picks
                            up the ball where it rests, on the platform's track
  ride COL ROW              no keys until that platform (with the ball, once boarded)
                            is on the tile (COL, ROW); the planner knows where the
                            ball is after it
The planner follows the ball with the rules of rolling on open floor (push, friction,
speed limit), so a move aims at a tile position and not at a distance; walls are known
to 'slam', 'to' and 'go', and platforms to 'board' and 'ride', which move them as the
game does. Arrows are not known to it: after those, tell it where the ball rests with
'at' (or lean on a wall, which puts the ball on a known tile).
"""
import heapq
import math
import sys

TILE = 128
REST = 60
D_FIRST = 0.42
D = 0.4175
AIRTIME = 29  # frames a jump lasts at 60 frames a second
ROBUST = 1.0  # frames of route worth one unit less spread of the stop

# Map characters (see make_levels.py) that the path finder rolls over and stops on,
# and those that stop the ball.
SAFE = set('.,;fbo1234C')
WALLS = set('#c')
PLATFORM_CHARS = set('Pnesw5678')
MARKER_DIRS = {'N': 1, 'E': 2, 'S': 3, 'W': 4}
MARKER_SPEED = {1: (0, -7), 2: (7, 0), 3: (0, 7), 4: (-7, 0)}

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


_plans = {}


def plan(distance, first, need=None, pace=50.0):
    """plan_search() remembered: routes of large boards ask for the same moves again and again."""
    if need is not None:
        return plan_search(distance, first, need, pace)
    key = (round(distance, 6), first, pace)
    if key not in _plans:
        _plans[key] = plan_search(distance, first, None, pace)
    return _plans[key]


def plan_search(distance, first, need=None, pace=50.0):
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
    if best is None and need is None:
        best = plan_long(distance, first, pace)
    if best is None:
        raise SystemExit(f'no plan for a move of {distance:.1f} units')
    return best[1], best[2]


def plan_long(distance, first, pace):
    """plan() for moves too long for its search: the push phase may last hundreds of frames. The ball's state
    after every frame of pushing is computed once; each coast and brake continues from it, and the length of
    the push is found by bisection, since a longer push never ends nearer."""
    states = [(0.0, 0.0)]  # (position, speed) after a frames of pushing
    x, v, top = 0.0, 0.0, 0.0
    for frame in range(1, 1000):
        d = D_FIRST if first and frame == 1 else D
        v = step(v, 1, d)
        x += d * v
        top = max(top, v)
        if top > pace + 0.01:
            break
        states.append((x, v))
        if x > distance + 200:
            break

    def end(a, c, b):
        if a < 1 or a >= len(states):
            return None
        x, v = states[a]
        for frames, push in ((c, 0), (b, -1)):
            for _ in range(frames):
                v = step(v, push, D)
                x += D * v
        if v < 0:
            return None
        while v != 0:
            v = step(v, 0, D)
            x += D * v
        return x

    best = None
    for c in (0, 1, 2, 3, 4, 6, 8, 10, 14, 18, 24, 32, 40):
        for b in range(0, 16):
            lo, hi = 1, len(states) - 1
            while lo < hi:  # the shortest push that ends at or beyond the distance
                mid = (lo + hi) // 2
                e = end(mid, c, b)
                if e is not None and e >= distance:
                    hi = mid
                else:
                    lo = mid + 1
            for a in (lo - 1, lo):
                e = end(a, c, b)
                if e is None or abs(e - distance) > 6:
                    continue
                spread = max(abs((end(a + da, c, b + db) or 1e9) - e)
                             for da, db in ((2, 0), (-2, 0), (0, 2), (0, -2)))
                frames = a + c + b
                cost = frames + abs(e - distance) * 0.5 + spread * ROBUST
                if best is None or cost < best[0]:
                    best = (cost, (a, c, b))
    if best is None:
        return None
    a, c, b = best[1]
    phases = [(a, 1), (c, 0), (b, -1)]
    pos, _ = simulate(phases, first)
    return best[0], phases, pos


def keys(word):
    return ' '.join(KEYNAMES[k] for k in word.split('+') if k)


class Platforms:
    """The level's moving platforms, moved frame by frame as the game moves them: unit steps along each
    axis, a snap to a marker reached within half a unit that gives the marker's direction, a step into a
    wall or another platform undone. The map's platforms and markers in the level's list order (row by row)."""

    def __init__(self, rows):
        self.walls = []
        self.markers = []
        self.items = []  # [x, y, vx, vy, start cell]
        for r, row in enumerate(rows):
            for c, ch in enumerate(row):
                if ch in WALLS:
                    self.walls.append((c * TILE, r * TILE))
                if ch in 'NESWnesw':
                    self.markers.append((c * TILE, r * TILE, MARKER_DIRS[ch.upper()]))
                elif ch in '12345678':
                    self.markers.append((c * TILE, r * TILE, (int(ch) - 1) % 4 + 1))
                if ch in PLATFORM_CHARS:
                    self.items.append([float(c * TILE), float(r * TILE), 0.0, 0.0, (c, r)])
        self.frame = 0
        self.history = [[(p[0], p[1]) for p in self.items]]  # positions after each frame (0: the start)

    def index(self, col, row):
        for i, p in enumerate(self.items):
            if p[4] == (col, row):
                return i
        raise SystemExit(f'no platform starts at column {col}, row {row}')

    def marker_rule(self, p):
        for mx, my, code in self.markers:
            if abs(mx - p[0]) < 0.5 and abs(my - p[1]) < 0.5:
                old = (float(round(p[2])), float(round(p[3])))
                p[0], p[1] = float(mx), float(my)
                p[2], p[3] = MARKER_SPEED[code]
                return (p[2], p[3]) != old
        return False

    def blocked(self, p):
        def overlap(ax, ay, bx, by):
            return ax <= bx + 127 and bx <= ax + 127 and ay <= by + 127 and by <= ay + 127
        if any(overlap(p[0], p[1], wx, wy) for wx, wy in self.walls):
            return True
        return any(q is not p and overlap(p[0], p[1], q[0], q[1]) for q in self.items)

    def step_axis(self, p, axis, target):
        start = p[axis]
        steps = 0
        while True:
            before = p[axis]
            if self.marker_rule(p):
                break
            if before == target:
                if steps == 0:
                    return 0.0
                break
            delta = target - p[axis]
            more = abs(delta) > 1
            if more:
                delta = 1.0 if delta > 0 else -1.0
            p[axis] += delta
            if self.blocked(p):
                p[axis] = before
                break
            if not more:
                break
            steps += 1
        return p[axis] - start

    def run_to(self, frame):
        """Moves the platforms on until after `frame` frames of play (each of D ticks)."""
        while self.frame < frame:
            for p in self.items:
                self.step_axis(p, 0, p[0] + D * p[2])
                self.step_axis(p, 1, p[1] + D * p[3])
            self.frame += 1
            self.history.append([(p[0], p[1]) for p in self.items])

    def at(self, i, frame):
        """Where platform i is after `frame` frames."""
        self.run_to(frame)
        return self.history[frame][i]


class Route:
    def __init__(self, rows=None):
        self.rows = list(rows or [])
        self.lines = []
        self.x = self.y = 0.0
        self.first = True
        self.frames = 0
        self.pace = 50.0
        self.platforms = Platforms(self.rows)
        self.riding = None  # (platform, ball offset from it) once a platform carries the ball
        # Whether the ball is known to lie on the grid along x and along y. A stop by braking may end a few
        # units off; rolling along a wall while off the grid towards it runs into the wall's corner, so
        # such a move is worth a warning and the path finder avoids it.
        self.aligned = [True, True]

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
        self.aligned[0 if dx else 1] = True

    def leap(self, dirs, hole, width=1.0, frames=72):
        """Rolls with the key held all the way to the wall ahead, jumping on the way the hole that begins
        HOLE tiles ahead, and leans on the wall. Nothing brakes: a ball that bounces off the wall comes back
        only half a tile against the held key, so it cannot roll back into the hole."""
        self.riding = None
        dx = sum(DIRS[k][0] for k in dirs.split('+'))
        dy = sum(DIRS[k][1] for k in dirs.split('+'))
        col, row = self.tile()
        for _ in range(200):
            if self.cell(col + dx, row + dy) in WALLS:
                break
            col, row = col + dx, row + dy
        distance = abs((col * TILE - self.x) if dx else (row * TILE - self.y))
        edge = hole * TILE - 64 + 1
        far = (hole + width) * TILE - 63
        pos, x, v = [], 0.0, 0.0
        while x < distance and len(pos) < 1000:
            d = D_FIRST if self.first and not pos else D
            v = step(v, 1, d)
            x += d * v
            pos.append(x)
        arrive = len(pos)
        at = lambda j: pos[j] if j < arrive else distance
        good = [j for j in range(1, arrive) if pos[j - 1] < edge - 40 and at(j + AIRTIME) > far + 48]
        if not good:
            raise SystemExit(f'leap {dirs} {hole}: no frame to jump on before the wall')
        jump = good[len(good) // 2]
        held = min(20, arrive - jump)
        self.emit(jump, keys(dirs), f'leap {dirs} over the hole {hole} tiles ahead')
        self.emit(held, keys(dirs + '+J'))
        self.emit(arrive - jump - held + frames, keys(dirs), f'on to the wall and lean {dirs} on it')
        self.emit(REST, '', 'rest: checkpoint')
        self.x, self.y = col * TILE, row * TILE
        self.aligned[0 if dx else 1] = True

    def move(self, dirs, tiles, hole=None, width=1.0, rest=True, short=10):
        self.riding = None
        dx = sum(DIRS[k][0] for k in dirs.split('+'))
        dy = sum(DIRS[k][1] for k in dirs.split('+'))
        if self.rows and not (dx and dy):
            here = self.tile()
            along = [(here[0] + dx * k, here[1] + dy * k) for k in range(0, int(round(tiles)) + 1)]
            if not self.aligned[1 if dx else 0] and self.beside_walls(along, dx, dy):
                print(f'route: {dirs} {tiles:g} from {here} runs along a wall while off the grid', file=sys.stderr)
        if dx:
            self.aligned[0] = False
        if dy:
            self.aligned[1] = False
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


    def beside_walls(self, cells, dx, dy):
        """Whether a wall lies beside any of the cells, across the direction (dx, dy)."""
        side = (0, 1) if dx else (1, 0)
        return any(self.cell(c + side[0] * k, r + side[1] * k) in WALLS for c, r in cells for k in (-1, 1))

    def wall_is_wide(self, col, row, dx, dy):
        """Whether the wall at (col, row) has walls on both sides across the direction (dx, dy): a ball a
        little off the grid that rolls into a lone wall tile may strike its corner and slip past it."""
        side = (0, 1) if dx else (1, 0)
        return all(self.cell(col + side[0] * k, row + side[1] * k) in WALLS for k in (-1, 1))

    def safe(self, col, row, goal=None):
        return self.cell(col, row) in SAFE or (col, row) == goal

    def tile(self):
        return round(self.x / TILE), round(self.y / TILE)

    def to(self, col, row):
        """One straight move to a tile: leaning on the wall beyond it, or braking."""
        here = self.tile()
        if here[0] != col and here[1] != row:
            raise SystemExit(f'to {col} {row}: not in a straight line from {here}')
        if (col, row) == here:
            return
        dx = (col > here[0]) - (col < here[0])
        dy = (row > here[1]) - (row < here[1])
        word = {(1, 0): 'R', (-1, 0): 'L', (0, 1): 'D', (0, -1): 'U'}[(dx, dy)]
        if self.cell(col + dx, row + dy) in WALLS:
            self.slam(word, 72)
        elif dx:
            self.move(word, abs(col * TILE - self.x) / TILE)
        else:
            self.move(word, abs(row * TILE - self.y) / TILE)

    def find_path(self, goal):
        """The cheapest list of straight moves from the ball's tile to `goal` over safe floor: a move that
        ends against a wall costs 1, one that brakes in the open 2, one that brakes just short of a hole,
        a trap or an arrow 4 (3 more when the last stop along that axis was braked too, for their errors
        add up), and every tile rolled a little. A braked stop leaves the ball perhaps a little
        off the grid along its move, so the next moves across that axis must not roll along walls, nor
        into a lone wall tile, whose corner would turn it aside (cost 30), until a lean on a wall lines
        the ball up again; and the last move, which must pass over the goal (a flag to pick up, say),
        had better run along a line the ball is known to be on (cost 10)."""
        start = (self.tile(), tuple(self.aligned))
        heap = [(0.0, 0, start, [])]
        done = set()
        count = 0
        while heap:
            cost, _, state, steps = heapq.heappop(heap)
            here, aligned = state
            if here == goal:
                return steps
            if state in done:
                continue
            done.add(state)
            for (dx, dy) in DIRS.values():
                col, row = here
                tiles = 0
                passed = [here]
                while True:
                    col, row = col + dx, row + dy
                    if not self.safe(col, row, goal):
                        break
                    tiles += 1
                    passed.append((col, row))
                    beyond = self.cell(col + dx, row + dy)
                    weight = 1.0 if beyond in WALLS else 2.0 if beyond in SAFE else 4.0
                    if weight > 1 and not aligned[0 if dx else 1]:
                        weight += 3.0  # a second braked stop along an axis adds its error to the first's
                    if not aligned[1 if dx else 0] and (self.beside_walls(passed, dx, dy) or (
                            beyond in WALLS and not self.wall_is_wide(col + dx, row + dy, dx, dy))):
                        weight += 30.0
                    if (col, row) == goal and not aligned[1 if dx else 0]:
                        weight += 10.0  # the goal (a flag, say) is met squarely from a line the ball is on
                    now = list(aligned)
                    now[0 if dx else 1] = beyond in WALLS
                    count += 1
                    heapq.heappush(heap, (cost + weight + 0.01 * tiles, count, ((col, row), tuple(now)),
                                          steps + [(col, row)]))
                    if self.cell(col, row) not in SAFE:
                        break  # the goal itself, an exit say: the ball goes no further
        raise SystemExit(f'go {goal[0]} {goal[1]}: no way there from {start}')

    def go(self, col, row):
        for c, r in self.find_path((col, row)):
            self.lines.append(f'# to column {c}, row {r}')
            self.to(c, r)

    def board(self, col, row):
        """The platform that starts at (col, row) comes under the resting ball: from the first frame whose
        platform step finds the ball's centre box on it, the ball moves with it."""
        i = self.platforms.index(col, row)
        frame = self.frames
        while True:
            px, py = self.platforms.at(i, frame)
            if px - 65 <= self.x <= px + 65 and py - 65 <= self.y <= py + 65:
                break
            frame += 1
            if frame > self.frames + 60 * 120:
                raise SystemExit(f'board {col} {row}: the platform never comes to the ball at {self.x}, {self.y}')
        self.riding = (i, self.x - px, self.y - py, frame)

    def ride(self, col, row):
        """No keys until the platform (the one boarded) is on the tile (col, row)."""
        if self.riding is None:
            raise SystemExit(f'ride {col} {row}: board a platform first')
        i, ox, oy, since = self.riding
        frame = max(self.frames, since)
        tx, ty = col * TILE, row * TILE
        while True:
            px, py = self.platforms.at(i, frame)
            if abs(px - tx) <= 1.5 and abs(py - ty) <= 1.5:
                break
            frame += 1
            if frame > self.frames + 60 * 120:
                raise SystemExit(f'ride {col} {row}: the platform never gets there')
        self.emit(frame - self.frames, '', f'ride the platform to column {col}, row {row}')
        self.x, self.y = px + ox, py + oy
        self.aligned = [abs(self.x - round(self.x / TILE) * TILE) < 0.5, abs(self.y - round(self.y / TILE) * TILE) < 0.5]
        self.lines.append(f'# the ball rests at ({self.x:g}, {self.y:g}) on the platform')


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
            r.aligned = [True, True]
            if op == 'at':
                r.lines.append(f'# the ball rests at ({args[0]}, {args[1]})')
        elif op == 'move':
            r.move(args[0], float(args[1]), rest=not norest)
        elif op == 'jump':
            width = float(args[3]) if len(args) > 3 else 1.0
            r.move(args[0], float(args[1]), hole=float(args[2]), width=width, rest=not norest)
        elif op == 'leap':
            r.leap(args[0], float(args[1]), float(args[2]) if len(args) > 2 else 1.0)
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
        elif op == 'to':
            r.to(int(args[0]), int(args[1]))
        elif op == 'go':
            r.go(int(args[0]), int(args[1]))
        elif op == 'board':
            r.board(int(args[0]), int(args[1]))
        elif op == 'ride':
            r.ride(int(args[0]), int(args[1]))
        elif op == 'say':
            r.lines.append('# ' + ' '.join(args))
        else:
            raise SystemExit(f'line {number}: unknown step {op}')
    return '\n'.join(r.lines) + '\n'


if __name__ == '__main__':
    source = open(sys.argv[1]).read() if len(sys.argv) > 1 else sys.stdin.read()
    sys.stdout.write(compile_route(source))
