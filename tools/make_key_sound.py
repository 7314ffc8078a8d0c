#!/usr/bin/env python3
"""Writes Scrivlet's key sound: a short, soft two-tone "plink" (a sine with its
octave, a gentle attack and a quick fade), 0.18 s of 16-bit mono at 22050 Hz,
about 8 KB. Usage: make_key_sound.py OUTPUT.wav. The same bytes every time."""

import math
import struct
import sys
import wave

RATE = 22050
SECONDS = 0.18
PITCH = 660.0  # E5: bright enough to hear over play, low enough not to startle
PEAK = 0.22  # of full scale: soft
ATTACK = 0.006  # seconds; a ramp instead of a click at the start


def samples():
    count = int(RATE * SECONDS)
    for i in range(count):
        t = i / RATE
        envelope = min(1.0, t / ATTACK) * math.exp(-t * 22.0)
        # Fade the last few milliseconds fully out, so the end does not click.
        envelope *= min(1.0, (count - 1 - i) / (RATE * 0.004))
        tone = math.sin(2 * math.pi * PITCH * t) + 0.3 * math.sin(4 * math.pi * PITCH * t)
        yield int(round(32767 * PEAK * envelope * tone / 1.3))


def main(argv):
    if len(argv) != 2:
        print("usage: make_key_sound.py OUTPUT.wav", file=sys.stderr)
        return 1
    frames = b"".join(struct.pack("<h", s) for s in samples())
    try:
        with open(argv[1], "wb") as file, wave.open(file, "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(RATE)
            out.writeframes(frames)
    except OSError as error:
        print(f"make_key_sound.py: cannot write {argv[1]}: {error.strerror}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
