#!/usr/bin/env python3
"""Writes a short two-note chime as a wave file (the alert sound the demo gives the program).

Usage: make-gotmail-wav.py OUT.wav   -- 22,050 Hz, 16-bit mono, 0.45 s; the same bytes every time.
"""
import math
import struct
import sys
import wave

RATE = 22050


def note(freq, seconds, volume=0.45):
    count = int(RATE * seconds)
    for i in range(count):
        t = i / RATE
        # A soft attack and an exponential fade, so the note rings like a small bell.
        envelope = min(1.0, t / 0.01) * math.exp(-6.0 * t)
        sample = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(2 * math.pi * 2 * freq * t)
        yield int(max(-1.0, min(1.0, volume * envelope * sample / 1.3)) * 32767)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    samples = list(note(880.0, 0.18)) + list(note(1318.5, 0.27))
    with wave.open(sys.argv[1], "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    main()
