"""Writes the fourteen sound effects data/*.ogg (mono, 44.1 kHz Ogg Vorbis).

Voices are spoken by espeak-ng and shaped with sox (pitch, speed, a touch of
room); everything else is synthesised here.  All effects are levelled to
the same loudness with a peak limit, and start and end on silence.
"""

import os
import subprocess
import sys
import tempfile

import numpy as np

import synth as s
from synth import RATE

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DATA = os.path.join(ROOT, "data")


# ------------------------------------------------------------------ voices
# (text, espeak voice, espeak pitch 0-99, words per minute, sox effects)
VOICES = {
    "oh_no": ("Oh no!", "en-us+m3", 70, 150, ["pitch", "350", "tempo", "0.95"]),
    "yeah": ("Yeah!", "en-us+m3", 75, 150, ["pitch", "300", "tempo", "0.9"]),
    "uh_oh": ("uh oh", "en-us+m3", 60, 120, ["pitch", "300", "tempo", "0.85"]),
    "da_oh": ("duh, oh?", "en-us+m3", 55, 130, ["pitch", "250", "tempo", "0.9"]),
    "ughhhhh": ("uuuuugh", "en-us+m3", 60, 60,
                ["pitch", "250", "bend", "0.2,-1000,1.3", "tempo", "0.62"]),
}


def voice(name):
    text, v, pitch, wpm, effects = VOICES[name]
    with tempfile.TemporaryDirectory() as tmp:
        raw, shaped = os.path.join(tmp, "raw.wav"), os.path.join(tmp, "shaped.wav")
        subprocess.run(["espeak-ng", "-v", v, "-p", str(pitch), "-s", str(wpm), "-w", raw, text],
                       check=True)
        subprocess.run(["sox", "-R", raw, "-r", str(RATE), "-c", "1", "-b", "16", shaped,
                        "highpass", "120", "lowpass", "5500"] + effects + ["lowpass", "6000"] +
                       ["reverb", "12", "50", "30", "silence", "1", "0.01", "0.5%",
                        "reverse", "silence", "1", "0.01", "0.5%", "reverse",
                        "pad", "0.01", "0"],
                       check=True)
        return s.fade(s.read_wav(shaped), 0.005, 0.05)


# ------------------------------------------------------------------ effects
def footstep():
    """A soft scuff and thump: well under 0.15 s, since one plays every third of a second."""
    n = s.noise(0.09, 1)
    scuff = s.lowpass(s.highpass(n, 300), 2500) * s.env_exp(len(n), 0.012)
    thump = s.sine(lambda t: 140 - 500 * t, 0.09) * s.env_exp(int(0.09 * RATE), 0.02)
    return s.fade(0.8 * scuff + thump, 0.001, 0.02)


def button():
    """A plastic button: a click down, a click up."""
    def click(freq, seed):
        n = s.noise(0.02, seed) * s.env_exp(int(0.02 * RATE), 0.002)
        return s.highpass(n, 1500) + 0.6 * s.sine(freq, 0.02) * s.env_exp(int(0.02 * RATE), 0.004)
    return s.fade(s.mix(0.11, (0.0, click(2200, 2)), (0.07, 0.7 * click(1800, 3))), 0.0005, 0.005)


def bell(freq, seconds, bright=1.0):
    t = s.t_axis(seconds)
    tone = (np.sin(2 * np.pi * freq * t) + 0.5 * bright * np.sin(2 * np.pi * 2 * freq * t) +
            0.25 * bright * np.sin(2 * np.pi * 3.01 * freq * t) * np.exp(-t * 12))
    return tone * s.env_exp(len(t), seconds / 4) * s.adsr(len(t), 0.002, 0.01, 1.0, 0.02)


def pickup():
    """A bright two-note chime going up."""
    e6, b6 = s.note_freq("E6"), s.note_freq("B6")
    return s.fade(s.mix(0.42, (0.0, bell(e6, 0.2)), (0.07, bell(b6, 0.35))))


def remote():
    """An electronic double beep with a rising blip."""
    def beep(freq, secs):
        tone = s.additive(freq, secs, [1, 0, 0.3, 0, 0.15, 0, 0.08])
        return tone * s.adsr(len(tone), 0.003, 0.02, 0.8, 0.015)
    blip = s.sine(lambda t: 900 + 6000 * t, 0.1) * s.adsr(int(0.1 * RATE), 0.002, 0.03, 0.6, 0.03)
    return s.fade(s.mix(0.36, (0.0, beep(1320, 0.08)), (0.11, beep(1760, 0.08)),
                        (0.23, 0.6 * blip)))


def complete():
    """A happy jingle: an arpeggio up to a sparkling chord."""
    notes = [("C5", 0.0), ("E5", 0.09), ("G5", 0.18), ("C6", 0.27)]
    parts = [(t, 0.8 * bell(s.note_freq(n), 0.45)) for n, t in notes]
    for n in ("C6", "E6", "G6"):
        parts.append((0.40, 0.45 * bell(s.note_freq(n), 0.9, 0.6)))
    return s.fade(s.mix(1.35, *parts))


