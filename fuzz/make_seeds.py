#!/usr/bin/env python3
"""Writes the small hand-made seed inputs in fuzz/corpus/<target>/: one file for each shape of
input a reader distinguishes, so the fuzzer starts from every branch rather than finding them.
The data pack's own files are added at fuzz time by run.sh."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


# --- bitmap files ---

def bmp(width, height, bits, rows, table=b"", info_size=40, compression=0, clr_used=0,
        masks=b"", off_bits=None):
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression,
                       len(rows), 2835, 2835, clr_used, 0)
    info += bytes(info_size - 40) + masks
    offset = 14 + len(info) + len(table) if off_bits is None else off_bits
    header = struct.pack("<HIHHI", 0x4D42, offset + len(rows), 0, 0, offset)
    return header + info + table + rows


def table(entries):
    return b"".join(bytes((i * 3 % 256, i * 5 % 256, i * 7 % 256, 0)) for i in range(entries))


def padded(row_bytes, height, seed):
    stride = (row_bytes + 3) & ~3
    return b"".join(bytes((seed + r * 11 + x) % 256 if x < row_bytes else 0 for x in range(stride))
                    for r in range(height))


write("bitmap_file", "8bit_full_table", bmp(4, 2, 8, padded(4, 2, 1), table(256)))
write("bitmap_file", "8bit_short_table_padded", bmp(3, 3, 8, padded(3, 3, 2), table(4), clr_used=4))
write("bitmap_file", "8bit_top_down", bmp(5, -2, 8, padded(5, 2, 3), table(2), clr_used=2))
write("bitmap_file", "8bit_v5_header", bmp(2, 2, 8, padded(2, 2, 4), table(256), info_size=124))
write("bitmap_file", "8bit_gap_before_rows",
      bmp(4, 1, 8, padded(4, 1, 5), table(2) + bytes(6), clr_used=2, off_bits=14 + 40 + 8 + 6))
write("bitmap_file", "16bit_plain", bmp(2, 2, 16, padded(4, 2, 6)))
write("bitmap_file", "16bit_bitfields",
      bmp(3, 1, 16, padded(6, 1, 7), compression=3, masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)))
write("bitmap_file", "24bit_padded", bmp(3, 2, 24, padded(9, 2, 8)))
write("bitmap_file", "24bit_top_down", bmp(4, -1, 24, padded(12, 1, 9)))
write("bitmap_file", "4bit_refused", bmp(8, 1, 4, padded(4, 1, 10), table(16), clr_used=16))
write("bitmap_file", "rle8_refused", bmp(2, 2, 8, b"\x02\x01\x00\x00\x02\x02\x00\x01", table(2),
                                         compression=1, clr_used=2))

# --- palette text files ---

write("palette", "full", "".join("\n%d %d %d %d" % (i, 255 - i, i // 2, 0) for i in range(256)))
write("palette", "hundred_entries", "".join("\n%d %d %d 0" % (i, i, i) for i in range(100)))
write("palette", "word_at_51st_number", " ".join(["7"] * 50 + ["seven"] + ["9"] * 20))
write("palette", "signs_and_wide_numbers", "-1 +2 300 -256\n4294967297 99999999999999999999 0x10 007\n")
write("palette", "spaces_only", " \t\r\n\v\f")

# --- WAV files ---

def chunk(fourcc, payload, size=None):
    body = struct.pack("<4sI", fourcc, len(payload) if size is None else size) + payload
    return body + (b"\0" if len(payload) % 2 else b"")


def fmt(tag=1, channels=1, rate=11025, bits=8, extra=None):
    block = channels * bits // 8
    body = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits)
    return body if extra is None else body + struct.pack("<H", len(extra)) + extra


def riff(form, *chunks, size=None):
    payload = form + b"".join(chunks)
    return struct.pack("<4sI", b"RIFF", len(payload) if size is None else size) + payload


samples = bytes((128 + (40 if i % 16 < 8 else -40)) for i in range(64))
write("sound", "plain", riff(b"WAVE", chunk(b"fmt ", fmt()), chunk(b"data", samples)))
write("sound", "list_before_data", riff(b"WAVE", chunk(b"fmt ", fmt()),
                                        chunk(b"LIST", b"INFOISFT" + struct.pack("<I", 5) + b"seed\0\0"),
                                        chunk(b"data", samples)))
write("sound", "odd_chunks_padded", riff(b"WAVE", chunk(b"junk", b"abc"), chunk(b"fmt ", fmt()),
                                         chunk(b"data", samples[:33])))
write("sound", "fmt_with_extra_bytes", riff(b"WAVE", chunk(b"fmt ", fmt(extra=b"")), chunk(b"data", samples)))
write("sound", "stereo_16bit_44k", riff(b"WAVE", chunk(b"fmt ", fmt(channels=2, rate=44100, bits=16)),
                                        chunk(b"data", samples)))
write("sound", "data_past_riff", riff(b"WAVE", chunk(b"fmt ", fmt()), chunk(b"data", samples, 5000)))
write("sound", "extensible_refused", riff(b"WAVE", chunk(b"fmt ", fmt(tag=0xFFFE, extra=bytes(22))),
                                          chunk(b"data", samples)))

# --- Standard MIDI files ---

def mthd(fmt_, tracks, division):
    return b"MThd" + struct.pack(">IHHH", 6, fmt_, tracks, division)


def mtrk(events):
    return b"MTrk" + struct.pack(">I", len(events)) + events


END = b"\x00\xff\x2f\x00"
notes = b"\x00\xc0\x00\x00\x90\x3c\x64\x60\x80\x3c\x00"
write("music", "format0", mthd(0, 1, 96) + mtrk(notes + END))
write("music", "format1_tempo_two_tracks",
      mthd(1, 2, 480) + mtrk(b"\x00\xff\x51\x03\x07\xa1\x20\x00\xff\x58\x04\x04\x02\x18\x08" + END)
      + mtrk(b"\x00\x90\x40\x50\x81\x00\x40\x00\x00\xb0\x07\x64\x00\xe0\x00\x40" + END))
write("music", "format2_patterns", mthd(2, 2, 96) + mtrk(notes + END) + mtrk(notes + END))
write("music", "smpte_division", mthd(0, 1, 0xE728) + mtrk(notes + END))
write("music", "running_status", mthd(0, 1, 96) + mtrk(b"\x00\x90\x3c\x64\x10\x3e\x64\x10\x3c\x00\x10\x3e\x00" + END))
write("music", "sysex_and_meta_text",
      mthd(0, 1, 96) + mtrk(b"\x00\xf0\x05\x7e\x7f\x09\x01\xf7\x00\xff\x03\x04song"
                            b"\x00\xf0\x07\x41\x10\x42\x12\x40\x00\xf7\x00\xf7\x02\x01\x02" + notes + END))
write("music", "unknown_chunk_first", mthd(0, 1, 96) + b"XTRA" + struct.pack(">I", 3) + b"abc" + mtrk(notes + END))
write("music", "long_header", b"MThd" + struct.pack(">IHHH", 10, 0, 1, 96) + b"\0\0\0\0" + mtrk(notes + END))
write("music", "all_channel_messages",
      mthd(0, 1, 96) + mtrk(b"".join(bytes((0, status | ch)) + (b"\x40" if status in (0xC0, 0xD0) else b"\x40\x40")
                                     for status in range(0x80, 0xF0, 0x10) for ch in (0, 9, 15)) + END))

# --- key scripts ---

write("key_script", "readme_example", "# start a game, walk right, strike\n0 N\n1\n3 SPACE\n4\n6 RIGHT\n200 SPACE\n201\n")
write("key_script", "every_key", "0 ESCAPE N DECIMAL Q F2 SPACE LEFT RIGHT CONTROL\n18446744073709551615\n")
write("key_script", "blank_and_comments", "\n   \n# only a comment\n\t5 LEFT # walk\r\n5 RIGHT\n")
write("key_script", "unknown_key", "0 N\n1 JUMP\n")
write("key_script", "pass_goes_down", "10 N\n9 SPACE\n")
write("key_script", "pass_too_large", "18446744073709551616 N\n")
write("key_script", "not_a_number", "-1 N\n+2 SPACE\n0x10 Q\n")

# --- demos ---

DEMO_HEADER = "# gaiablade demo 1: version 1.0.0, system linux, generator glibc, seed 1765238400\n"
write("demo", "whole", DEMO_HEADER + "0 N\n1\n3 SPACE\n4\n6 RIGHT\n"
      "# screenshot after pass 9: /home/me/Pictures/gaiablade-2026-12-09-10-00-00.png\n"
      "10 ESCAPE\n11\n# end: passes 13, mode 1, level 1, landscape 0\n")
write("demo", "cut_short", DEMO_HEADER + "0 N\r\n40 SPACE CONTROL\r\n")
write("demo", "no_header", "0 N\n1\n")
write("demo", "keys_after_end", DEMO_HEADER + "# end: passes 2, mode 1, level 1, landscape 0\n5 N\n")
write("demo", "bad_seed", DEMO_HEADER.replace("1765238400", "99999999999"))

# --- blits and text: steps of an operation byte and four little-endian int32 ---

def steps(*items):
    return b"".join(struct.pack("<Biiii", *item) for item in items)

INT_MAX, INT_MIN = 2**31 - 1, -2**31
write("draw", "game_draws", steps((0, 100, 300, 0, 0), (0, -36, 300, 0, 0), (5, 10, 10, 0xFFFFFF, 0)))
write("draw", "far_scaled", steps((1, -2**30, 74, INT_MAX, 74), (2, INT_MIN, 0, INT_MAX, INT_MAX)))
write("draw", "edges", steps((3, INT_MIN, INT_MIN, INT_MAX, INT_MAX), (0x84, -5, -5, 700, 500),
                             (5, INT_MAX - 3, INT_MAX, 1, 0), (0x86, INT_MIN, 20, 3, 0), (7, 0, 0, 640, 480)))
