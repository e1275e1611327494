#!/usr/bin/env python3
"""Writes small seed inputs for FuzzRecordReader: a mode byte, then a data file with a sound
header, minutes of wave groups, a call, odd records and an end record."""
import pathlib
import struct

out = pathlib.Path(__file__).parent / "seeds" / "reader"
out.mkdir(parents=True, exist_ok=True)


def header(first, last):
    h = bytearray(1024)
    h[2:5] = bytes([1, 2, 3])
    h[128] = h[143] = 0xFE
    struct.pack_into(">iiii", h, 256, first, last, 0, 0)
    struct.pack_into(">ii", h, 272, first, last)
    return h


def wave(tick, ipi=100, amp=230, score=20):
    return struct.pack(">I", tick)[1:] + bytes([ipi] * 8) + bytes([amp] * 4) + bytes([score])


def minute(light=10):
    return bytes([0xFE, 0, 0, 0, 0, 0, light, 15, 50, 0, 0x03, 38, 37, 0, 0, 0])


call_a = bytes([0xF8, 0, 1, 0, 0, 7, 111, 0, 45, 60, 40, 47, 44, 90, 90, 45])
call_b = bytes([0xF9, 45, 43, 88, 0x9A, 85, 60, 50, 80, 44, 46, 45, 0, 0, 0x35, 90])
call_c = bytes([0xFA, 0xE3, 0, 12, 0x30, 1, 0x02, 0, 0, 0, 0, 0, 2, 0, 0, 3])
zv2_wave = bytes([0, 2, 0, 50, 88, 50, 88, 50, 88, 50, 88, 0, 0, 0x40, 7, 0xA5])
end = bytes([0xFF] * 16)

body1 = minute() + wave(500) + wave(400) + wave(0) + minute() + bytes([0xC3] + [0] * 15) + bytes(
    [0xF7, 4, 2] + list(b"LOW BATTERY!!")) + wave(9000) + minute() + end
(out / "zv1").write_bytes(bytes([0]) + header(1000, 1002) + body1)
(out / "zv1_admin_marks").write_bytes(bytes([0x7C]) + header(1000, 0) + body1)
body2 = minute() + call_a + call_b + call_c + zv2_wave + minute() + bytes([0xFC, 1, 2] + [0x41] * 13) + minute() + end
(out / "zv2").write_bytes(bytes([1 | 4]) + header(2000, 2002) + body2)
(out / "zv2_no_end").write_bytes(bytes([2 | 8]) + header(2000, 2010) + body2[:-16])
