"""The sound effects and the start-up jingle, built from sox synth layers:
each layer is one oscillator or noise source with its own filter and envelope,
placed at a time offset; the layers are mixed and given a room."""

import os

from audio_tools import RATE, sox


def hz(note):
    """Frequency of a MIDI note number (69 = A4 = 440 Hz)."""
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


class Sound:
    """A sound under construction: a list of rendered mono layers."""

    def __init__(self, work, name):
        self.work = work
        self.name = name
        self.layers = []

    def layer(self, length, source, effects=(), at=0.0, gain=0.0, attack=0.0, hold=None):
        """Adds one synth layer. `source` is the synth wave description
        (e.g. ["sine", "440"]); `attack` is a quarter-sine fade in; `hold` starts an
        exponential-style fall (sox's logarithmic fade) to the end of the layer
        after that many seconds, or None for a plain end."""
        path = os.path.join(self.work, "%s-%02d.wav" % (self.name, len(self.layers)))
        chain = ["synth", "%.4f" % length] + [str(s) for s in source] + ["gain", "-12"]
        chain += [str(e) for e in effects]
        if attack > 0:
            chain += ["fade", "q", "%.4f" % attack]
        if hold is not None:
            chain += ["fade", "l", "0", "%.4f" % length, "%.4f" % (length - hold)]
        chain += ["gain", "%.2f" % gain, "pad", "%.4f" % at]
        sox("-n", "-r", RATE, "-c", "1", "-e", "floating-point", "-b", "32", path, *chain)
        self.layers.append(path)

    def tone(self, freq, length, partials, at=0.0, gain=0.0, attack=0.004, hold=0.0,
             wave="sine", effects=()):
        """Adds a pitched note as a sum of partials [(ratio, dB, length share)];
        higher partials can die away sooner, as they do in struck metal and bells."""
        for ratio, level, share in partials:
            self.layer(length * share, [wave, "%.3f" % (freq * ratio)], effects, at=at,
                       gain=gain + level, attack=attack,
                       hold=None if hold is None else hold * share)

    def render(self, effects=(), length=None, fade_out=0.0):
        """Mixes the layers (summed, 12 dB down for headroom) into a stereo file and
        applies the closing effects; `length` cuts it with a fade."""
        out = os.path.join(self.work, self.name + ".wav")
        inputs = []
        for path in self.layers:
            inputs += ["-v", "0.25", path]
        head = ["-m"] + inputs if len(self.layers) > 1 else [self.layers[0]]
        chain = ["channels", "2"] + [str(e) for e in effects]
        if length is not None:
            chain += ["fade", "q", "0", "%.3f" % length, "%.3f" % fade_out]
        sox(*head, "-e", "floating-point", "-b", "32", out, *chain)
        return out


def room(reverberance, size, wet):
    """A small freeverb room; wet is the reverb's level in dB."""
    return ["reverb", reverberance, "50", size, "100", "0", wet]


def bump(work):
    # A soft thud: a falling low sine with a short dull noise body and the
    # faintest contact tick so it still reads on small speakers.
    s = Sound(work, "bump")
    s.layer(0.26, ["sine", "190/55"], hold=0.03, attack=0.002)
    s.layer(0.1, ["brownnoise"], ["lowpass", "320"], gain=-4, hold=0.01)
    s.layer(0.015, ["pinknoise"], ["highpass", "300", "lowpass", "1800"], gain=-16, hold=0.0)
    return s.render(["lowpass", "2500"])


def flag(work):
    # A bright two-note chime rising a fifth, bell partials over a soft sparkle.
    s = Sound(work, "flag")
    bell = [(1.0, 0, 1.0), (2.0, -9, 0.6), (3.0, -16, 0.35), (4.2, -24, 0.2)]
    s.tone(hz(88), 0.45, bell, at=0.0, gain=-2, attack=0.002, hold=0.03)
    s.tone(hz(95), 0.6, bell, at=0.075, gain=0, attack=0.002, hold=0.05)
    s.layer(0.05, ["whitenoise"], ["highpass", "6000"], gain=-26, hold=0.0)
    return s.render(room(30, 40, -8), length=0.75, fade_out=0.15)


def bomb(work):
    # A metallic pick-up: two clanks of a struck plate (inharmonic partials that
    # fade at different rates) with a low clunk of the object being lifted.
    s = Sound(work, "bomb")
    plate = [(1.0, 0, 1.0), (2.32, -4, 0.7), (3.85, -8, 0.5), (5.27, -11, 0.35), (6.81, -15, 0.25)]
    s.tone(560, 0.42, plate, at=0.0, gain=-3, attack=0.001)
    s.tone(745, 0.5, plate, at=0.085, gain=-1, attack=0.001)
    s.layer(0.09, ["sine", "230/150"], gain=-2, attack=0.001, hold=0.0)
    s.layer(0.02, ["whitenoise"], ["bandpass", "4200", "1.5o"], gain=-12, hold=0.0)
    s.layer(0.02, ["whitenoise"], ["bandpass", "5200", "1.5o"], at=0.085, gain=-14, hold=0.0)
    return s.render(room(25, 30, -10), length=0.7, fade_out=0.15)