def brick():
    """Stone crumbling: a thud and a shower of small grit."""
    rng = np.random.default_rng(7)
    thud_n = s.noise(0.25, 8)
    thud = s.lowpass(thud_n, 400) * s.env_exp(len(thud_n), 0.05) * 3
    thud += 0.7 * s.sine(lambda t: 90 - 100 * t, 0.25) * s.env_exp(int(0.25 * RATE), 0.06)
    parts = [(0.0, thud)]
    for i in range(40):
        at = 0.02 + rng.random() ** 1.6 * 0.45
        secs = 0.01 + rng.random() * 0.03
        g = s.noise(secs, 100 + i)
        g = s.lowpass(s.highpass(g, 600 + rng.random() * 1500), 4000) * s.env_exp(len(g), secs / 3)
        parts.append((at, g * (0.6 - at) * 1.4))
    return s.fade(s.mix(0.62, *parts))


def glassplate():
    """A clear glass clink, then a smaller one as the plate settles."""
    def clink(base, secs, seed):
        t = s.t_axis(secs)
        partials = ((1.0, 1.0), (2.76, 0.6), (5.4, 0.35), (8.93, 0.2))
        out = np.zeros_like(t)
        for ratio, amp in partials:
            out += amp * np.sin(2 * np.pi * base * ratio * t) * np.exp(-t * (8 + ratio * 4))
        tick = s.highpass(s.noise(secs, seed), 3000) * s.env_exp(len(t), 0.002)
        return out + 0.5 * tick
    return s.fade(s.mix(0.55, (0.0, clink(1900, 0.5, 11)), (0.12, 0.45 * clink(2250, 0.4, 12))))


def tnt():
    """A big cartoon blast: a crack, a boom falling in pitch, and a rumbling tail."""
    secs = 1.3
    n = s.noise(secs, 21)
    cutoff = 6000 * np.exp(-s.t_axis(secs) * 5) + 150
    body = s.lowpass(n, cutoff) * s.env_exp(len(n), 0.35)
    boom = s.sine(lambda t: 30 + 90 * np.exp(-t * 6), secs) * s.env_exp(len(n), 0.4)
    crack = s.highpass(s.noise(0.04, 22), 1500) * s.env_exp(int(0.04 * RATE), 0.008)
    x = s.mix(secs, (0.0, 2.0 * body), (0.0, 1.2 * boom), (0.0, crack))
    return s.fade(np.tanh(x * 1.5), 0.001, 0.1)


def hittrap():
    """A steel trap going off: a clank and a springy boing."""
    secs = 0.6
    t = s.t_axis(secs)
    clank = np.zeros_like(t)
    for ratio, amp in ((1.0, 1.0), (2.32, 0.7), (4.13, 0.5), (6.37, 0.3)):
        clank += amp * np.sin(2 * np.pi * 420 * ratio * t) * np.exp(-t * (14 + ratio * 3))
    hit = s.lowpass(s.noise(0.03, 31), 3000) * s.env_exp(int(0.03 * RATE), 0.006)
    boing = s.sine(lambda t: 220 + 60 * np.sin(2 * np.pi * 14 * t) * np.exp(-t * 3), 0.5)
    boing *= s.adsr(len(boing), 0.01, 0.1, 0.6, 0.2) * s.env_exp(len(boing), 0.25)
    return s.fade(s.mix(secs, (0.0, clank), (0.0, hit), (0.05, 0.5 * boing)))


EFFECTS = {
    "footstep": footstep, "button": button, "pickup": pickup, "remote": remote,
    "complete": complete, "brick": brick, "glassplate": glassplate, "tnt": tnt,
    "hittrap": hittrap,
}

# Short or thin sounds get a touch more level so they sit with the rest.
LOUDNESS = {"footstep": 0.10, "button": 0.12, "tnt": 0.20, "ughhhhh": 0.15}


def make(name):
    x = voice(name) if name in VOICES else EFFECTS[name]()
    x = s.level(x, LOUDNESS.get(name, 0.16))
    # A few milliseconds of silence either side: the encoder smears a hard
    # start, and a clip must begin and end on zero to play without a click.
    return np.concatenate([np.zeros(int(0.004 * RATE)), x, np.zeros(int(0.012 * RATE))])


def main():
    names = sys.argv[1:] or list(EFFECTS) + list(VOICES)
    for name in names:
        x = make(name)
        path = os.path.join(DATA, name + ".ogg")
        s.write_ogg(path, x)
        print(f"{path}: {len(x) / RATE:.3f} s, peak {np.max(np.abs(x)):.2f}, "
              f"rms {s.loudness(x):.3f}")


if __name__ == "__main__":
    main()
