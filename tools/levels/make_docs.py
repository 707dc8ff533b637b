#!/usr/bin/python3
"""Rebuilds docs/levels.md and its pictures from the shipped levels.

  make_docs.py [--tool build/zdltool] [--game build/game]

For every levels/lvlpck*/NNN.txt: its number and title, what the level is
about (the first sentence of the comment at its top), the mechanics it uses
(counted from its grids and object lines), its time limit, the time and score
of its solution (NNN.solution played by `zdltool play`) and a small map made
by `zdltool map --size 256` into docs/levels/<pack>/NNN.png. A pack whose
levels have a second solution (NNN.alt.solution, the other way to the exit)
gets a section per level instead of a table row: the whole comment, which
names both ways, the time and score of each, the size of the board, and a
map large enough to read a board larger than the screen. The menu
background level is shown at the end. Build the game first (cmake --build
build); run again whenever levels change. Exits 1 when a solution does not
finish its level in time.
"""
import argparse
import concurrent.futures
import glob
import os
import re
import shlex
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAP_SIZE = 256
LARGE_MAP_SIZE = 768  # about 30 pixels a tile for a board of 25 tiles
LARGE_BOARD = 16  # tiles: a board of a pack with second solutions wider or taller than this gets the large map
# The packs of the course in the order of their difficulty; any other pack follows by name.
PACK_ORDER = ['lvlpckzindrop', 'lvlpckjourney', 'lvlpckexpert']

# What the picture set names of the texture packs stand for.
ARROWS = {'arroweast', 'arrowwest', 'arrownorth', 'arrowsouth'}
MARKERS = {'markereast', 'markerwest', 'markernorth', 'markersouth'}


def objects_of(text):
    """(list name, free name, x, y) of every object of a level text."""
    legend = {}
    found = []
    grid = None
    for line in text.splitlines():
        stripped = line.strip()
        if grid and stripped.startswith('|'):
            row = stripped[1:]
            if row.endswith('|'):
                row = row[:-1]
            found += [(grid[0], legend.get(c, '?'), grid[1] + 128 * i, grid[2]) for i, c in enumerate(row)
                      if c not in '. ']
            grid = (grid[0], grid[1], grid[2] + 128)
            continue
        try:
            words = shlex.split(line, comments=True)
        except ValueError:
            continue
        if not words:
            continue
        keyword = words[0].lower()
        grid = None
        try:
            if keyword == 'legend' and len(words) >= 4:
                legend[words[1]] = words[3]
            elif keyword == 'object' and len(words) >= 6:
                found.append((words[1].lower(), words[3], float(words[4]), float(words[5])))
            elif keyword == 'grid' and len(words) >= 4:
                grid = (words[1].lower(), float(words[2]), float(words[3]))
        except ValueError:
            pass
    return found


def gaps(objects):
    """Gaps in the floor one or two tiles wide with floor on both sides, in a row or a column: the holes to
    jump, touching gap tiles counted as one hole."""
    floor = {(x, y) for kind, name, x, y in objects
             if kind in ('groundtiles', 'exitsandtraps', 'arrows') or name == 'crackfloor'}
    blocked = floor | {(x, y) for kind, _, x, y in objects if kind in ('walls', 'platforms')}
    found = set()
    for x, y in floor:
        for dx, dy in ((128, 0), (0, 128)):
            for width in (1, 2):
                cells = [(x + dx * i, y + dy * i) for i in range(1, width + 1)]
                if any(c in blocked for c in cells):
                    break
                if (x + dx * (width + 1), y + dy * (width + 1)) in floor:
                    found.update(cells)
                    break
    holes = 0
    while found:
        holes += 1
        waiting = [found.pop()]
        while waiting:
            x, y = waiting.pop()
            for near in ((x + 128, y), (x - 128, y), (x, y + 128), (x, y - 128)):
                if near in found:
                    found.remove(near)
                    waiting.append(near)
    return holes


