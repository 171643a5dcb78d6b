"""Writes the looping tune data/thebodger.ogg (stereo, 44.1 kHz Ogg Vorbis).

The tune is written below as note lists, one bar per line.  It is rendered
three times end to end and the middle pass is kept, so the notes that ring
over the end of the loop are already sounding at its start and the waveform
runs on across the join without a click or a gap.
"""

import os
import sys

import numpy as np

import synth as s
from synth import RATE

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT = os.path.join(ROOT, "data", "thebodger.ogg")

BPM = 144
BEAT = 60.0 / BPM

# Melody: "note:beats" tokens, "r" a rest; four beats a bar.
MELODY_A = """
G4:.5 C5:.5 E5:.5 G5:.5 E5:1 C5:1
A4:.5 C5:.5 E5:.5 A5:.5 G5:1 E5:1
F4:.5 A4:.5 C5:.5 F5:.5 E5:.5 D5:.5 C5:1
D5:1 B4:.5 G4:.5 B4:1 r:1
E5:.5 E5:.5 G5:1 E5:.5 D5:.5 C5:1
C5:.5 D5:.5 E5:1 A5:1 G5:1
F5:.5 E5:.5 D5:1 D5:.5 E5:.5 F5:1
E5:1.5 D5:.5 C5:1.5 r:.5
"""

MELODY_B = """
A5:1 G5:.5 F5:.5 A5:1 C6:1
B5:1 A5:.5 G5:.5 D5:2
G5:1 E5:.5 G5:.5 B5:1 G5:1
A5:1.5 G5:.5 E5:1 C5:1
F5:.5 G5:.5 A5:1 F5:.5 A5:.5 C6:1
B5:.5 C6:.5 D6:1 B5:1 G5:1
C6:1 G5:1 E5:1 D5:1
C5:2 r:1 G4:.5 B4:.5
"""

# One chord a bar (two in a bar where written "F G"); the bass walks the root and fifth.
CHORDS_A = "C Am F G C Am F,G C"
CHORDS_B = "F G Em Am F G C,G C"

CHORD_NOTES = {
    "C": ("C3", "E4", "G4", "C5"), "Am": ("A2", "E4", "A4", "C5"),
    "F": ("F2", "F4", "A4", "C5"), "G": ("G2", "D4", "G4", "B4"),
    "Em": ("E3", "E4", "G4", "B4"),
}

FORM = ("A", "B", "A", "B")


def parse_melody(text):
    bars = []
    for line in text.strip().split("\n"):
        notes = []
        for tok in line.split():
            name, beats = tok.split(":")
            notes.append((None if name == "r" else name, float(beats)))
        if abs(sum(b for _, b in notes) - 4) > 1e-9:
            raise ValueError(f"bar does not add up to four beats: {line}")
        bars.append(notes)
    return bars


def lead_tone(freq, secs):
    """A round square-ish lead with a gentle vibrato that comes in late."""
    t = s.t_axis(secs + 0.12)
    vib = 1 + 0.004 * np.sin(2 * np.pi * 5.5 * t) * np.clip((t - 0.15) * 4, 0, 1)
    phase = 2 * np.pi * np.cumsum(freq * vib) / RATE
    tone = np.zeros_like(t)
    for k, a in ((1, 1.0), (2, 0.18), (3, 0.33), (5, 0.16), (7, 0.07)):
        if freq * k < 15000:
            tone += a * np.sin(k * phase)
    env = s.adsr(len(t), 0.006, 0.08, 0.65, 0.1)
    return tone * env


def bass_tone(freq, secs):
    t = s.t_axis(secs)
    tone = np.sin(2 * np.pi * freq * t) + 0.3 * np.sin(4 * np.pi * freq * t)
    return tone * s.adsr(len(t), 0.004, 0.1, 0.6, 0.04)


def stab_tone(freqs, secs):
    t = s.t_axis(secs)
    tone = sum(s.additive(f, secs, [1, 0.4, 0.2, 0.1], 0.0) for f in freqs)
    return tone * s.adsr(len(t), 0.004, 0.06, 0.3, 0.05)


def kick():
    secs = 0.25
    return s.sine(lambda t: 50 + 120 * np.exp(-t * 30), secs) * s.env_exp(int(secs * RATE), 0.07)


