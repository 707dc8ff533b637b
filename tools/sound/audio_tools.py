"""Shared plumbing of the sound generators: the external tools, sox calls that
fail loudly, loudness measurement, and the finishing chain every clip and track
goes through (trim, level, 16-bit stereo 44100 Hz, Ogg Vorbis with a fixed
stream serial so regenerating reproduces the same bytes)."""

import array
import itertools
import math
import os
import shutil
import subprocess
import sys
import zlib

RATE = 44100
SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"

# What each generator needs, and the Debian package that provides it.
_PROGRAMS = {"sox": "sox", "espeak-ng": "espeak-ng", "oggenc": "vorbis-tools",
             "fluidsynth": "fluidsynth"}


def _missing_packages():
    missing = [package for program, package in _PROGRAMS.items() if shutil.which(program) is None]
    if not os.path.exists(SOUNDFONT):
        missing.append("fluid-soundfont-gm")
    try:
        import mido  # noqa: F401
    except ImportError:
        missing.append("python3-mido")
    return missing


def ensure_tools():
    """Installs the Debian packages the generators call when they are missing;
    exits with a clear list when that is not possible."""
    missing = _missing_packages()
    if not missing:
        return
    print("Installing: " + " ".join(missing))
    prefix = [] if os.geteuid() == 0 else ["sudo"]
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    try:
        subprocess.run(prefix + ["apt-get", "update", "-qq"], check=True, env=env)
        # Without --no-install-recommends fluidsynth pulls in a desktop toolkit.
        subprocess.run(prefix + ["apt-get", "install", "-y", "-qq", "--no-install-recommends"]
                       + missing, check=True, env=env)
    except (OSError, subprocess.CalledProcessError):
        pass
    still = _missing_packages()
    if still:
        sys.exit("Missing Debian packages (install them with apt-get): " + " ".join(still))


def run(args, capture=False):
    """Runs a tool; any failure stops the generator with the tool's own message."""
    result = subprocess.run(args, stdout=subprocess.PIPE if capture else subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    if result.returncode != 0:
        sys.exit("Failed: " + " ".join(args) + "\n" + result.stderr.decode(errors="replace"))
    return result


def sox(*args):
    """Runs sox with repeatable random numbers (noise and dither) and treats any
    clipping inside the chain as an error: every stage must keep headroom."""
    result = run(["sox", "-R", "-V2"] + [str(a) for a in args], capture=True)
    warnings = result.stderr.decode(errors="replace")
    if "clipped" in warnings:
        sys.exit("Clipping in: sox " + " ".join(str(a) for a in args) + "\n" + warnings)
    return result


def samples(path, rate=RATE, channels=1, weighted=False):
    """The audio of a file as 32-bit integers, optionally through a rough
    loudness weighting (cut below 40 Hz, lift above 1.5 kHz, as the ear does)."""
    effects = ["highpass", "40", "treble", "4", "1500"] if weighted else []
    args = ["sox", "-R", "-V1", path, "-t", "raw", "-e", "signed", "-b", "32", "-c",
            str(channels), "-r", str(rate), "-"] + effects
    raw = run(args, capture=True).stdout
    data = array.array("i")
    data.frombytes(raw)
    if sys.byteorder != "little":
        data.byteswap()
    return data


def loudness(path):
    """Gated loudness in dB of full scale: mean power of 50 ms windows (moved
    in 12.5 ms hops), leaving out silence and windows more than 10 dB below the
    mean of the rest. Short clips and long tails are then judged by what the
    listener hears, not by how long they are, and overlapping windows keep the
    figure steady for clips only a few windows long."""
    rate = 22050
    # Both channels count, each on its own: a downmix would hide sound that
    # differs between left and right.
    data = samples(path, rate=rate, channels=2, weighted=True)
    scale = 2.0 ** -62
    running = [0.0]
    for energy in itertools.accumulate(v * v for v in data):
        running.append(energy * scale)
    window = 2 * (rate // 20)
    hop = window // 4
    count = max(1, len(data) - window + 1)
    span = min(window, len(data)) or 1
    powers = [(running[min(i + window, len(data))] - running[i]) / span
              for i in range(0, count, hop)]
    audible = [p for p in powers if p > 1e-7]
    if not audible:
        return -120.0
    mean = sum(audible) / len(audible)
    gated = [p for p in audible if p > mean * 0.1]
    return 10.0 * math.log10(sum(gated) / len(gated))


def stats(path):
    """Duration (s), peak (dBFS), RMS (dBFS) and loudest 50 ms RMS (dBFS) as sox
    reports them for the whole file."""
    text = sox(path, "-n", "stats").stderr.decode()
    values = {}
    for line in text.splitlines():
        parts = line.split()
        if line.startswith("Pk lev dB"):
            values["peak"] = float(parts[3])
        elif line.startswith("RMS lev dB"):
            values["rms"] = float(parts[3])
        elif line.startswith("RMS Pk dB"):
            values["rmsPeak"] = float(parts[3])
        elif line.startswith("Length s"):
            values["duration"] = float(parts[2])
    return values


def serial_for(name):
    """A fixed Ogg stream serial per file name, so encoding is reproducible."""
    return zlib.crc32(name.encode()) & 0x7FFFFFFF


def encode(wav, ogg, quality):
    run(["oggenc", "-Q", "-q", str(quality), "-s", str(serial_for(os.path.basename(ogg))),
         "-o", ogg, wav])


def finish(source, ogg, work, target, quality, clip=True, peak_limit=-1.5):
    """Turns a rendered sound into a finished Ogg file: 44100 Hz stereo, gain
    set so its gated loudness meets `target` without the peak passing
    `peak_limit`, then 16-bit and Vorbis. A clip is also freed of any DC offset
    and trimmed of leading (and trailing) silence so it starts on its event;
    music gets nothing with a memory (a filter would treat the start and the
    end of a loop differently and open the seam). A sound whose peak keeps it
    below the target stays quieter; the level check reports it."""
    base = os.path.join(work, os.path.basename(ogg) + ".finish")
    shaped = base + "-a.wav"
    effects = ["rate", "-v", str(RATE), "channels", "2"]
    if clip:
        # Thresholds are relative to the peak (normalised first). The trailing
        # trim runs on the reversed sound, where a fade in is the closing fade out.
        effects += ["highpass", "15", "norm", "-10", "silence", "1", "0", "-50d",
                    "reverse", "silence", "1", "0", "-66d", "fade", "t", "0.01", "reverse"]
    sox(source, "-e", "floating-point", "-b", "32", shaped, *effects)
    level = loudness(shaped)
    peak = stats(shaped)["peak"]
    gain = min(target - level, peak_limit - peak)
    final = base + "-b.wav"
    sox(shaped, "-b", "16", final, "gain", "%.3f" % gain)
    encode(final, ogg, quality)