def board_size(objects):
    """Columns and rows of the box round the level's ground tiles."""
    ground = [(x, y) for kind, _, x, y in objects if kind == 'groundtiles']
    if not ground:
        return 0, 0
    xs, ys = [x for x, _ in ground], [y for _, y in ground]
    return int((max(xs) - min(xs)) // 128) + 1, int((max(ys) - min(ys)) // 128) + 1


def counted(n, one, many):
    return f'{n} {one if n == 1 else many}'


def mechanics(text):
    """The level's mechanics in one line."""
    objects = objects_of(text)
    names = [name for _, name, _, _ in objects]
    count = lambda *wanted: sum(1 for n in names if n in wanted)
    parts = []
    background = re.search(r'^background\s+\S+\s+(\S+)', text, re.M)
    if background and background.group(1) == 'bonusbackground':
        parts.append('bonus level (the ball rises by itself)')
    if count('flag'):
        parts.append(counted(count('flag'), 'flag', 'flags'))
    if count('exit') > 1:
        parts.append(f'{count("exit")} exits')
    if count('trap'):
        parts.append(counted(count('trap'), 'trap', 'traps'))
    if count('bomb'):
        parts.append(counted(count('bomb'), 'bomb', 'bombs'))
    if count('crackwall'):
        parts.append(counted(count('crackwall'), 'cracked wall', 'cracked walls'))
    if count('crackfloor'):
        parts.append('cracked floor')
    if count(*ARROWS):
        parts.append('arrows')
    if count('jump'):
        parts.append(counted(count('jump'), 'jump arrow', 'jump arrows'))
    if count('platform'):
        parts.append(counted(count('platform'), 'moving platform', 'moving platforms'))
    holes = gaps(objects)
    if holes:
        parts.append(counted(holes, 'hole', 'holes') + ' to jump')
    if not any(kind == 'walls' for kind, _, _, _ in objects):
        parts.append('no walls')
    return ', '.join(parts) or 'rolling'


def about(text, whole=False):
    """The first sentence of the comment at the top (or all of it), without the title before its colon."""
    comment = []
    for line in text.splitlines():
        if not line.startswith('#'):
            break
        comment.append(line[1:].strip())
    words = ' '.join(comment)
    if ':' in words:
        words = words.split(':', 1)[1].strip()
    if not whole:
        words = re.split(r'(?<=\.)\s', words, maxsplit=1)[0]
    return words[:1].upper() + words[1:]


def field(pattern, text, default=''):
    m = re.search(pattern, text, re.M)
    return m.group(1) if m else default


def play(tool, game, level, solution):
    """(result, time, score) of the solution, as zdltool play reports it."""
    proc = subprocess.run([tool, 'play', level, '--inputs', solution, '--game', game],
                          capture_output=True, text=True)
    words = proc.stdout.strip().splitlines()[-1].split() if proc.stdout.strip() else []
    if proc.returncode != 0 or len(words) < 6 or words[0] != 'result':
        return ('error: ' + (proc.stderr.strip() or proc.stdout.strip()), 0.0, 0)
    return (words[1], float(words[5]), int(words[3]))


def draw_map(tool, game, level, picture, size=MAP_SIZE):
    os.makedirs(os.path.dirname(picture), exist_ok=True)
    proc = subprocess.run([tool, 'map', level, '-o', picture, '--game', game, '--size', str(size)],
                          capture_output=True, text=True)
    if proc.returncode != 0:
        raise SystemExit(f'{level}: zdltool map failed: {proc.stderr.strip()}')


def describe(args, level):
    pack = os.path.basename(os.path.dirname(level))
    number = os.path.basename(level)[:-4]
    text = open(level, encoding='utf-8').read()
    picture = os.path.join(ROOT, 'docs', 'levels', pack, number + '.png')
    width, height = board_size(objects_of(text))
    other = level[:-4] + '.alt.solution'
    large = os.path.exists(other) and max(width, height) > LARGE_BOARD
    draw_map(args.tool, args.game, level, picture, LARGE_MAP_SIZE if large else MAP_SIZE)
    solution = level[:-4] + '.solution'
    result = play(args.tool, args.game, level, solution) if os.path.exists(solution) else ('no solution', 0.0, 0)
    other_result = play(args.tool, args.game, level, other) if os.path.exists(other) else None
    limit = float(field(r'^timeLimit\s+(\S+)', text, '600'))
    return {
        'pack': pack, 'number': number, 'title': field(r'^title\s+"(.*)"', text, '(untitled)'),
        'about': about(text), 'whole_about': about(text, whole=True), 'mechanics': mechanics(text),
        'limit': limit, 'result': result[0], 'time': result[1], 'score': result[2], 'other': other_result,
        'board': (width, height), 'picture': os.path.relpath(picture, os.path.join(ROOT, 'docs')),
    }


def cell(text):
    return text.replace('|', '\\|')


def limit_text(limit):
    return f'{limit:g} s' if limit > 0 else 'none'


def main():
    p = argparse.ArgumentParser(description='Rebuilds docs/levels.md and docs/levels/.')
    p.add_argument('--tool', default=os.path.join(ROOT, 'build/zdltool'))
    p.add_argument('--game', default=os.path.join(ROOT, 'build/game'))
    args = p.parse_args()
    if not os.access(args.tool, os.X_OK):
        raise SystemExit(f'{args.tool}: not built (cmake --build build)')

    # The course in the order of difficulty, then any other pack by name.
    rank = lambda name: PACK_ORDER.index(name) if name in PACK_ORDER else len(PACK_ORDER)
    packs = sorted((d for d in glob.glob(os.path.join(ROOT, 'levels', 'lvlpck*')) if os.path.isdir(d)),
                   key=lambda d: (rank(os.path.basename(d)), os.path.basename(d).lower()))
    levels = [l for pack in packs for l in sorted(glob.glob(os.path.join(pack, '[0-9][0-9][0-9].txt')))]
    # Pictures of levels that are gone would linger: the folder is rebuilt.
    for old in glob.glob(os.path.join(ROOT, 'docs', 'levels', '*', '*.png')):
        os.unlink(old)
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        rows = list(pool.map(lambda l: describe(args, l), levels))
    menu = os.path.join(ROOT, 'levels', 'menubackground.txt')
    menu_picture = os.path.join(ROOT, 'docs', 'levels', 'menubackground.png')
    if os.path.exists(menu):
        draw_map(args.tool, args.game, menu, menu_picture)

    out = ['# The levels', '',
           'Every level of the level packs the game ships, in the order the game plays',
           'them within their pack: what it is about, the mechanics it uses (the holes',
           'counted are gaps in the floor one or two tiles wide), its time limit, and the time',
           'and score of its solution (the input script beside the level, played by',
           '`zdltool play`), with a map drawn by `zdltool map`. The packs follow in the',
           'order of their difficulty: the main course, the journey of large boards, the',
           'expert pack.', '',
           'This page and its pictures are made by `/usr/bin/python3 tools/levels/make_docs.py`',
           'from `levels/` and the built tool; run it again after changing a level.', '']
    failed = []

    def outcome(r, result, time, score, what):
        if result == 'finished' and (r['limit'] <= 0 or time <= r['limit']):
            return f'{time:.2f} s, {score} points'
        failed.append(f'{r["pack"]}/{r["number"]} ({what}): {result} in {time:.2f} s')
        return f'**{cell(result)}** ({time:.2f} s, {score} points)'

    for pack in packs:
        name = os.path.basename(pack)
        pack_rows = [r for r in rows if r['pack'] == name]
        out += [f'## Pack "{name[len("lvlpck"):]}" (`levels/{name}/`, {counted(len(pack_rows), "level", "levels")})', '']
        if any(r['other'] for r in pack_rows):
            # Boards larger than the screen, each with two ways to the exit: a section a level, with a map
            # large enough to read.
            out += ['Every level of this pack has two ways to the exit, and a second solution',
                    '(`NNN.alt.solution`) that proves the other way passable; the text says which way',
                    'the solution takes.', '']
            for r in pack_rows:
                other = outcome(r, *r['other'], 'the other way') if r['other'] else 'none'
                out += [f'### {r["number"]} {r["title"]}', '', r['whole_about'], '',
                        f'- Mechanics: {r["mechanics"]}',
                        f'- Board: {r["board"][0]} x {r["board"][1]} tiles; time limit: {limit_text(r["limit"])}',
                        f'- Solution: {outcome(r, r["result"], r["time"], r["score"], "solution")}; '
                        f'the other way: {other}', '',
                        f'![{r["number"]} {r["title"]}]({r["picture"]})', '']
            continue
        out += ['| No. | Level | Mechanics | Limit | Solution | Map |',
                '|---|---|---|---|---|---|']
        for r in pack_rows:
            solution = outcome(r, r['result'], r['time'], r['score'], 'solution')
            out.append(f'| {r["number"]} | **{cell(r["title"])}**<br>{cell(r["about"])} | {cell(r["mechanics"])} '
                       f'| {limit_text(r["limit"])} | {solution} | ![{r["number"]}]({r["picture"]}) |')
        out.append('')
    if os.path.exists(menu):
        text = open(menu, encoding='utf-8').read()
        out += ['## The menu background', '',
                'The board behind every menu (`levels/menubackground.txt`, written by',
                '`tools/levels/menu_background.py`). The menus show it at its own zoom, centred on',
                'the ball\'s place, without the ball; the map shows the whole board.',
                f'Mechanics: {mechanics(text)}.', '',
                f'![menu background]({os.path.relpath(menu_picture, os.path.join(ROOT, "docs"))})', '']
    with open(os.path.join(ROOT, 'docs', 'levels.md'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(out))
    print(f'docs/levels.md: {len(rows)} levels')
    for line in failed:
        print('solution does not finish: ' + line, file=sys.stderr)
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
