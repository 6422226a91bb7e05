#!/usr/bin/env python3
"""Draws the program's icon (32x32, 16 colours): a blue drawer with a red V.
Writes src/app/vek.ico; the file is committed, so the build needs no Python."""
import struct
import sys

W = H = 32
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def draw():
    img = [[15] * W for _ in range(H)]
    for y in range(4, 28):
        for x in range(3, 29):
            img[y][x] = 4 if (y in (4, 27) or x in (3, 28)) else 12
    for y in range(8, 24):
        for x in range(7, 25):
            img[y][x] = 15
    for i in range(12):
        for x in (9 + i // 2, 10 + i // 2, 22 - i // 2, 21 - i // 2):
            img[10 + i][x] = 1
    for x in range(7, 25):
        img[24][x] = 8
    return img


def encode(img):
    xor = b''.join(bytes([(img[y][x] << 4) | img[y][x + 1] for x in range(0, W, 2)])
                   for y in range(H - 1, -1, -1))
    mask = b'\x00' * (4 * H)
    palette = b''.join(bytes([b, g, r, 0]) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, W, H * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    data = header + palette + xor + mask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', W, H, 16, 0, 1, 4, len(data), 22) + data


if __name__ == '__main__':
    out = sys.argv[1] if len(sys.argv) > 1 else 'src/app/vek.ico'
    with open(out, 'wb') as f:
        f.write(encode(draw()))
