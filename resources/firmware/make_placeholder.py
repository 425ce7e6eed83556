#!/usr/bin/env python3
"""Writes the placeholder firmware image shipped until a maker drops in the
real one: 0x7180 bytes, a readable notice at the start and a deterministic
pattern after it, so an image read back from a module is easy to recognise."""
import hashlib
import sys

SIZE = 0x7180
NOTICE = b"VRX7100 PLACEHOLDER FIRMWARE - NOT FOR REAL MODULES\x00"

out = bytearray(NOTICE)
counter = 0
while len(out) < SIZE:
    out += hashlib.sha256(b"vrx7100-placeholder-%d" % counter).digest()
    counter += 1
path = sys.argv[1] if len(sys.argv) > 1 else "vrx7100_firmware.bin"
with open(path, "wb") as f:
    f.write(bytes(out[:SIZE]))
