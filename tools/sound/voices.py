"""The announcer's voice comments: espeak-ng speaks each phrase with one voice
whose pitch, range, speed and emphasis follow how exciting the moment is; sox
then gives every clip the same studio treatment (rumble cut, presence lift,
compression that grows with the excitement, a small room)."""

import os

from audio_tools import run, sox

VOICE = "en-us+m3"

# File name, what is said, excitement from 0 (calm) to 1 (beside himself).
# The hole-jump series nicejump .. yeah climbs step by step.
VOICES = [
    ("thatwasclose.ogg", "That was close!", 0.45),
    ("watchout.ogg", "Watch out!", 0.55),
    ("whatareyoudoing.ogg", "What are you doing?", 0.35),
    ("nicejump.ogg", "Nice jump!", 0.3),
    ("yes.ogg", "Yes!", 0.42),
    ("groovy.ogg", "Groovy!", 0.54),
    ("awesome.ogg", "Awesome!", 0.66),
    ("amazing.ogg", "Amazing!", 0.78),
    ("ridiculous.ogg", "Ridiculous!", 0.9),
    ("yeah.ogg", "Yeah!", 1.0),
    ("goodluck.ogg", "Good luck!", 0.35),
    ("rocknroll.ogg", "Rock and roll!", 0.65),
    ("jumpnroll.ogg", "Jump and roll!", 0.65),
    ("ohno.ogg", "Oh no!", 0.4),
    ("whoops.ogg", "Whoops!", 0.4),
    ("findtheexit.ogg", "Find the exit!", 0.35),
    ("lastflag.ogg", "Last flag!", 0.5),
    ("alldone.ogg", "All done!", 0.55),
    ("dontfallasleep.ogg", "Don't fall asleep.", 0.1),
    ("goon.ogg", "Go on!", 0.25),
    ("whatareyouwaitingforeaster.ogg", "What are you waiting for, Easter?", 0.2),
]


def speech_markup(text, excitement):
    """SSML for espeak-ng: a wider pitch swing as the excitement grows, with
    stress on the word when he is really thrilled."""
    spread = round(110 + excitement * 110)
    body = text
    if excitement >= 0.6:
        body = '<emphasis level="strong">%s</emphasis>' % text
    return '<speak><prosody range="%d%%">%s</prosody></speak>' % (spread, body)


def speak(work, name, text, excitement):
    """Renders one voice clip to a wav file in `work` and returns its path."""
    base = os.path.join(work, name[:-4])
    raw = base + "-espeak.wav"
    # Base pitch and speed rise with the excitement: 40 -> 85 and 160 -> 200 wpm.
    pitch = round(40 + 45 * excitement)
    speed = round(160 + 40 * excitement)
    run(["espeak-ng", "-v", VOICE, "-m", "-p", str(pitch), "-s", str(speed), "-a", "70",
         "-w", raw, speech_markup(text, excitement)])
    # Compression: ratio from about 2:1 (calm) to 4:1 (thrilled) above -30 dB.
    squeeze = -30 + 30 / (2 + 2 * excitement)
    out = base + "-voice.wav"
    sox(raw, "-e", "floating-point", "-b", "32", out, "gain", "-6", "rate", "-v", "44100",
        "highpass", "110", "equalizer", "200", "1q", "-2",
        "equalizer", "3200", "1.2q", "%.1f" % (2 + 2 * excitement),
        "compand", "0.004,0.12", "6:-70,-70,-30,-30,0,%.1f" % squeeze, "-4",
        # A fast limiter catches the consonant peaks the compressor lets through.
        "compand", "0,0.06", "3:-12,-12,0,-7", "0",
        "channels", "2", "reverb", "22", "55", "28", "60", "6", "-9")
    return out
