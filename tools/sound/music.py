"""Music tracks composed in code. Each track has a style (key, tempo, sounds,
how its parts play) and a form of eight-bar sections; a seeded generator
writes the melody as motifs that come back varied, the harmony, the bass line
and the drums, so no two passes through a section are the same. The result is
a MIDI file, rendered by fluidsynth with a General MIDI soundfont.

Every track loops: the game restarts it when it ends. The form closes on the
dominant with a drum fill that leads back into the first bar, every note ends
by the loop point, and the renderer folds the reverb tail that rings past the
loop point back onto the start (see render)."""

import os
import random

import mido

from audio_tools import RATE, SOUNDFONT, run, samples, sox

TPB = 480  # MIDI ticks per beat
BEATS = 4  # every track is in 4/4
BAR = TPB * BEATS

MAJOR = [0, 2, 4, 5, 7, 9, 11]
MINOR = [0, 2, 3, 5, 7, 8, 10]
DORIAN = [0, 2, 3, 5, 7, 9, 10]

# General MIDI drum notes.
KICK, SNARE, CLAP, HAT, OPEN_HAT, CRASH, RIDE = 36, 38, 39, 42, 46, 49, 51
LOW_TOM, MID_TOM, HIGH_TOM, SHAKER, COWBELL = 45, 47, 50, 70, 56
HIGH_CONGA, OPEN_CONGA, LOW_CONGA, HIGH_TIMBALE, TRIANGLE = 62, 63, 64, 65, 81

# Melody rhythm cells: (weight at density 0, 1, 2), length in beats, notes as
# (onset, duration) in beats within the cell.
CELLS = [
    ((3, 1, 0), 2.0, [(0, 2.0)]),
    ((3, 3, 1), 1.0, [(0, 1.0)]),
    ((1, 3, 3), 1.0, [(0, 0.5), (0.5, 0.5)]),
    ((1, 2, 2), 2.0, [(0, 1.5), (1.5, 0.5)]),
    ((0, 1, 2), 2.0, [(0, 0.5), (0.5, 1.0), (1.5, 0.5)]),
    ((0, 0, 2), 1.0, [(0, 0.25), (0.25, 0.25), (0.5, 0.5)]),
    ((2, 1, 1), 1.0, []),
    ((1, 1, 1), 1.0, [(0.5, 0.5)]),
]


class Style:
    """Everything that makes one track sound like itself."""

    def __init__(self, **values):
        self.__dict__.update(values)


