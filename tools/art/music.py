"""BGM1.wav: a gentle spring-by-the-sea loop.

16 bars of 4/4 at 96 BPM in F major: soft pad, round bass, a bell arpeggio,
a flute-like melody and a quiet shaker.  Everything is rendered into a
circular buffer whose length is exactly the 16 bars: tails that run past the
end wrap round to the start and the reverb is a circular convolution, so the
last sample flows into the first as smoothly as any two neighbours.  Finally
the buffer is rotated by a few samples so the file starts (and therefore
ends) on a zero crossing.
"""
import os
import wave

import numpy as np

from common import DATA

RATE = 22050
BPM = 96
BARS = 16
BEAT = 60.0 / BPM
LOOP = int(round(BARS * 4 * BEAT * RATE))   # 16 bars = 40 s exactly at 96 BPM

# one chord a bar (MIDI note numbers, root first)
CHORDS = [
    ("F", [53, 57, 60]), ("Am", [57, 60, 64]), ("Dm", [50, 53, 57]), ("Bb", [46, 50, 53]),
    ("F", [53, 57, 60]), ("Am", [57, 60, 64]), ("Bb", [46, 50, 53]), ("C", [48, 52, 55]),
    ("Dm", [50, 53, 57]), ("Am", [57, 60, 64]), ("Bb", [46, 50, 53]), ("F", [53, 57, 60]),
    ("Gm", [55, 58, 62]), ("Am", [57, 60, 64]), ("Bb", [46, 50, 53]), ("C7", [48, 52, 55, 58]),
]

A4, C5, D5, E5, F5, G4, B4b, F4, E4 = 69, 72, 74, 76, 77, 67, 70, 65, 64
# melody: per bar a list of (beats, note or None for a rest)
MELODY = [
    [(1, A4), (1, C5), (1.5, F5), (0.5, E5)],
    [(2, E5), (1, D5), (1, C5)],
    [(1.5, D5), (0.5, C5), (1, A4), (1, F4)],
    [(1, G4), (1, A4), (1, B4b), (1, D5)],
    [(3, C5), (0.5, A4), (0.5, C5)],
    [(1.5, E5), (0.5, D5), (1, C5), (1, E5)],
    [(1, D5), (1, F5), (1, D5), (1, B4b)],
    [(3, C5), (1, None)],
    [(1.5, F5), (0.5, E5), (1, D5), (1, A4)],
    [(1, E5), (1, C5), (2, A4)],
    [(1, B4b), (1, D5), (1, F5), (1, D5)],
    [(2, C5), (1, A4), (1, F4)],
    [(1, G4), (1, B4b), (1.5, D5), (0.5, C5)],
    [(1, C5), (2, E5), (1, D5)],
    [(1.5, D5), (0.5, C5), (1, B4b), (1, A4)],
    [(2, G4), (1, E4), (1, None)],
]


def hz(m):
    return 440.0 * 2 ** ((m - 69) / 12.0)


def env(n, attack, release_from, release):
    """Linear attack, hold, exponential-ish release; all in samples."""
    e = np.ones(n)
    a = max(1, int(attack))
    e[:a] = np.linspace(0, 1, a)
    r0 = int(release_from)
    if r0 < n:
        t = np.arange(n - r0) / max(1.0, release)
        e[r0:] *= np.exp(-t * 5.0)
    return e


def add(buf, start, sig):
    """Add `sig` into the circular buffer at `start`, wrapping past the end."""
    n = len(buf)
    start %= n
    pos = 0
    while pos < len(sig):
        take = min(len(sig) - pos, n - start)
        buf[start:start + take] += sig[pos:pos + take]
        pos += take
        start = 0


def t_of(n):
    return np.arange(n) / RATE


def pad(freq, beats, detune):
    n = int((beats * BEAT + 1.5) * RATE)
    t = t_of(n)
    s = np.zeros(n)
    for k, amp in ((1, 1.0), (2, 0.35), (3, 0.18), (4, 0.08)):
        for d in (-detune, detune):
            f = freq * k * (1 + d)
            if f < 9000:
                s += amp * np.sin(2 * np.pi * f * t + k)
    return s * env(n, 0.35 * RATE, beats * BEAT * RATE, 1.2 * RATE) * 0.5


def bell(freq, dur=1.6):
    n = int(dur * RATE)
    t = t_of(n)
    index = 1.8 * np.exp(-t * 6)
    s = np.sin(2 * np.pi * freq * t + index * np.sin(2 * np.pi * freq * 3.5 * t))
    s += 0.25 * np.sin(2 * np.pi * freq * 2 * t) * np.exp(-t * 4)
    return s * np.exp(-t * 3.2) * env(n, 0.004 * RATE, n, 1)


def flute(freq, beats):
    n = int((beats * BEAT + 0.35) * RATE)
    t = t_of(n)
    vib = 1 + 0.004 * np.sin(2 * np.pi * 5.2 * t) * np.clip(t / 0.4, 0, 1)
    ph = 2 * np.pi * freq * np.cumsum(vib) / RATE
    s = np.sin(ph) + 0.22 * np.sin(2 * ph) + 0.07 * np.sin(3 * ph)
    rng = np.random.RandomState(int(freq * 10) % 9973)
    breath = np.convolve(rng.randn(n), np.ones(8) / 8, mode="same") * 0.03
    return (s + breath) * env(n, 0.05 * RATE, beats * BEAT * RATE * 0.92, 0.3 * RATE)


