#!/usr/bin/env python3
"""Draws Tindlow's bell icon (16, 32 and 48 pixels, 32-bit with alpha) into an .ico file."""
import struct
import sys

GOLD = (235, 176, 32)
SHADE = (196, 132, 16)
OUTLINE = (110, 70, 10)


def bell_half_width(y):
    # Body from the crown (y=0.22) widening towards the rim (y=0.76).
    t = (y - 0.22) / 0.54
    return 0.17 + 0.21 * (t ** 1.6)


def inside_bell(x, y):
    if 0.22 <= y <= 0.76 and abs(x - 0.5) <= bell_half_width(y):
        return True
    if 0.16 <= y <= 0.30 and (x - 0.5) ** 2 + ((y - 0.24) / 0.9) ** 2 <= 0.17 ** 2:
        return True  # rounded crown
    if 0.74 <= y <= 0.82 and abs(x - 0.5) <= 0.42:
        return True  # rim
    if (x - 0.5) ** 2 + (y - 0.13) ** 2 <= 0.055 ** 2:
        return True  # knob
    if (x - 0.5) ** 2 + (y - 0.87) ** 2 <= 0.075 ** 2:
        return True  # clapper
    return False


def colour_at(x, y):
    if not inside_bell(x, y):
        return None
    edge = 0.035
    near_edge = any(not inside_bell(x + dx, y + dy)
                    for dx, dy in ((edge, 0), (-edge, 0), (0, edge), (0, -edge)))
    if near_edge:
        return OUTLINE
    return SHADE if x > 0.55 else GOLD


def render(size, samples=4):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size,
                                  (py + (sy + 0.5) / samples) / size)
                    if c:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits:
                row.append(tuple(a // hits for a in acc) + (255 * hits // (samples * samples),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(size):
    pixels = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def main(path):
    sizes = (16, 32, 48)
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'tindlow.ico')