def snare(seed):
    secs = 0.18
    n = s.highpass(s.noise(secs, seed), 800) * s.env_exp(int(secs * RATE), 0.045)
    body = s.sine(190, secs) * s.env_exp(int(secs * RATE), 0.03)
    return 0.7 * n + 0.4 * body


def hat(seed):
    """A closed hi-hat tick, kept below 11 kHz so it does not hiss."""
    secs = 0.05
    tick = s.lowpass(s.highpass(s.noise(secs, seed), 6000), 11000)
    return tick * s.env_exp(int(secs * RATE), 0.010)


def render_pass(offset, tracks):
    """Adds one pass of the whole tune, starting at offset seconds, into tracks."""
    melody = {"A": parse_melody(MELODY_A), "B": parse_melody(MELODY_B)}
    chords = {"A": CHORDS_A.split(), "B": CHORDS_B.split()}
    bar_len = 4 * BEAT
    bar = 0
    for section_no, section in enumerate(FORM):
        for i, notes in enumerate(melody[section]):
            t0 = offset + bar * bar_len
            beat = 0.0
            for name, beats in notes:
                if name:
                    f = s.note_freq(name)
                    tracks["lead"].append((t0 + beat * BEAT, lead_tone(f, beats * BEAT * 0.92)))
                    if section_no >= 2:  # second time round an echo an octave up joins in
                        tracks["echo"].append((t0 + (beat + 0.5) * BEAT,
                                               0.35 * lead_tone(f * 2, beats * BEAT * 0.5)))
                beat += beats
            names = chords[section][i].split(",")
            for half, cname in enumerate(names):
                span = 4 // len(names)
                root, *upper = CHORD_NOTES[cname]
                rf = s.note_freq(root)
                for b in range(span):
                    at = t0 + (half * span + b) * BEAT
                    bf = rf if b % 2 == 0 else rf * 1.5
                    tracks["bass"].append((at, bass_tone(bf, BEAT * 0.45)))
                    tracks["bass"].append((at + 0.5 * BEAT, 0.6 * bass_tone(bf * 2, BEAT * 0.3)))
                    tracks["stab"].append((at + 0.5 * BEAT,
                                           stab_tone([s.note_freq(n) for n in upper], BEAT * 0.3)))
            for b in range(4):
                at = t0 + b * BEAT
                tracks["drums"].append((at, kick() if b % 2 == 0 else 0.8 * snare(bar * 4 + b)))
                tracks["drums"].append((at, 0.30 * hat(1000 + bar * 8 + b * 2)))
                tracks["drums"].append((at + 0.5 * BEAT, 0.20 * hat(1001 + bar * 8 + b * 2)))
            bar += 1
    return bar * bar_len


def render():
    tracks = {k: [] for k in ("lead", "echo", "bass", "stab", "drums")}
    loop = render_pass(0.0, {k: [] for k in tracks})
    for p in range(3):
        render_pass(p * loop, tracks)
    total = 3 * loop + 1.0
    pan = {"lead": (0.9, 0.75), "echo": (0.4, 0.8), "bass": (0.85, 0.85), "stab": (0.6, 0.35),
           "drums": (0.7, 0.7)}
    gain = {"lead": 0.30, "echo": 0.22, "bass": 0.40, "stab": 0.14, "drums": 0.45}
    left = np.zeros(int(round(total * RATE)))
    right = np.zeros_like(left)
    for name, parts in tracks.items():
        mono = s.mix(total, *parts) * gain[name]
        left += mono * pan[name][0]
        right += mono * pan[name][1]
    n = int(round(loop * RATE))
    start = n
    l, r = left[start:start + n], right[start:start + n]
    peak = max(np.max(np.abs(l)), np.max(np.abs(r)))
    l, r = l * 0.89 / peak, r * 0.89 / peak
    return l, r, loop


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else OUT
    left, right, loop = render()
    stereo = np.empty(2 * len(left))
    stereo[0::2], stereo[1::2] = left, right
    s.write_ogg(out, stereo, channels=2, quality=4)
    step = max(abs(left[0] - left[-1]), abs(right[0] - right[-1]))
    print(f"{out}: {loop:.2f} s loop, join step {step:.4f}")


if __name__ == "__main__":
    main()