def bass(freq, beats):
    n = int((beats * BEAT + 0.3) * RATE)
    t = t_of(n)
    s = np.sin(2 * np.pi * freq * t) + 0.3 * np.sin(4 * np.pi * freq * t) * np.exp(-t * 8)
    return s * np.exp(-t * 1.3) * env(n, 0.01 * RATE, beats * BEAT * RATE * 0.9, 0.15 * RATE)


def shaker(seed):
    n = int(0.09 * RATE)
    rng = np.random.RandomState(seed)
    s = rng.randn(n)
    s = s - np.convolve(s, np.ones(3) / 3, mode="same")   # keep the bright part
    t = t_of(n)
    return s * np.exp(-t * 45) * np.clip(t / 0.004, 0, 1)


def reverb_ir(seed, seconds=2.0):
    n = int(seconds * RATE)
    rng = np.random.RandomState(seed)
    t = t_of(n)
    ir = rng.randn(n) * np.exp(-t * 3.0)
    ir = np.convolve(ir, np.ones(6) / 6, mode="same")      # a darker tail
    ir[:int(0.02 * RATE)] = 0                               # small pre-delay
    return ir / np.sqrt(np.sum(ir ** 2))


def circular_convolve(x, ir):
    h = np.zeros(len(x))
    add(h, 0, ir)
    return np.fft.irfft(np.fft.rfft(x) * np.fft.rfft(h), n=len(x))


def render():
    beat_n = BEAT * RATE
    bar_n = 4 * beat_n
    left = np.zeros(LOOP)
    right = np.zeros(LOOP)
    dry_mono = np.zeros(LOOP)

    def both(start, sig, pan=0.0, gain=1.0):
        add(left, int(round(start)), sig * gain * (1 - pan) * 0.5 * 2 ** 0.5)
        add(right, int(round(start)), sig * gain * (1 + pan) * 0.5 * 2 ** 0.5)

    for b, (_, notes) in enumerate(CHORDS):
        s = b * bar_n
        last = b == BARS - 1     # the last bar breathes out before the loop comes round
        # pad: chord tones an octave up, spread left/right
        for i, m in enumerate(notes[:3]):
            p = pad(hz(m + 12), 2.5 if last else 4, 0.0025)
            both(s, p, pan=(-0.5, 0.0, 0.5)[i], gain=0.05)
        # bass: root on 1 and 3, fifth on the "and" of 4
        root = notes[0] - 12 if notes[0] >= 48 else notes[0]
        both(s, bass(hz(root), 1.8), gain=0.32)
        both(s + 2 * beat_n, bass(hz(root), 1.4), gain=0.26)
        if not last:
            both(s + 3.5 * beat_n, bass(hz(root + 7), 0.5), gain=0.18)
        # bell arpeggio in eighths
        up = [notes[0] + 12, notes[1] + 12, notes[2] + 12, notes[0] + 24]
        pattern = [0, 1, 2, 3, 2, 1, 2, 3] if b % 2 == 0 else [0, 2, 1, 3, 2, 3, 1, 2]
        for k, idx in enumerate(pattern[:5] if last else pattern):
            vel = 0.07 if k % 2 == 0 else 0.05
            both(s + k * beat_n / 2, bell(hz(up[idx])), pan=0.35, gain=vel)
        # shaker on the off-beats, a touch stronger on 2 and 4
        for k in range(5 if last else 8):
            g = 0.008 if k % 2 else 0.004
            both(s + k * beat_n / 2, shaker(b * 8 + k), pan=-0.3, gain=g)
    # melody
    pos = 0.0
    for b, bar in enumerate(MELODY):
        pos = b * 4.0
        for beats, m in bar:
            if m is not None:
                both(pos * beat_n, flute(hz(m), beats), pan=0.05, gain=0.16)
            pos += beats

    wet_l = circular_convolve(left, reverb_ir(7))
    wet_r = circular_convolve(right, reverb_ir(8))
    out_l = left + 0.32 * wet_l
    out_r = right + 0.32 * wet_r
    # a gentle low-pass so nothing is harsh at 22 kHz (circular, like the rest)
    k = np.array([0.25, 0.5, 0.25])
    out_l = circular_convolve(out_l, k)
    out_r = circular_convolve(out_r, k)
    return np.stack([out_l, out_r], axis=1)


def zero_crossing_rotation(x, search=int(0.25 * RATE)):
    """Index in the quiet end of the last bar where the left channel changes
    sign upward and both channels are as close to zero as can be found.
    Starting the file there keeps the loop circular (only a rotation) and lets
    the file start and end at silence level, just before bar 1."""
    n = len(x)
    best, best_val = n, None
    for i in range(n - search, n):
        if x[i - 1, 0] < 0 <= x[i, 0]:
            v = abs(x[i, 0]) + abs(x[i, 1]) + abs(x[i - 1, 0]) + abs(x[i - 1, 1])
            if best_val is None or v < best_val:
                best, best_val = i, v
    return best


def main():
    x = render()
    x = x / np.max(np.abs(x)) * 0.7
    shift = zero_crossing_rotation(x)
    x = np.roll(x, len(x) - shift, axis=0)
    pcm = np.round(x * 32767).astype("<i2")
    with wave.open(os.path.join(DATA, "BGM1.wav"), "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


if __name__ == "__main__":
    main()
