#!/usr/bin/python3
"""Regenerates every sound of the game: the effects and the start-up jingle
(sox synth), the announcer's voice comments (espeak-ng) and the music tracks
(composed as MIDI, rendered by fluidsynth), all as Ogg Vorbis 44100 Hz stereo
at matched loudness. Clips go to data/, music to data/audio/; the level table
goes to docs/sound-levels.md. Every random choice is seeded and every encoder
setting fixed, so running it again reproduces the committed files byte for
byte on the same Debian release.

    /usr/bin/python3 tools/sound/make_sounds.py [effects] [voices] [music]

With no argument everything is made; the names restrict it to those groups
(the level table then still covers every file). The generator's own checks
are in test_generator.py beside it, which ctest runs.
"""

import os
import sys
import tempfile

sys.dont_write_bytecode = True  # leave no caches in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import audio_tools  # noqa: E402
from audio_tools import finish, loudness, samples, stats  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DATA = os.path.join(ROOT, "data")
MUSIC = os.path.join(DATA, "audio")
LEVELS = os.path.join(ROOT, "docs", "sound-levels.md")

# Gated loudness every clip and track is set to (dB of full scale, weighted);
# peaks stay at or below PEAK_LIMIT before encoding.
TARGET = -19.0
PEAK_LIMIT = -1.5
QUALITY = 4  # oggenc quality: about 128 kbit/s, all music together under 8 MB

# Longest each clip may last: the events they belong to. The blown-up and
# exit sequences take about 0.85 s at 60 frames per second (a fall about as
# long), the logo phase at most 2 s; voices must not outstay the moment.
LONGEST = {"bump.ogg": 0.3, "flag.ogg": 0.8, "bomb.ogg": 0.8, "explode.ogg": 1.8,
           "win.ogg": 1.3, "lose.ogg": 1.1, "tavisk.ogg": 2.0}
LONGEST_VOICE = 2.0
MUSIC_SECONDS = (60.0, 120.0)


def make_effects(work):
    import effects
    for name, recipe, offset in effects.EFFECTS:
        print("effect", name)
        finish(recipe(work), os.path.join(DATA, name), work, TARGET + offset, QUALITY,
               peak_limit=PEAK_LIMIT)


def make_voices(work):
    import voices
    for name, text, excitement in voices.VOICES:
        print("voice ", name)
        finish(voices.speak(work, name, text, excitement), os.path.join(DATA, name), work,
               TARGET, QUALITY, peak_limit=PEAK_LIMIT)


def make_music(work):
    import music
    os.makedirs(MUSIC, exist_ok=True)
    for style in music.TRACKS:
        print("music ", style.file)
        # No trimming: the loop starts on the first downbeat and its length is exact.
        finish(music.render(style, work), os.path.join(MUSIC, style.file), work, TARGET,
               QUALITY, clip=False, peak_limit=PEAK_LIMIT)


def onset(path):
    """Seconds before the first sample reaches -50 dB of full scale."""
    data = samples(path, channels=2)
    limit = 2 ** 31 * 10 ** (-50 / 20)
    for index, value in enumerate(data):
        if abs(value) >= limit:
            return index / 2 / audio_tools.RATE
    return float("inf")


def seam(path):
    """How the end of a looping track meets its start: the sample step across
    the seam and the largest step anywhere in the 2 s either side of it, each
    divided by the mean step there. A click would stand far above both."""
    data = samples(path, channels=2)
    rate = audio_tools.RATE
    around = list(data[-4 * rate:]) + list(data[:4 * rate])  # 2 s each side, stereo
    middle = len(around) // 2
    steps = [abs(around[i + 2] - around[i]) for i in range(len(around) - 2)]
    mean_step = sum(steps) / len(steps)
    across = max(steps[middle - 2], steps[middle - 1])
    return across / mean_step, max(steps) / mean_step


