#!/usr/bin/python3
"""Plays one level's solution and shows the ball at the end of every script line.

  show.py [--slow] [--shift N] [--all] levels/lvlpckzindrop/004.txt [SCRIPT]

SCRIPT is the level's NNN.solution unless given (NNN.alt.solution, say).

--slow plays the script at 40 frames a second (frame-time 0.025, frame counts
scaled as check_solutions.py does); --shift N plays check_solutions.py's
shifted variant number N (from 0); --all shows every frame.
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import check_solutions as cs  # noqa: E402

p = argparse.ArgumentParser()
p.add_argument('--slow', action='store_true')
p.add_argument('--shift', type=int)
p.add_argument('--all', action='store_true')
p.add_argument('level')
p.add_argument('script', nargs='?')
args = p.parse_args()
level = os.path.abspath(args.level)
script_path = os.path.abspath(args.script or level[:-4] + '.solution')
items = cs.parse_script(open(script_path).read())
header = ''
if args.shift is not None:
    rng = cs.variant_rng(level, script_path)
    for i in range(args.shift + 1):
        variant = cs.shifted(items, rng, 1 if i % 2 == 0 else 2)
    items = variant
if args.slow:
    items = cs.scaled(items, 0.0167 / 0.025)
    header = 'frame-time 0.025'
text = cs.write_script(items, header)
with tempfile.NamedTemporaryFile('w', suffix='.txt', delete=False) as f:
    f.write(text)
    script = f.name
out = subprocess.run([os.path.join(ROOT, 'build/zdltool'), 'play', level, '--inputs', script, '--game',
                      os.path.join(ROOT, 'build/game'), '--trace', '--settle', '6'], capture_output=True, text=True)
os.unlink(script)
frames = out.stdout.strip().splitlines()
ends = []
n = 0
for item in items:
    if item[0] != 'raw' and item[0] > 0:
        n += item[0]
        ends.append((n, f'{item[0]} {" ".join(item[1])}'))
events = []
prev = None
for f in frames[:-1]:
    w = f.split()
    v = dict(zip(w[0::2], w[1::2]))
    key = (v['sink'] != '0', v['explode'] != '0', v['flags'], v['bombs'], v['jump'])
    if prev and key != prev:
        events.append(int(v['frame']))
    prev = key
marks = {e: 'event' for e in events}
for e, text in ends:
    marks[e] = text
if args.all:
    for i in range(1, len(frames)):
        marks.setdefault(i, '')
for frame in sorted(marks):
    if frame - 1 < len(frames) - 1:
        w = frames[frame - 1].split()
        v = dict(zip(w[0::2], w[1::2]))
        print(f'{frame:5} x {float(v["x"]):8.1f} y {float(v["y"]):8.1f} vx {float(v["vx"]):6.1f} vy {float(v["vy"]):6.1f} '
              f'sink {v["sink"][:5]:5} jump {v["jump"]} flags {v["flags"]} bombs {v["bombs"]} explode {v["explode"][:4]:4} | {marks[frame]}')
print(frames[-1])
