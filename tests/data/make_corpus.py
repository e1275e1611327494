#!/usr/bin/env python3
"""Writes the small corpus of bad input files in tests/data/bad/, each named after its defect,
that the command-line corpus test (tests/cli) runs every zorvel-cli command over. The files are
committed; run this again only to change them. Deterministic: the same bytes every time."""
import pathlib
import random
import struct

OUT = pathlib.Path(__file__).resolve().parent / "bad"
FIRST_MIN = 66_491_640  # 2026-06-01 18:00 in minutes since 1899-12-30


def header(first, last, ident=(1, 2, 3)):
    h = bytearray(1024)
    h[2:5] = bytes(ident)  # logger identity
    h[128] = h[143] = 0xFE  # the two header markers
    struct.pack_into(">iiii", h, 256, first, last, 0, 0)  # first/last logged, go-to minute and tick
    struct.pack_into(">ii", h, 272, first, last)  # stored processing span
    return h


def minute(light=10):
    r = bytearray(16)
    r[0] = 0xFE
    r[6] = light
    r[10] = 1  # listening
    return r


def wave_group(tick, ipi=60, amp=40, score=20):
    r = bytearray(struct.pack(">I", tick)[1:])
    r += bytes([ipi] * 8) + bytes([amp] * 4) + bytes([score])
    return r


def night(minutes, groups_per_minute=3, backwards=False):
    body = bytearray()
    for m in range(minutes):
        body += minute(m % 256)
        ticks = [100_000 + 1_000_000 * k for k in range(groups_per_minute)]
        if backwards and m == 1:
            ticks.reverse()  # time runs backwards within the minute
        for t in ticks:
            body += wave_group(t)
    return body


END = bytes([0xFF] * 16)


def logger_file(minutes, month_bcd=0x06):
    """A first logger file of a series: 512-byte header (start 2026-06-01 18:00), records, end."""
    h = bytearray(512)
    h[2:5] = bytes((1, 2, 3))
    h[36] = 100
    h[96:101] = bytes((0x26, month_bcd, 0x01, 0x18, 0x00))
    body = night(minutes)
    h[496:512] = body[:16]  # the series' first record lives in the header block
    return bytes(h) + bytes(body[16:]) + END


def main():
    OUT.mkdir(exist_ok=True)
    rnd = random.Random(12)
    card_rnd = random.Random(18)  # its own stream, so that adding card files changes no other file
    files = {
        "good.ZV1": header(FIRST_MIN, FIRST_MIN + 9) + night(10) + END,
        # A ZV2 file without calls: minute records only.
        "good.ZV2": header(FIRST_MIN, FIRST_MIN + 9) + night(10, 0) + END,
        "random_bytes.ZV1": bytes(rnd.randrange(256) for _ in range(4096)),
        "random_bytes.ZV2": bytes(rnd.randrange(256) for _ in range(3000)),
        "blank_header.ZV1": bytes(1024) + night(3) + END,
        "last_minute_zero.ZV1": header(FIRST_MIN, 0) + night(5) + END,
        "backwards_groups.ZV1": header(FIRST_MIN, FIRST_MIN + 3) + night(4, 4, backwards=True) + END,
        "truncated.ZV2": (header(FIRST_MIN, FIRST_MIN + 9) + night(10, 0))[: 1024 + 16 * 4 + 7],
        "header_only.ZV1": header(FIRST_MIN, FIRST_MIN),
        "empty.ZV1": b"",
        "first_minute_max.ZV1": header(0x7FFFFFFF, 0x7FFFFFFF) + night(1) + END,
        "near_overflow.ZV1": header(0x7FFFFFF0, 0) + night(20, 1) + END,
        "no_end_record.ZV1": header(FIRST_MIN, FIRST_MIN + 4) + night(5),
        # --- spans and endings (helper "fix") ---
        # The header ends at the first minute though ten follow, as an import that undercounted
        # its minutes wrote it: readers go by the minutes the records hold.
        "header_span_short.ZV1": header(FIRST_MIN, FIRST_MIN) + night(10) + END,
        # A header and its end record, and not one minute between them.
        "no_minutes.ZV1": header(FIRST_MIN, FIRST_MIN + 9) + END,
        # --- end of spans and endings ---
        # --- SD card files that cannot be read (helper "fix"); each is copied as 0BAT000.NXQ ---
        "card_empty.NXQ": b"",
        "card_one_zero.NXQ": bytes(1),
        "card_511_zeros.NXQ": bytes(511),
        "card_random_100.NXQ": bytes(card_rnd.randrange(256) for _ in range(100)),
        "card_cut_500.NXQ": logger_file(3)[:500],
        "card_random_4k.NXQ": bytes(card_rnd.randrange(256) for _ in range(4096)),
        "card_bad_date.NXQ": logger_file(3, month_bcd=0x47),
        "card_good.NXQ": logger_file(3),
        # --- end of SD card files ---
        "binary.zvf": b"[AllFilters]\r\nIgnoreAll=1\r\n\x00\x01\x02" + bytes(rnd.randrange(256) for _ in range(200)),
        "utf16.zvf": "\ufeff[AllFilters]\r\nIgnoreAll=1\r\n".encode("utf-16-le"),
        "empty.zve": b"",
        "no_section.zve": b"[Colours]\r\nback=1\r\n",
        "not_data.txt": b"just some text\n",
    }
    files.update(guard_files())
    for name, data in files.items():
        (OUT / name).write_bytes(bytes(data))


# ---- Damaged recordings and settings values (the guard block: kept apart from the data-file
# corpus above so that the two lists merge cleanly) ----
def wav(rate, samples=4000, guano=None, riff=True):
    data = b"".join(struct.pack("<h", 3000 * ((i % 5) - 2)) for i in range(samples))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, (rate * 2) & 0xFFFFFFFF, 2, 16)
    chunks = b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    if guano:
        g = guano.encode() + (b" " if len(guano) % 2 else b"")
        chunks += b"guan" + struct.pack("<I", len(g)) + g
    return (b"RIFF" + struct.pack("<I", len(chunks) + 4) + b"WAVE" if riff else b"") + chunks


def zvf(section, key, value):
    return f"[{section}]\r\n{key}={value}\r\n".encode()


def guard_files():
    stamp = "GUANO|Version:1.0\nTimestamp:9999-99-99T99:99:99\n"
    return {
        "20260601_220000_rate_4294967295.wav": wav(4_294_967_295),
        "20260601_220100_no_riff.wav": wav(384_000, riff=False),
        "20260601_220200_guano_bad_timestamp.wav": wav(384_000, guano=stamp),
        "seq_brackets.zvf": zvf("Sequence of features", "sequence", "(((("),
        "nonnumeric.zvf": zvf("Call features", "median kHz max", "abc"),
        "exponent.zvf": zvf("Call features", "max kHz min", "1e999"),
        "twenty_digits.zvf": zvf("Wave group features", "khz max", "12345678901234567890"),
        "min_above_max.zvf": b"[Call features]\r\nmedian kHz min=60\r\nmedian kHz max=40\r\n",
        "negative_duration.zvf": zvf("Call features", "duration max", "-1"),
        "long_sequence.zvf": zvf("Sequence of features", "sequence", "F" * (1 << 20)),
        "period_minus1.zve": zvf("Export", "period", "-1"),
        "results_4294967296.zve": zvf("Export", "File/Results", "4294967296"),
    }


if __name__ == "__main__":
    main()