def check_and_report():
    """Measures every file, checks it against the rules of the set, writes the
    level table and stops with an error when something is off."""
    import effects
    import music
    import voices
    problems = []
    rows = []
    groups = [("effect", [(n, os.path.join(DATA, n), TARGET + offset)
                          for n, _, offset in effects.EFFECTS]),
              ("voice", [(n, os.path.join(DATA, n), TARGET) for n, _, _ in voices.VOICES]),
              ("music", [("audio/" + s.file, os.path.join(MUSIC, s.file), TARGET)
                         for s in music.TRACKS])]
    for kind, files in groups:
        for name, path, target in files:
            if not os.path.exists(path):
                problems.append(name + ": missing")
                continue
            values = stats(path)
            values.update(kind=kind, name=name, loudness=loudness(path),
                          size=os.path.getsize(path))
            if values["peak"] > -0.5:
                problems.append("%s: peak %.2f dBFS" % (name, values["peak"]))
            if abs(values["loudness"] - target) > 1.5:
                problems.append("%s: loudness %.1f dB, meant to be %.1f dB"
                                % (name, values["loudness"], target))
            if kind == "music":
                values["seam"], values["largest"] = seam(path)
                low, high = MUSIC_SECONDS
                if not low <= values["duration"] <= high:
                    problems.append("%s: %.1f s long" % (name, values["duration"]))
                if values["seam"] > 4:
                    problems.append("%s: loop seam step %.1f times the mean step"
                                    % (name, values["seam"]))
            else:
                values["onset"] = onset(path)
                longest = LONGEST.get(os.path.basename(name), LONGEST_VOICE)
                if values["duration"] > longest:
                    problems.append("%s: %.2f s, longer than %.2f s" % (name, values["duration"],
                                                                       longest))
                if values["onset"] > 0.005:
                    problems.append("%s: starts %.3f s late" % (name, values["onset"]))
            rows.append(values)
    write_levels(rows)
    if problems:
        sys.exit("Problems:\n  " + "\n  ".join(problems))


def spread(rows, kind, key):
    values = [r[key] for r in rows if r["kind"] == kind]
    return min(values), max(values)


def write_levels(rows):
    lines = [
        "# Sound levels",
        "",
        "Every sound file of the game, measured from the committed Ogg files by",
        "`tools/sound/make_sounds.py`, which writes this page. Duration, peak and RMS are",
        "what `sox FILE -n stats` reports; loudness is the generator's gated loudness",
        "(50 ms windows, silence and quiet tails left out, lightly weighted towards the",
        "frequencies the ear favours), the figure every file is levelled to:",
        "%.0f dB, the bump 3 dB softer (it sounds on every wall hit)." % TARGET,
        "Peaks stay below -0.5 dBFS (%.1f dBFS before encoding)." % PEAK_LIMIT,
        "For music, the seam columns show how the end of a track meets its start when it",
        "repeats: the sample step across the seam and the largest step within 2 s of it,",
        "both divided by the mean step there (a seamless join is an ordinary step; a click",
        "would stand far above the rest).",
        "",
        "| file | kind | duration (s) | peak (dBFS) | RMS (dBFS) | loudness (dB) | size (KiB) |",
        "|---|---|---:|---:|---:|---:|---:|",
    ]
    for r in rows:
        lines.append("| %s | %s | %.2f | %.2f | %.2f | %.1f | %.0f |" % (
            r["name"], r["kind"], r["duration"], r["peak"], r["rms"], r["loudness"],
            r["size"] / 1024))
    lines += ["", "| music | seam step / mean step | largest step near the seam / mean step |",
              "|---|---:|---:|"]
    for r in rows:
        if r["kind"] == "music":
            lines.append("| %s | %.2f | %.2f |" % (r["name"], r["seam"], r["largest"]))
    lines += ["", "Summary:", ""]
    for kind in ("effect", "voice", "music"):
        rms_low, rms_high = spread(rows, kind, "rms")
        peak_low, peak_high = spread(rows, kind, "peak")
        loud_low, loud_high = spread(rows, kind, "loudness")
        lines.append("- %s: RMS %.1f to %.1f dBFS, peak %.1f to %.1f dBFS, loudness %.1f to "
                     "%.1f dB." % (kind, rms_low, rms_high, peak_low, peak_high, loud_low,
                                   loud_high))
    total = sum(r["size"] for r in rows)
    lines.append("- %d files, %.1f MB in all." % (len(rows), total / 1e6))
    os.makedirs(os.path.dirname(LEVELS), exist_ok=True)
    with open(LEVELS, "w") as out:
        out.write("\n".join(lines) + "\n")
    print("\n".join(lines[-5:]))


def main():
    groups = {"effects": make_effects, "voices": make_voices, "music": make_music}
    chosen = sys.argv[1:] or list(groups)
    unknown = [g for g in chosen if g not in groups]
    if unknown:
        sys.exit("Unknown group: %s (choose from %s)" % (" ".join(unknown), " ".join(groups)))
    audio_tools.ensure_tools()
    with tempfile.TemporaryDirectory(prefix="zdsound") as work:
        for name in chosen:
            groups[name](work)
    check_and_report()


if __name__ == "__main__":
    main()
