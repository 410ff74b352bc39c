#!/usr/bin/python3
"""Writes the seed corpus of each fuzz target (tests/fuzz/<target>/corpus/):
a few well-formed files of every kind the library reads, sized for the fuzz
targets' 64 x 48 capture window, and a few shapes for the image writers.
Run from anywhere; the files are committed."""
import math
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))
W, H = 64, 48  # the fuzz targets' capture window


def write(target, name, data):
    folder = os.path.join(here, target, 'corpus')
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def table_file(kind, bits, entries, records=0):
    header = bytearray(28)
    struct.pack_into('<H', header, 0, 0x0100)
    header[10] = ord(kind)
    header[11] = bits
    struct.pack_into('<II', header, 20, records, len(entries))
    body = bytes(8 * records)
    if kind == 'A':
        body += bytes(e & 0xFF for e in entries)
    else:
        body += b''.join(struct.pack('<H', e & 0xFFFF) for e in entries)
    return bytes(header) + body


write('table_file', 'lut_8bit', table_file('A', 8, [255 - i for i in range(256)]))
write('table_file', 'lut_records', table_file('A', 8, list(range(256)), records=3))
write('table_file', 'gamma_8bit', table_file('C', 8, [i * 16 for i in range(256)]))
write('table_file', 'gamma_short', table_file('C', 4, [i * 4096 for i in range(16)]))


def fov_record(cs, rs, w, h, bytes_per_pixel=1):
    return struct.pack('<6iH2x4i', cs, w, rs, h, 0, 0, 1, w, h, w * h, w * h * bytes_per_pixel)


def flat_field(w, h):
    n = w * h
    record = fov_record(64, 32, w, h)
    dark = bytes((i * 7) % 5 for i in range(n))
    gain = b''.join(struct.pack('<f', 1.0 + ((i % 9) - 4) / 64) for i in range(n))
    return record + bytes(len(record)) + dark + gain


write('flat_field_file', 'window', flat_field(W, H))
write('flat_field_file', 'small', flat_field(8, 4))


def calibration_map(w, h, shift):
    n = w * h
    header = struct.pack('<HHiiiII', 0x4D43, 0x0100, w, h, 0, 2 * n, 2 * n)
    cols = [min(w - 1, max(0, (i % w) + shift)) for i in range(n)]
    rows = [min(h - 1, max(0, (i // w) - shift)) for i in range(n)]
    frac = [(i * 37) % 1025 for i in range(n)]
    arr = lambda a: b''.join(struct.pack('<H', v) for v in a)
    return header + arr(cols) + arr(frac) + arr(rows) + arr(frac)


write('calibration_map_file', 'window', calibration_map(W, H, 1) + b'\x01')
write('calibration_map_file', 'window_nearest_gray', calibration_map(W, H, 2) + b'\x04')
write('calibration_map_file', 'small', calibration_map(5, 3, 0))


def float_map(w, h, angle):
    xs, ys = [], []
    for y in range(h):
        for x in range(w):
            xs.append(x * math.cos(angle) - y * math.sin(angle) + 0.25)
            ys.append(x * math.sin(angle) + y * math.cos(angle) + 0.5)
    pack = lambda a: b''.join(struct.pack('<f', v) for v in a)
    return struct.pack('<Iii', 0x40000000, w, h) + pack(xs) + pack(ys)


write('float_map_file', 'rotated', float_map(16, 12, 0.1))
write('float_map_file', 'identity', float_map(4, 4, 0.0))


def image(w, h, bits, quality, pixels):
    return struct.pack('<4i', w, h, bits, quality) + pixels


write('image_writers', 'bgr_odd_width', image(3, 2, 24, 90, bytes(range(18))))
write('image_writers', 'gray_5x3', image(5, 3, 8, 75, bytes(range(0, 250, 16))))
write('image_writers', 'bgrx_7x1', image(7, 1, 32, 50, bytes(range(28))))
write('image_writers', 'wide_row', image(70000, 1, 8, 80, b'\x80'))
write('image_writers', 'no_width', image(0, 1, 24, 90, b'\x00'))
write('image_writers', 'sixteen_bits', image(1, 1, 16, 90, b'\x00\x00'))
