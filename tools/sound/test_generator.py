#!/usr/bin/python3
"""Checks of the sound generator: the composer's music theory and loop rules,
and the finishing chain (trim, level). Exits 77 (skipped) when Debian's
python3-mido is missing; the finishing checks also need sox and oggenc."""

import os
import shutil
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

try:
    import music
except ImportError:
    print("python3-mido is missing: skipped")
    sys.exit(77)

import audio_tools  # noqa: E402


class ScoreTest(unittest.TestCase):
    def test_a_repeated_key_cuts_the_earlier_note_and_nothing_rings_past_the_loop(self):
        score = music.Score(1000)
        score.add(0, 0, 500, 60, 90)
        score.add(0, 200, 500, 60, 90)   # same key while the first still sounds
        score.add(0, 200, 100, 60, 90)   # same key, same start: a duplicate
        score.add(1, 900, 500, 60, 90)   # runs past the loop point
        score.add(1, 1000, 10, 64, 90)   # starts at the loop point
        self.assertEqual([n[:2] for n in score.notes], [[0, 200], [200, 700], [900, 1000]])


class HarmonyTest(unittest.TestCase):
    def test_chords_follow_the_key_and_minor_keys_raise_the_leading_note(self):
        d_dorian = music.Harmony(62, music.DORIAN)
        self.assertEqual(d_dorian.chord(3, False), [7, 11, 2])       # G major, the dorian colour
        e_minor = music.Harmony(64, music.MINOR)
        dominant = e_minor.chord(4, True)
        self.assertEqual(dominant, [11, 3, 6, 9])                   # B D# F# A
        self.assertIn(3, e_minor.scale_classes(dominant))           # D# replaces D
        self.assertNotIn(2, e_minor.scale_classes(dominant))
        self.assertEqual(music.step_in([0, 2, 4, 5, 7, 9, 11], 60, 3), 65)
        self.assertEqual(music.step_in([0, 2, 4, 5, 7, 9, 11], 60, -2), 57)
        self.assertEqual(music.nearest_in([2], 50, 55, 80), 62)     # kept within range

    def test_voicings_hold_the_chord_within_the_register_and_move_little(self):
        harmony = music.Harmony(62, music.MAJOR)
        previous = None
        for degree in (0, 4, 5, 3, 1, 4):
            chord = harmony.chord(degree, degree == 4)
            voiced = music.voicing(chord, previous, music.PAD_LOW, music.PAD_HIGH)
            self.assertEqual(set(n % 12 for n in voiced), set(chord))
            self.assertTrue(all(music.PAD_LOW <= n <= music.PAD_HIGH for n in voiced))
            if previous:
                self.assertLessEqual(sum(abs(a - b) for a, b in zip(voiced, previous)), 12)
            previous = voiced


class CompositionTest(unittest.TestCase):
    def test_every_track_is_repeatable_loopable_and_in_key(self):
        for style in music.TRACKS:
            with self.subTest(track=style.file):
                score = music.compose(style)
                self.assertEqual(score.notes, music.compose(style).notes)
                seconds = score.length / music.TPB * 60 / style.tempo
                self.assertTrue(60 <= seconds <= 120, seconds)
                self.assertEqual(min(n[0] for n in score.notes), 0)  # starts on the downbeat
                by_key = {}
                for start, end, channel, note, velocity in score.notes:
                    self.assertTrue(0 <= start < end <= score.length)
                    self.assertTrue(1 <= velocity <= 127)
                    by_key.setdefault((channel, note), []).append((start, end))
                for spans in by_key.values():
                    spans.sort()
                    for (_, end), (start, _) in zip(spans, spans[1:]):
                        self.assertLessEqual(end, start)
                # The tune keeps to the key (plus the raised leading note of a
                # minor key's dominant).
                harmony = music.Harmony(style.root, style.scale)
                allowed = set(harmony.scale_classes(harmony.chord(4, True)))
                allowed |= set((style.root + s) % 12 for s in style.scale)
                melody = [n[3] for n in score.notes if n[2] == music.CHANNELS["melody"]]
                self.assertTrue(set(n % 12 for n in melody) <= allowed)
                self.assertTrue(all(style.melody[1] <= n <= style.melody[2] for n in melody))


@unittest.skipUnless(shutil.which("sox") and shutil.which("oggenc"), "needs sox and oggenc")
class FinishTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.work)

    def tone(self, name, *effects):
        path = os.path.join(self.work, name)
        audio_tools.sox("-n", "-r", "22050", "-c", "1", "-b", "16", path, "synth", "0.5",
                        "sine", "440", "gain", "-12", "fade", "q", "0.005", "0.5", "0.05",
                        *effects)
        return path

    def test_silence_around_a_sound_does_not_change_its_loudness(self):
        plain = audio_tools.loudness(self.tone("plain.wav"))
        padded = audio_tools.loudness(self.tone("padded.wav", "pad", "0.5", "2"))
        # A plain RMS would fall by 7.8 dB; only the windows over the edges count.
        self.assertAlmostEqual(plain, padded, delta=0.5)

    def test_a_finished_clip_starts_at_once_in_stereo_at_the_target_level(self):
        source = self.tone("late.wav", "pad", "0.3", "0.3")
        ogg = os.path.join(self.work, "late.ogg")
        audio_tools.finish(source, ogg, self.work, -20.0, 4)
        values = audio_tools.stats(ogg)
        self.assertAlmostEqual(values["duration"], 0.5, delta=0.02)
        self.assertAlmostEqual(audio_tools.loudness(ogg), -20.0, delta=0.5)
        self.assertLess(values["peak"], -0.5)
        self.assertEqual(audio_tools.run(["soxi", "-c", ogg], capture=True).stdout.strip(), b"2")
        self.assertEqual(audio_tools.run(["soxi", "-r", ogg], capture=True).stdout.strip(),
                         b"44100")


if __name__ == "__main__":
    unittest.main()
