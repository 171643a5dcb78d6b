"""Small synthesis kit shared by the effects and the music (numpy, 44.1 kHz floats)."""

import os
import subprocess
import tempfile
import wave

import numpy as np
from scipy.signal import lfilter

RATE = 44100


def t_axis(seconds):
    return np.arange(int(round(seconds * RATE))) / RATE


def env_exp(n, decay):
    """Exponential decay over n samples: decay is the time in seconds to fall to 1/e."""
    return np.exp(-np.arange(n) / (decay * RATE))


def adsr(n, a=0.005, d=0.05, s=0.7, r=0.05):
    """Attack, decay, sustain level, release (seconds), spread over n samples."""
    e = np.full(n, s)
    na, nd, nr = int(a * RATE), int(d * RATE), int(r * RATE)
    na = min(na, n)
    e[:na] = np.linspace(0, 1, na, endpoint=False)
    nd = min(nd, n - na)
    e[na:na + nd] = np.linspace(1, s, nd, endpoint=False)
    nr = min(nr, n)
    if nr:
        e[n - nr:] *= np.linspace(1, 0, nr)
    return e


def sine(freq, seconds, phase=0.0):
    t = t_axis(seconds)
    if callable(freq):
        f = freq(t)
        return np.sin(2 * np.pi * np.cumsum(f) / RATE + phase)
    return np.sin(2 * np.pi * freq * t + phase)


def additive(freq, seconds, amps, detune=0.0):
    """Band-limited tone from harmonic amplitudes; partials above 16 kHz are left out."""
    t = t_axis(seconds)
    out = np.zeros_like(t)
    for k, a in enumerate(amps, start=1):
        f = freq * k * (1 + detune * (k - 1))
        if f > 16000:
            break
        out += a * np.sin(2 * np.pi * f * t)
    return out


def noise(seconds, seed):
    return np.random.default_rng(seed).uniform(-1, 1, int(round(seconds * RATE)))


def lowpass(x, cutoff):
    """One-pole low-pass; cutoff in Hz (a number, or an array per sample)."""
    if np.isscalar(cutoff):
        a = 1 - np.exp(-2 * np.pi * cutoff / RATE)
        return lfilter([a], [1, -(1 - a)], x)
    a = 1 - np.exp(-2 * np.pi * np.asarray(cutoff, float) / RATE)
    y = np.empty_like(x)
    acc = 0.0
    for i in range(len(x)):
        acc += a[i] * (x[i] - acc)
        y[i] = acc
    return y


def highpass(x, cutoff):
    return x - lowpass(x, cutoff)


def fade(x, fade_in=0.002, fade_out=0.01):
    """Short fades so an effect starts and ends on silence (no click)."""
    y = x.copy()
    ni, no = int(fade_in * RATE), int(fade_out * RATE)
    if ni:
        y[:ni] *= np.linspace(0, 1, ni)
    if no:
        y[-no:] *= np.linspace(1, 0, no)
    return y


def mix(length, *parts):
    """Adds (offset seconds, signal) parts into one buffer of the given length."""
    out = np.zeros(int(round(length * RATE)))
    for offset, sig in parts:
        i = int(round(offset * RATE))
        n = min(len(sig), len(out) - i)
        if n > 0:
            out[i:i + n] += sig[:n]
    return out


def loudness(x):
    """RMS over the loud part of a sound (blocks within 30 dB of the loudest)."""
    block = 1024
    n = max(1, len(x) // block)
    rms = np.array([np.sqrt(np.mean(x[i * block:(i + 1) * block] ** 2) + 1e-12)
                    for i in range(n)])
    loud = rms[rms > rms.max() * 0.03]
    return float(np.sqrt(np.mean(loud ** 2)))


def level(x, target_rms=0.16, peak=0.89):
    """Scales to a common loudness, but never past the peak limit."""
    gain = target_rms / max(loudness(x), 1e-9)
    gain = min(gain, peak / max(np.max(np.abs(x)), 1e-9))
    return x * gain


def write_wav(path, x, channels=1):
    data = np.clip(np.rint(np.asarray(x) * 32767), -32767, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data.tobytes())


def read_wav(path):
    with wave.open(path, "rb") as w:
        assert w.getsampwidth() == 2
        ch, rate = w.getnchannels(), w.getframerate()
        data = np.frombuffer(w.readframes(w.getnframes()), "<i2").astype(float) / 32768
    if ch > 1:
        data = data.reshape(-1, ch).mean(axis=1)
    assert rate == RATE, rate
    return data


def write_ogg(path, x, channels=1, quality=5):
    """Encodes a float signal (interleaved if stereo) as Ogg Vorbis at 44.1 kHz."""
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "x.wav")
        write_wav(wav, x, channels)
        # A fixed stream serial keeps the file byte-for-byte the same on every run.
        subprocess.run(["oggenc", "-Q", "-q", str(quality), "-s", "2010", "-o", path, wav],
                       check=True)


def note_freq(name):
    """'C4', 'F#5', 'Bb3' to Hz (A4 = 440)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    n = steps[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        n += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2 ** ((n + 12 * (octave - 4)) / 12)
