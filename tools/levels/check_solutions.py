#!/usr/bin/python3
"""Plays every level's solution headlessly and prints a table.

  check_solutions.py [--tool build/zdltool] [--game build/game] [--variants N]
                     [--set-limits] [--markdown] [LEVEL.txt ...]

For each levels/<pack>/NNN.txt with a NNN.solution beside it: the result, the
level clock, the score, lives lost on the way, the time limit and the limit
the solution asks for (its time x 1.5, rounded up to whole 10 seconds). A
second solution NNN.alt.solution, the other way to the exit, gets a row of its
own (marked "alt") and the same variants; it asks for no limit. Then
the robustness variants: the same inputs at 40 frames a second (frame-time
0.025, frame counts scaled to the same durations), and N variants whose held
keys each last 1 or 2 frames more or less than written. --set-limits writes
the asked-for limit into the level texts.
"""
import argparse
import concurrent.futures
import glob
import math
import os
import random
import re
import subprocess
import threading
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def parse_script(text):
    """Script lines as (frames, keys) or ('raw', line)."""
    out = []
    for line in text.splitlines():
        words = line.split('#')[0].split()
        if not words:
            continue
        if words[0].isdigit():
            out.append((int(words[0]), words[1:]))
        else:
            out.append(('raw', ' '.join(words)))
    return out


def write_script(items, header=''):
    lines = [header] if header else []
    for item in items:
        if item[0] == 'raw':
            lines.append(item[1])
        elif item[0] > 0:
            lines.append(' '.join([str(item[0])] + item[1]))
    return '\n'.join(lines) + '\n'


def scaled(items, factor):
    """The same held-key durations at another frame length."""
    out = []
    carry = 0.0
    for item in items:
        if item[0] == 'raw':
            out.append(item)
            continue
        exact = item[0] * factor + carry
        n = max(1 if item[1] else 0, int(round(exact)))
        carry = exact - n
        out.append((n, item[1]))
    return out


def shifted(items, rng, spread):
    """Every held-key segment a little longer or shorter; the next rest makes up for it."""
    out = []
    debt = 0
    for item in items:
        if item[0] == 'raw':
            out.append(item)
            continue
        n, held = item
        if held:
            s = rng.randint(-spread, spread)
            s = max(s, 1 - n)
            out.append((n + s, held))
            debt += s
        else:
            m = max(0, n - debt) if debt > 0 else n - debt
            debt -= n - m
            out.append((m, held))
    return out


def variant_rng(level, solution=None):
    """The random source of a solution's shifted variants, the same in every checkout: named by the level
    for its NNN.solution, by the script itself for any other."""
    named = level if solution is None or solution == level[:-4] + '.solution' else solution
    return random.Random(os.path.relpath(os.path.abspath(named), os.path.join(ROOT, 'levels')))


def run(tool, game, level, script, name):
    path = f'/tmp/zdcheck_{os.getpid()}_{threading.get_ident()}_{name}.txt'
    with open(path, 'w') as f:
        f.write(script)
    proc = subprocess.run([tool, 'play', level, '--inputs', path, '--game', game, '--trace', '--settle', '6'],
                          capture_output=True, text=True)
    os.unlink(path)
    lines = proc.stdout.strip().splitlines()
    if proc.returncode != 0 or not lines:
        return {'result': 'error: ' + proc.stderr.strip(), 'lost': 0, 'time': 0, 'score': 0}
    last = lines[-1].split()
    lost = 0
    falling = exploding = False
    for line in lines[:-1]:
        w = line.split()
        sink = float(w[w.index('sink') + 1])
        explode = float(w[w.index('explode') + 1])
        if sink > 0 and not falling:
            lost += 1
        if explode > 0 and not exploding:
            lost += 1
        falling, exploding = sink > 0, explode > 0
    return {'result': last[1], 'score': int(last[3]), 'time': float(last[5]), 'frames': int(last[7]), 'lost': lost}


def time_limit(text):
    m = re.search(r'^timeLimit\s+(\S+)', text, re.M)
    return float(m.group(1)) if m else 600.0


def check_level(args, job):
    level, solution = job
    alt = solution != level[:-4] + '.solution'
    text = open(level).read()
    limit = time_limit(text)
    items = parse_script(open(solution).read())
    base = run(args.tool, args.game, level, write_script(items), 'base')
    name = os.path.relpath(level, os.path.join(ROOT, 'levels'))
    row = {'level': name + (' alt' if alt else ''), 'path': level, 'limit': limit, **base}
    row['asks'] = int(math.ceil(base['time'] * 1.5 / 10.0) * 10) if base['result'] == 'finished' and not alt else 0
    ok = lambda r: r['result'] == 'finished' and r['time'] <= limit
    slow = run(args.tool, args.game, level, write_script(scaled(items, 0.0167 / 0.025), 'frame-time 0.025'), 'slow')
    row['slow'] = 'ok' if ok(slow) else slow['result']
    rng = variant_rng(level, solution)
    passed = 0
    row['failed'] = []
    for i in range(args.variants):
        variant = shifted(items, rng, 1 if i % 2 == 0 else 2)
        result = run(args.tool, args.game, level, write_script(variant), f'v{i}')
        passed += ok(result)
        if not ok(result):
            row['failed'].append(i)
    row['shifts'] = f'{passed}/{args.variants}'
    return row


def main():
    p = argparse.ArgumentParser()
    p.add_argument('--tool', default=os.path.join(ROOT, 'build/zdltool'))
    p.add_argument('--game', default=os.path.join(ROOT, 'build/game'))
    p.add_argument('--variants', type=int, default=6)
    p.add_argument('--set-limits', action='store_true')
    p.add_argument('--markdown', action='store_true')
    p.add_argument('levels', nargs='*')
    args = p.parse_args()
    levels = args.levels or sorted(glob.glob(os.path.join(ROOT, 'levels/lvlpck*/*.txt')))
    levels = [os.path.abspath(l) for l in levels if os.path.exists(l[:-4] + '.solution')]
    jobs = [(l, s) for l in levels for s in (l[:-4] + '.solution', l[:-4] + '.alt.solution') if os.path.exists(s)]
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        rows = list(pool.map(lambda job: check_level(args, job), jobs))
    bad = 0
    print(f'{"level":32} {"result":10} {"time":>7} {"score":>6} {"lost":>4} {"limit":>5} {"asks":>5} {"40fps":>6} {"shifts":>6}')
    for r in rows:
        fine = r['result'] == 'finished' and r['time'] <= r['limit'] and r['lost'] == 0
        bad += not fine
        print(f'{r["level"]:32} {r["result"]:10} {r["time"]:7.2f} {r["score"]:6} {r["lost"]:4} {r["limit"]:5.0f} '
              f'{r["asks"]:5} {r["slow"]:>6} {r["shifts"]:>6}{"" if fine else "  <-- FAILS"}'
              + (f'  (shifted variants {", ".join(map(str, r["failed"]))} fail: show.py --shift N)' if r['failed'] else ''))
        if args.set_limits and r['asks'] and r['asks'] != r['limit']:
            path = r['path']
            text = open(path).read()
            text = re.sub(r'^timeLimit\s+\S+', f'timeLimit {r["asks"]}', text, count=1, flags=re.M)
            open(path, 'w').write(text)
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
