#!/usr/bin/python3
"""Plays one level's solution and shows the ball at the end of every script line.

  show.py levels/lvlpckzindrop/004.txt [SCRIPT]
"""
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
level = sys.argv[1]
script = sys.argv[2] if len(sys.argv) > 2 else level[:-4] + '.solution'
out = subprocess.run([os.path.join(ROOT, 'build/zdltool'), 'play', level, '--inputs', script, '--game',
                      os.path.join(ROOT, 'build/game'), '--trace', '--settle', '6'], capture_output=True, text=True)
frames = out.stdout.strip().splitlines()
ends = []
n = 0
for line in open(script):
    words = line.split('#')[0].split()
    if words and words[0].isdigit():
        n += int(words[0])
        ends.append((n, line.rstrip()))
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
for frame in sorted(marks):
    if frame - 1 < len(frames) - 1:
        w = frames[frame - 1].split()
        v = dict(zip(w[0::2], w[1::2]))
        print(f'{frame:5} x {float(v["x"]):8.1f} y {float(v["y"]):8.1f} vx {float(v["vx"]):6.1f} vy {float(v["vy"]):6.1f} '
              f'sink {v["sink"][:5]:5} jump {v["jump"]} flags {v["flags"]} bombs {v["bombs"]} explode {v["explode"][:4]:4} | {marks[frame]}')
print(frames[-1])