TRACKS = [
    # Bright: a sunny major-key tune, flute over marimba and strings.
    Style(file="sunnyside.ogg", seed=1107, tempo=118, root=62, scale=MAJOR,
          form=[("A", 1), ("A", 2), ("B", 1), ("A", 2), ("C", 0), ("B", 2), ("A", 2)],
          progressions={"A": [[0, 4, 5, 3], [0, 5, 3, 4], [0, 3, 4, 0], [0, 2, 3, 4]],
                        "B": [[3, 4, 2, 5], [5, 3, 0, 4], [1, 4, 0, 5], [3, 0, 1, 4]],
                        "C": [[5, 2, 3, 0], [3, 3, 0, 0], [1, 1, 4, 4]]},
          sevenths=0.15, melody=(73, 72, 86, 95), counter=(12, "arp8", 70),
          pad=(48, 62), bass=(33, "pop", 98), drums=(0, "pop"), density=1,
          mix={"melody": (100, 70, 60, 10), "counter": (80, 40, 40, 0),
               "pad": (70, 84, 70, 30), "bass": (100, 64, 20, 0), "drums": (100, 64, 40, 0)},
          reverb=(0.45, 0.3)),
    # Mysterious: dorian minor, slow, celesta and harp over a warm pad and
    # brushes; the dorian major IV (G in D) gives the colour, the diminished
    # chord on the sixth degree is left out.
    Style(file="hiddenhalls.ogg", seed=2203, tempo=84, root=62, scale=DORIAN,
          form=[("A", 0), ("B", 1), ("A", 1), ("C", 0), ("B", 2)],
          progressions={"A": [[0, 6, 2, 3], [0, 3, 0, 4], [0, 6, 3, 4]],
                        "B": [[2, 6, 0, 0], [3, 0, 2, 4], [2, 3, 6, 4]],
                        "C": [[0, 0, 2, 2], [3, 3, 0, 0], [0, 1, 0, 6]]},
          sevenths=0.5, melody=(8, 67, 84, 88), counter=(46, "arp16", 58),
          pad=(89, 60), bass=(35, "slow", 92), drums=(40, "brush"), density=0,
          mix={"melody": (100, 54, 95, 20), "counter": (70, 80, 90, 10),
               "pad": (85, 64, 100, 60), "bass": (100, 64, 40, 0), "drums": (80, 70, 60, 0)},
          reverb=(0.8, 0.2)),
    # Driving: E minor at speed, guitar lead over chugging guitar, picked bass
    # and a rock kit. (The soundfont's synth leads and synth pads are recorded
    # with left and right partly out of phase and vanish in mono: avoided.)
    Style(file="fulltilt.ogg", seed=3301, tempo=140, root=64, scale=MINOR,
          form=[("A", 1), ("A", 2), ("B", 2), ("A", 2), ("C", 1), ("B", 2), ("A", 2), ("B", 2)],
          progressions={"A": [[0, 5, 2, 6], [0, 0, 5, 6], [0, 6, 5, 6]],
                        "B": [[5, 6, 0, 0], [3, 5, 6, 0], [5, 3, 0, 6]],
                        "C": [[3, 3, 5, 5], [0, 0, 3, 3], [5, 5, 6, 6]]},
          sevenths=0.0, melody=(30, 67, 86, 92), counter=(29, "power", 84),
          pad=(48, 58), bass=(34, "pulse", 100), drums=(16, "rock"), density=2,
          mix={"melody": (92, 76, 40, 20), "counter": (84, 44, 20, 0),
               "pad": (60, 84, 50, 40), "bass": (88, 64, 10, 0), "drums": (96, 64, 30, 0)},
          reverb=(0.35, 0.4)),
    # Bonus: a fast happy carnival, steel drums and brass over slap bass and congas.
    Style(file="bonusround.ogg", seed=4409, tempo=150, root=65, scale=MAJOR,
          form=[("A", 1), ("A", 2), ("B", 2), ("A", 2), ("C", 1), ("B", 2), ("A", 2)],
          progressions={"A": [[0, 3, 4, 3], [0, 5, 1, 4], [0, 0, 3, 4]],
                        "B": [[3, 4, 0, 0], [1, 4, 0, 5], [3, 3, 4, 4]],
                        "C": [[5, 1, 4, 0], [3, 4, 2, 5], [1, 1, 4, 4]]},
          sevenths=0.2, melody=(114, 67, 89, 98), counter=(61, "stabs", 80),
          pad=(48, 52), bass=(36, "bounce", 100), drums=(0, "latin"), density=2,
          mix={"melody": (100, 58, 50, 10), "counter": (82, 74, 50, 0),
               "pad": (60, 64, 60, 30), "bass": (88, 64, 20, 0), "drums": (96, 64, 40, 0)},
          reverb=(0.5, 0.3)),
]

PAD_LOW, PAD_HIGH = 53, 76  # the register of the chords, under the melody

CHANNELS = {"melody": 0, "counter": 1, "pad": 2, "bass": 3, "drums": 9}


class Score:
    """The notes of one track, kept so that a note never overlaps the next one
    on the same key (the second note-on would otherwise be cut by the first
    note-off) and never rings past the loop point."""

    def __init__(self, length):
        self.length = length
        self.notes = []
        self.sounding = {}

    def add(self, channel, start, duration, note, velocity):
        start = int(start)
        if not 0 <= start < self.length or not 0 <= note <= 127:
            return
        end = min(self.length, start + max(1, int(duration)))
        key = (channel, note)
        previous = self.sounding.get(key)
        if previous is not None and previous[1] > start:
            if previous[0] == start:
                return
            previous[1] = start
        entry = [start, end, channel, note, max(1, min(127, int(velocity)))]
        self.notes.append(entry)
        self.sounding[key] = entry