def explode(work):
    # A full explosion: a sharp crack, a falling sub thump, a noisy body and a
    # long low rumble, roughened a little and given a large space.
    s = Sound(work, "explode")
    s.layer(0.09, ["whitenoise"], ["highpass", "1200"], gain=-6, hold=0.0)
    s.layer(0.55, ["sine", "95/28"], gain=0, attack=0.002, hold=0.0)
    s.layer(1.2, ["brownnoise"], ["lowpass", "1400"], gain=0, attack=0.004, hold=0.12)
    s.layer(0.6, ["pinknoise"], ["bandpass", "650", "2o"], gain=-6, attack=0.003, hold=0.05)
    s.layer(1.65, ["brownnoise"], ["lowpass", "220"], at=0.05, gain=-4, attack=0.05, hold=0.4)
    return s.render(["overdrive", "4", "10"] + room(55, 80, -6), length=1.7, fade_out=0.5)


def brass(s, note, at, length, gain):
    """A bright brass-like note: stacked harmonics with a slightly detuned twin."""
    harmonics = [(1.0, 0, 1.0), (2.0, -3, 1.0), (3.0, -6, 0.9), (4.0, -9, 0.8),
                 (5.0, -13, 0.7), (6.0, -17, 0.6), (1.003, -4, 1.0)]
    s.tone(hz(note), length, harmonics, at=at, gain=gain, attack=0.012, hold=length * 0.4)


def win(work):
    # A short rising fanfare: three quick notes up the major chord, then the
    # octave held over the chord with a cymbal shimmer.
    s = Sound(work, "win")
    for i, note in enumerate([72, 76, 79]):
        brass(s, note, at=0.09 * i, length=0.14, gain=-4)
    for note, level in [(84, 0), (79, -5), (76, -6), (72, -7)]:
        brass(s, note, at=0.27, length=0.85, gain=level - 2)
    s.layer(0.9, ["whitenoise"], ["highpass", "5000"], at=0.27, gain=-24, hold=0.0)
    return s.render(["lowpass", "5000"] + room(35, 50, -8), length=1.25, fade_out=0.3)


def lose(work):
    # A falling tone that wobbles as it sinks, an octave below doubling it.
    # (sox sweeps triangle and square waves with "/" off centre; "-" does not.)
    s = Sound(work, "lose")
    s.layer(0.9, ["triangle", "620-170"], ["tremolo", "7", "35"], attack=0.01)
    s.layer(0.9, ["sine", "310/85"], ["tremolo", "7", "35"], gain=-6, attack=0.01)
    s.layer(0.9, ["square", "620-170"], ["lowpass", "1200", "tremolo", "7", "35"], gain=-18,
            attack=0.01)
    return s.render(["lowpass", "3000"] + room(25, 40, -10), length=1.0, fade_out=0.4)


def tavisk(work):
    # The start-up jingle: a bell arpeggio climbing two octaves of the major
    # chord, landing on a soft held chord with a high sparkle; under two seconds.
    s = Sound(work, "tavisk")
    mallet = [(1.0, 0, 1.0), (2.0, -10, 0.5), (4.0, -14, 0.25), (3.01, -20, 0.3)]
    for i, note in enumerate([67, 72, 76, 79, 84]):
        s.tone(hz(note), 1.0, mallet, at=0.1 * i, gain=-3 + i * 0.5, attack=0.002)
    pad = [(1.0, 0, 1.0), (2.0, -8, 1.0), (3.0, -16, 1.0)]
    for note in [48, 55, 64, 72]:
        s.tone(hz(note), 1.3, pad, at=0.5, gain=-10, attack=0.25, hold=0.6)
    s.tone(hz(96), 0.9, mallet, at=0.55, gain=-14, attack=0.002)
    return s.render(room(45, 60, -6), length=1.9, fade_out=0.45)


# File name, recipe, loudness offset from the effects' level (dB): the bump is
# kept a little softer because it plays on every wall hit.
EFFECTS = [
    ("bump.ogg", bump, -3.0),
    ("flag.ogg", flag, 0.0),
    ("bomb.ogg", bomb, 0.0),
    ("explode.ogg", explode, 0.0),
    ("win.ogg", win, 0.0),
    ("lose.ogg", lose, 0.0),
    ("tavisk.ogg", tavisk, 0.0),
]
