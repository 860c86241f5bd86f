#!/usr/bin/env python3
"""Writes the bundled sample card under examples/card/: setup.cfg and default.cfg (544-byte
settings records, format version 1.2) and lang/ver.dat (the camera's device description).
Every edited field holds a value its page offers; the two records differ, so Initialize shows
a visible change."""
import os
import struct
import sys

RECORD_SIZE = 544

# (offset, value) of the 32-bit fields; text fields are handled apart.
SETUP = {
    0: 544, 4: 0x00010002,
    40: 0x00000101, 44: 0x20240301, 224: 0x0000CAFE,
    52: 3, 64: 1, 76: 2, 88: 2, 100: 1, 108: 1, 112: 2, 116: 1, 120: 3,
    132: 1, 136: 1, 140: 1, 144: 0,
    176: 2, 180: 1, 184: 1, 196: 3, 200: 24, 204: 3, 208: 4, 212: 1, 216: 3,
    372: 540, 376: 0, 416: 0, 420: 1, 424: 30000, 428: 0, 432: 1, 436: 1, 440: 1,
    468: 0, 472: 1, 476: 1, 480: 1, 484: 1, 488: 1, 492: 1, 500: 1, 508: 0, 512: 1,
}
SETUP_16 = {48: 0x0042}

DEFAULT = dict(SETUP)
DEFAULT.update({
    40: 0, 44: 0, 224: 0,
    64: 1, 88: 1, 112: 3, 120: 3, 132: 0, 136: 0, 140: 1, 144: 1,
    176: 3, 180: 0, 196: 0, 200: 12, 204: 2, 208: 2, 212: 1, 216: 1,
    372: 540, 420: 2, 424: 0, 436: 0, 440: 0, 472: 1, 476: 1, 480: 0,
    484: 0, 488: 1, 492: 0, 500: 0, 508: 1, 512: 0,
})
DEFAULT_16 = {48: 0}

PRODUCT_NAME = b"M40"
TIME_ZONE_NAME = b"Tokyo Standard Time"

VER_DAT = [
    " Ver : 1.02",
    " Pack Name : ENG",
    " Code : en fr es de it ja ko pt ru zh-Hans zh-Hant-HK",
    " Device : M40 2CH",
]


def record(words, halves):
    data = bytearray(RECORD_SIZE)
    for offset, value in words.items():
        struct.pack_into("<I", data, offset, value & 0xFFFFFFFF)
    for offset, value in halves.items():
        struct.pack_into("<H", data, offset, value)
    data[8:8 + len(PRODUCT_NAME)] = PRODUCT_NAME
    data[380:380 + len(TIME_ZONE_NAME)] = TIME_ZONE_NAME
    return bytes(data)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    card = os.path.join(root, "examples", "card")
    os.makedirs(os.path.join(card, "lang"), exist_ok=True)
    with open(os.path.join(card, "setup.cfg"), "wb") as f:
        f.write(record(SETUP, SETUP_16))
    with open(os.path.join(card, "default.cfg"), "wb") as f:
        f.write(record(DEFAULT, DEFAULT_16))
    with open(os.path.join(card, "lang", "ver.dat"), "wb") as f:
        f.write("".join(line + "\r\n" for line in VER_DAT).encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