class Harmony:
    """The key: scale degrees to notes, and the chords built on them."""

    def __init__(self, root, scale):
        self.root = root
        self.scale = scale

    def degree_note(self, degree):
        return self.root + 12 * (degree // 7) + self.scale[degree % 7]

    def chord(self, degree, seventh):
        """Pitch classes of the chord on a degree; in a minor key the chord on
        the fifth degree takes the raised leading note, as the ear expects."""
        members = [degree, degree + 2, degree + 4] + ([degree + 6] if seventh else [])
        classes = [self.degree_note(d) % 12 for d in members]
        if self.scale[2] == 3 and degree % 7 == 4:
            classes[1] = (classes[0] + 4) % 12
        return classes

    def scale_classes(self, chord):
        """The notes a melody may use over a chord: the scale, with any chord
        note that alters it taking the place of the note it alters."""
        classes = set((self.root + s) % 12 for s in self.scale)
        for c in chord:
            if c not in classes:
                classes.discard((c - 1) % 12)
                classes.add(c)
        return sorted(classes)


def nearest_in(classes, target, low, high):
    """The note of the given pitch classes closest to target, within range."""
    best = None
    for note in range(low, high + 1):
        if note % 12 in classes:
            if best is None or abs(note - target) < abs(best - target):
                best = note
    return best if best is not None else target


def step_in(classes, note, steps):
    """Moves `steps` notes up or down through the given pitch classes."""
    direction = 1 if steps > 0 else -1
    for _ in range(abs(steps)):
        note += direction
        while note % 12 not in classes:
            note += direction
    return note


def make_rhythm(rng, bars, density, final=False):
    """Note onsets and lengths (in beats) for `bars` bars from the rhythm
    cells; `final` ends the figure on a long note on the last bar's downbeat."""
    events = []
    for bar in range(bars):
        if final and bar == bars - 1:
            events.append((bar * BEATS, rng.choice([2.0, 3.0, 3.5])))
            continue
        beat = 0.0
        while beat < BEATS:
            fitting = [c for c in CELLS if c[1] <= BEATS - beat and c[0][density] > 0]
            cell = rng.choices(fitting, weights=[c[0][density] for c in fitting])[0]
            for onset, length in cell[2]:
                events.append((bar * BEATS + beat + onset, length))
            beat += cell[1]
    return events


def make_motif(rng, bars, density, final=False):
    """A motif: a rhythm and the melodic steps between its notes."""
    rhythm = make_rhythm(rng, bars, density, final)
    steps = [rng.choices([-3, -2, -1, 0, 1, 2, 3, 4], weights=[1, 3, 5, 1, 5, 3, 1, 1])[0]
             for _ in rhythm]
    return rhythm, steps


def vary(rng, motif, amount):
    """A varied repeat: some steps changed, some notes split in two, some
    dropped, the shape kept."""
    rhythm, steps = motif
    new_rhythm, new_steps = [], []
    for (onset, length), step in zip(rhythm, steps):
        roll = rng.random()
        if roll < amount * 0.3 and length >= 1.0:
            half = length / 2
            new_rhythm += [(onset, half), (onset + half, half)]
            new_steps += [step, rng.choice([-1, 1])]
        elif roll < amount * 0.4 and onset % 1 != 0:
            continue
        else:
            new_rhythm.append((onset, length))
            new_steps.append(step + (rng.choice([-1, 1]) if roll > 1 - amount * 0.3 else 0))
    return new_rhythm, new_steps


def sing(score, harmony, chords, motif, start_bar, offset_bar, pitch, style, velocity):
    """Writes a motif as melody notes from `pitch`, bending every strong-beat
    and long note onto the chord below it. Returns the last note."""
    channel = CHANNELS["melody"]
    low, high = style.melody[1], style.melody[2]
    centre = (low + high) // 2
    rhythm, steps = motif
    for (onset, length), step in zip(rhythm, steps):
        bar = offset_bar + int(onset // BEATS)
        chord = chords[bar]
        classes = harmony.scale_classes(chord)
        # Gravity: a line that has climbed (or sunk) far turns back.
        if pitch > centre + 5 and step > 0 or pitch < centre - 5 and step < 0:
            step = -step
        target = step_in(classes, pitch, step) if step else pitch
        beat = onset % BEATS
        if beat in (0.0, 2.0) or length >= 1.5:
            pitch = nearest_in(chord, target, low, high)
        else:
            pitch = nearest_in(classes, target, low, high)
        accent = 8 if beat == 0 else (3 if beat == 2 else 0)
        tick = (start_bar * BEATS + onset) * TPB
        score.add(channel, tick, length * TPB * 0.92, pitch, velocity + accent)
    return pitch


def voicing(chord, previous, low, high, size=4):
    """A close chord voicing near the previous one (smallest total movement)."""
    best, best_cost = None, None
    for base in range(low, high - 7):
        if base % 12 != chord[0]:
            continue
        for inversion in range(len(chord)):
            order = chord[inversion:] + chord[:inversion]
            notes, note = [], base + (order[0] - chord[0]) % 12
            for c in order:
                while note % 12 != c:
                    note += 1
                notes.append(note)
            while len(notes) < size:
                notes.append(notes[len(notes) - len(chord)] + 12)
            if notes[-1] > high:
                continue
            cost = sum(abs(a - b) for a, b in zip(notes, previous)) if previous else \
                abs(sum(notes) / len(notes) - (low + high) / 2)
            if best_cost is None or cost < best_cost:
                best, best_cost = notes, cost
    return best


def write_counter(score, rng, style, chord, voiced, bar, energy, last_bar):
    """The accompanying part: arpeggios, guitar chugs or brass stabs."""
    channel = CHANNELS["counter"]
    kind, velocity = style.counter[1], style.counter[2]
    tick = bar * BAR
    if energy == 0 and kind != "arp16":
        return
    if kind in ("arp8", "arp16"):
        per_beat = 2 if kind == "arp8" else 4
        notes = voiced + [n + 12 for n in voiced[:2]]
        pattern = notes + notes[-2:0:-1]
        first = rng.randrange(len(notes)) if energy else 0
        for i in range(BEATS * per_beat):
            if energy == 0 and i % 2:
                continue
            note = pattern[(first + i) % len(pattern)]
            accent = 10 if i % per_beat == 0 else 0
            score.add(channel, tick + i * TPB // per_beat, TPB // per_beat * 1.6, note,
                      velocity + accent + rng.randint(-6, 6))
    elif kind == "power":
        root = nearest_in([chord[0]], 45, 40, 52)
        hits = [0, 1, 2, 3, 4, 5, 6, 7] if energy == 2 else [0, 3, 6]
        if last_bar:
            hits = [0, 3, 6]
        for i in hits:
            accent = 14 if i in (0, 3, 6) else 0
            length = TPB * 0.4 if energy == 2 else TPB * 1.4
            for note in (root, root + 7, root + 12):
                score.add(channel, tick + i * TPB // 2, length, note,
                          velocity - 12 + accent + rng.randint(-4, 4))
    elif kind == "stabs":
        hits = rng.choice([[1.5, 3.5], [0.5, 1.5, 3.0], [1.0, 2.5, 3.5]])
        for beat in hits:
            for note in voiced[1:]:
                score.add(channel, tick + beat * TPB, TPB * 0.3, note + 12,
                          velocity + rng.randint(-5, 5))


def write_pad(score, style, voiced, bar, energy):
    if energy == 0 and style.density == 2:
        return
    velocity = style.pad[1] - (8 if energy == 0 else 0)
    for note in voiced:
        score.add(CHANNELS["pad"], bar * BAR, BAR, note, velocity)


def write_bass(score, rng, harmony, style, chord, next_chord, bar, energy):
    channel = CHANNELS["bass"]
    kind, velocity = style.bass[1], style.bass[2]
    root = nearest_in([chord[0]], 40, 33, 47)
    fifth = root + 7
    tick = bar * BAR
    # The last note leads into the next bar's root: a scale step above or
    # below it, now and then a half step below.
    approach = nearest_in([next_chord[0]], root, 33, 47)
    if approach == root:
        leading = fifth
    elif rng.random() < 0.3:
        leading = approach - 1
    else:
        leading = step_in(harmony.scale_classes(next_chord), approach, rng.choice([-1, 1]))
    if energy == 0:
        score.add(channel, tick, BAR * 0.95, root, velocity - 12)
        return
    if kind == "pop":
        figure = [(0, 1.5, root), (1.5, 0.5, root), (2, 1, fifth), (3, 0.5, root + 12),
                  (3.5, 0.5, leading)]
    elif kind == "slow":
        figure = [(0, 2.5, root), (2.5, 0.5, fifth), (3, 1, leading if energy == 2 else root)]
    elif kind == "pulse":
        figure = [(i * 0.5, 0.45, root + (12 if i in (3, 7) and energy == 2 else 0))
                  for i in range(8)]
        figure[-1] = (3.5, 0.45, leading)
    else:  # bounce: a syncopated root, fifth and octave figure
        figure = [(0, 0.75, root), (0.75, 0.25, root), (1.5, 0.5, fifth), (2.5, 0.5, root + 12),
                  (3, 0.5, fifth), (3.5, 0.5, leading)]
    for onset, length, note in figure:
        accent = 10 if onset == 0 else 0
        score.add(channel, tick + onset * TPB, length * TPB, note,
                  velocity + accent + rng.randint(-5, 5))


def drum_bar(rng, kind, energy, fill, first):
    """One bar of drums as (sixteenth, note, velocity)."""
    hits = []
    if kind == "pop":
        kicks = [0, 8, 10] if rng.random() < 0.4 else [0, 8]
        hats = range(0, 16, 2) if energy == 2 else range(0, 16, 4)
        hits += [(s, KICK, 100) for s in kicks] + [(s, SNARE, 92) for s in (4, 12)]
        hits += [(s, HAT, 70 if s % 4 else 84) for s in hats]
        if energy == 2 and rng.random() < 0.3:
            hits.append((14, OPEN_HAT, 70))
    elif kind == "rock":
        kicks = [0, 6, 8, 10] if energy == 2 else [0, 8]
        hits += [(s, KICK, 108) for s in kicks] + [(s, SNARE, 104) for s in (4, 12)]
        cymbal = RIDE if energy == 1 else HAT
        hits += [(s, cymbal, 86 if s % 4 == 0 else 70) for s in range(0, 16, 2)]
        if rng.random() < 0.35:
            hits.append((15, SNARE, 50))
    elif kind == "brush":
        hits += [(0, KICK, 70)] + ([(8, KICK, 56)] if energy else [])
        hits += [(s, SNARE, 46 + (10 if energy == 2 else 0)) for s in (4, 12)]
        hits += [(s, RIDE, 58 if s % 8 == 0 else 46) for s in range(0, 16, 4)]
        hits += [(s, SHAKER, 40 + rng.randint(-6, 6)) for s in range(0, 16, 2)] if energy else []
        if rng.random() < 0.4:
            hits.append((rng.choice([6, 10, 14]), TRIANGLE, 44))
    else:  # latin
        hits += [(s, KICK, 100) for s in (0, 6, 8, 14)] + [(s, CLAP, 84) for s in (4, 12)]
        hits += [(s, SHAKER, 56 if s % 2 else 70) for s in range(16)]
        hits += [(s, COWBELL, 66) for s in (0, 4, 8, 12)] if energy == 2 else []
        hits += [(s, n, 76) for s, n in ((3, HIGH_CONGA), (6, OPEN_CONGA), (7, OPEN_CONGA),
                                          (10, HIGH_CONGA), (14, LOW_CONGA), (15, LOW_CONGA))]
    if first:
        hits.append((0, CRASH, 96 if kind != "brush" else 64))
    if fill:
        hits = [h for h in hits if h[0] < 8 or h[1] in (KICK, SHAKER)]
        toms = [HIGH_TOM, HIGH_TOM, MID_TOM, MID_TOM, LOW_TOM, LOW_TOM, SNARE, SNARE]
        if kind == "latin":
            toms = [HIGH_TIMBALE, HIGH_TIMBALE, HIGH_CONGA, HIGH_CONGA, OPEN_CONGA, OPEN_CONGA,
                    LOW_CONGA, LOW_CONGA]
        soft = 0.6 if kind == "brush" else 1.0
        for i, note in enumerate(toms):
            if kind == "brush" and i % 2:
                continue
            hits.append((8 + i, note, int((80 + i * 4) * soft)))
    return hits


def compose(style):
    """The whole track as a list of notes and its loop length in ticks."""
    rng = random.Random(style.seed)
    harmony = Harmony(style.root, style.scale)
    bars = 8 * len(style.form)
    score = Score(bars * BAR)

    # Chords: each section label gets its eight bars once; the very last bar
    # turns to the dominant so the end leads back into the first bar.
    plans = {}
    for label, pool in style.progressions.items():
        first, second = rng.sample(pool, 2)
        plans[label] = [(d, rng.random() < style.sevenths) for d in first + second]
    chords = []
    for label, _ in style.form:
        chords += [harmony.chord(d, s) for d, s in plans[label]]
    chords[-1] = harmony.chord(4, True)

    # Melody: per label an opening motif, an answer and a closing figure.
    motifs = {label: [make_motif(rng, 2, style.density), make_motif(rng, 2, style.density),
                      make_motif(rng, 2, style.density, final=True)]
              for label in style.progressions}
    seen = {}
    previous_voicing = None
    pitch = (style.melody[1] + style.melody[2]) // 2
    for index, (label, energy) in enumerate(style.form):
        start = index * 8
        times = seen.get(label, 0)
        seen[label] = times + 1
        opening, answer, closing = motifs[label]
        if times:
            vary_rng = random.Random(style.seed * 31 + index)
            opening, answer, closing = (vary(vary_rng, m, 0.3 + 0.2 * min(times, 2))
                                        for m in (opening, answer, closing))
        velocity = style.melody[3] - (10 if energy == 0 else 0)
        section_chords = chords[start:start + 8]
        # The opening is heard twice, the second time a step higher: a sequence.
        plan = [(opening, 0, 0), (opening, 2, 2), (answer, 4, 0), (closing, 6, 0)]
        for motif, offset, lift in plan:
            pitch = nearest_in(section_chords[offset], pitch + lift, style.melody[1],
                               style.melody[2])
            if energy == 0 and offset == 4 and style.density < 2:
                continue  # quiet sections breathe: half the tune
            pitch = sing(score, harmony, section_chords, motif, start + offset, offset,
                         pitch, style, velocity)

        for bar in range(start, start + 8):
            chord = chords[bar]
            next_chord = chords[(bar + 1) % bars]
            voiced = voicing(chord, previous_voicing, PAD_LOW, PAD_HIGH)
            previous_voicing = voiced
            write_pad(score, style, voiced, bar, energy)
            write_counter(score, rng, style, chord, voiced, bar, energy, bar == bars - 1)
            write_bass(score, rng, harmony, style, chord, next_chord, bar, energy)
            if energy == 0 and style.drums[1] != "brush":
                continue  # a breakdown: the beat drops out
            fill = bar == start + 7 or (bar == start + 3 and rng.random() < 0.3)
            for sixteenth, note, velocity in drum_bar(rng, style.drums[1], energy, fill,
                                                      bar == start and energy > 0):
                score.add(CHANNELS["drums"], bar * BAR + sixteenth * TPB // 4, TPB // 4,
                          note, velocity + rng.randint(-6, 6))
    return score


def write_midi(style, score, path, tail_ticks):
    """Writes the notes as a type-1 MIDI file with one track per part. A last
    controller event past the loop point keeps the renderer going while the
    reverb dies away."""
    midi = mido.MidiFile(ticks_per_beat=TPB)
    conductor = mido.MidiTrack()
    conductor.append(mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(style.tempo), time=0))
    conductor.append(mido.MetaMessage("time_signature", numerator=4, denominator=4, time=0))
    midi.tracks.append(conductor)
    programs = {"melody": style.melody[0], "counter": style.counter[0], "pad": style.pad[0],
                "bass": style.bass[0], "drums": style.drums[0]}
    for part, channel in CHANNELS.items():
        volume, pan, reverb, chorus = style.mix[part]
        events = [(0, 0, mido.Message("program_change", channel=channel, program=programs[part]))]
        for control, value in ((7, volume), (10, pan), (91, reverb), (93, chorus)):
            events.append((0, 0, mido.Message("control_change", channel=channel,
                                               control=control, value=value)))
        for start, end, note_channel, note, velocity in score.notes:
            if note_channel == channel:
                events.append((end, 1, mido.Message("note_off", channel=channel, note=note,
                                                    velocity=0)))
                events.append((start, 2, mido.Message("note_on", channel=channel, note=note,
                                                      velocity=velocity)))
        if channel == CHANNELS["drums"]:
            events.append((score.length + tail_ticks, 3, mido.Message(
                "control_change", channel=channel, control=7, value=volume)))
        events.sort(key=lambda e: (e[0], e[1]))
        track = mido.MidiTrack()
        now = 0
        for tick, _, message in events:
            track.append(message.copy(time=tick - now))
            now = tick
        midi.tracks.append(track)
    midi.save(path)


def first_sound(path):
    """Index of the first sample that is not silent in a rendered file."""
    data = samples(path, channels=2)
    threshold = 2 ** 31 * 1e-5
    for index, value in enumerate(data):
        if abs(value) > threshold:
            return index // 2
    return 0


def render(style, work, tail_seconds=5.0):
    """Composes, renders and folds one track; returns the looped wav's path.

    The loop is exact in musical time: the audio from the first note for
    exactly the track's length in samples. What rings on after that point
    (reverb and releases of the last notes) is mixed onto the start, which is
    what the listener would hear there when the track comes round again, so
    the seam has neither a click nor a gap."""
    base = os.path.join(work, style.file[:-4])
    score = compose(style)
    tail_ticks = int(tail_seconds * style.tempo / 60 * TPB)
    write_midi(style, score, base + ".mid", tail_ticks)
    rendered = base + "-render.wav"
    room, damp = style.reverb
    run(["fluidsynth", "-ni", "-q", "-g", "0.3", "-r", str(RATE), "-O", "float", "-T", "wav",
         "-o", "synth.reverb.room-size=%.2f" % room, "-o", "synth.reverb.damp=%.2f" % damp,
         "-o", "synth.reverb.width=0.8", "-o", "synth.reverb.level=0.6",
         "-F", rendered, SOUNDFONT, base + ".mid"])
    # Some soundfont samples carry a slight DC offset: filter it out here, over
    # the whole continuous render, before it is cut and folded.
    filtered = base + "-filtered.wav"
    sox(rendered, "-e", "floating-point", "-b", "32", filtered, "highpass", "15")
    seconds = score.length / TPB * 60.0 / style.tempo
    loop = round(seconds * RATE)
    start = first_sound(rendered)
    body, tail, folded = base + "-body.wav", base + "-tail.wav", base + "-loop.wav"
    sox(filtered, body, "trim", "%ds" % start, "%ds" % loop)
    sox(filtered, tail, "trim", "%ds" % (start + loop))
    sox("-m", "-v", "1", body, "-v", "1", tail, "-e", "floating-point", "-b", "32", folded)
    return folded

