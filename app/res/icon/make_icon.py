#!/usr/bin/env python3
"""Draw the Zarvell application icon and write the resource blobs.

Outputs (next to this script):
  icon3.dib    RT_ICON data: BITMAPINFOHEADER + 128x128 BGRA + AND mask
  group.bin    RT_GROUP_ICON data pointing at icon id 3
  zarvell.ico  the same image as a plain .ico, for viewing
  preview.png  the icon at 128/48/32/16 px on light and dark backgrounds

Standard library only and no timestamps, so every run produces identical
bytes and regenerating never shows up as a spurious diff.
"""

import math
import os
import struct
import zlib

SIZE = 128
SS = 4  # 4x4 supersampling per pixel
ICON_ID = 3

HERE = os.path.dirname(os.path.abspath(__file__))

# Tile geometry, in 128 px units. The 8 px inset is 1 px at 16 px and lands
# on whole pixels at 32 and 48 too, so the small sizes keep crisp edges.
TILE_X0, TILE_Y0, TILE_X1, TILE_Y1 = 8.0, 8.0, 120.0, 120.0
TILE_R = 24.0
RIM = 1.25

# Red at the top warming to orange at the bottom.
TOP = (222, 36, 44)
BOTTOM = (255, 138, 36)
RIM_DARKEN = 0.72

# Lightning bolt, in 128 px units. Horizontal edges sit on multiples of 8 so
# they stay sharp at 16 px, and the strokes are ~20 px wide (2.5 px at 16)
# so the zig-zag survives downscaling.
BOLT = [
    (66.0, 24.0),
    (32.0, 72.0),
    (58.0, 72.0),
    (48.0, 112.0),
    (98.0, 48.0),
    (73.0, 48.0),
    (90.0, 24.0),
]

SHADOW_DY = 3.0
SHADOW_ALPHA = 0.30
SHADOW_COLOR = (90, 0, 10)


def lerp(a, b, t):
    return a + (b - a) * t


def rounded_rect_sdf(x, y):
    """Signed distance to the tile outline; negative inside."""
    cx = (TILE_X0 + TILE_X1) / 2
    cy = (TILE_Y0 + TILE_Y1) / 2
    hx = (TILE_X1 - TILE_X0) / 2 - TILE_R
    hy = (TILE_Y1 - TILE_Y0) / 2 - TILE_R
    qx = abs(x - cx) - hx
    qy = abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - TILE_R


def in_polygon(x, y, poly):
    inside = False
    n = len(poly)
    j = n - 1
    for i in range(n):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > y) != (yj > y):
            if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
        j = i
    return inside


def box_blur(grid, w, h, r):
    """Separable box blur with clamped edges; used twice for a soft shadow."""
    tmp = [0.0] * (w * h)
    n = 2 * r + 1
    for y in range(h):
        row = y * w
        for x in range(w):
            s = 0.0
            for k in range(-r, r + 1):
                xx = min(max(x + k, 0), w - 1)
                s += grid[row + xx]
            tmp[row + x] = s / n
    out = [0.0] * (w * h)
    for y in range(h):
        for x in range(w):
            s = 0.0
            for k in range(-r, r + 1):
                yy = min(max(y + k, 0), h - 1)
                s += tmp[yy * w + x]
            out[y * w + x] = s / n
    return out


def sample_offsets():
    return [(i + 0.5) / SS for i in range(SS)]


def render():
    """Return a list of SIZE*SIZE (r, g, b, a) straight-alpha tuples, top-down."""
    offs = sample_offsets()

    # Shadow: bolt coverage shifted down, then blurred, evaluated per pixel.
    cover = [0.0] * (SIZE * SIZE)
    shifted = [(x, y + SHADOW_DY) for x, y in BOLT]
    for py in range(SIZE):
        for px in range(SIZE):
            c = 0
            for oy in offs:
                for ox in offs:
                    if in_polygon(px + ox, py + oy, shifted):
                        c += 1
            cover[py * SIZE + px] = c / (SS * SS)
    shadow = box_blur(box_blur(cover, SIZE, SIZE, 2), SIZE, SIZE, 2)

    pixels = []
    for py in range(SIZE):
        for px in range(SIZE):
            sh = shadow[py * SIZE + px] * SHADOW_ALPHA
            ar = ag = ab = 0.0
            acov = 0.0
            for oy in offs:
                y = py + oy
                t = (y - TILE_Y0) / (TILE_Y1 - TILE_Y0)
                t = min(max(t, 0.0), 1.0)
                base = [lerp(TOP[i], BOTTOM[i], t) for i in range(3)]
                for ox in offs:
                    x = px + ox
                    d = rounded_rect_sdf(x, y)
                    if d > 0.0:
                        continue
                    if d > -RIM:
                        col = [c * RIM_DARKEN for c in base]
                    else:
                        col = [lerp(base[i], SHADOW_COLOR[i], sh)
                               for i in range(3)]
                        if in_polygon(x, y, BOLT):
                            col = [255.0, 255.0, 255.0]
                    ar += col[0]
                    ag += col[1]
                    ab += col[2]
                    acov += 1.0
            n = SS * SS
            a = acov / n
            a8 = int(round(a * 255))
            if a8 == 0:
                pixels.append((0, 0, 0, 0))
                continue
            # Samples were all opaque, so averaging over covered samples
            # gives the straight (un-premultiplied) colour directly.
            r = int(round(ar / acov))
            g = int(round(ag / acov))
            b = int(round(ab / acov))
            pixels.append((r, g, b, a8))
    return pixels


def build_dib(pixels):
    w = h = SIZE
    color = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up
        for x in range(w):
            r, g, b, a = pixels[y * w + x]
            color += bytes((b, g, r, a))
    row_bytes = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            if pixels[y * w + x][3] == 0:
                row[x >> 3] |= 0x80 >> (x & 7)
        mask += row
    header = struct.pack(
        "<IiiHHIIiiII",
        40,          # biSize
        w,           # biWidth
        h * 2,       # biHeight: colour + mask
        1,           # biPlanes
        32,          # biBitCount
        0,           # BI_RGB
        len(color) + len(mask),
        0, 0, 0, 0,
    )
    return header + bytes(color) + bytes(mask)


def build_group(dib_len):
    return struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHIH", SIZE & 0xFF, SIZE & 0xFF, 0, 0, 1, 32, dib_len, ICON_ID)


def build_ico(dib):
    offset = 6 + 16
    return (struct.pack("<HHH", 0, 1, 1)
            + struct.pack("<BBBBHHII", SIZE & 0xFF, SIZE & 0xFF, 0, 0, 1, 32,
                          len(dib), offset)
            + dib)


def downscale(pixels, src, dst):
    """Area-weighted box filter on premultiplied colour."""
    scale = src / dst
    out = []
    for dy in range(dst):
        y0, y1 = dy * scale, (dy + 1) * scale
        for dx in range(dst):
            x0, x1 = dx * scale, (dx + 1) * scale
            acc = [0.0, 0.0, 0.0, 0.0]
            wsum = 0.0
            for sy in range(int(y0), min(int(math.ceil(y1)), src)):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(int(math.ceil(x1)), src)):
                    wx = min(x1, sx + 1) - max(x0, sx)
                    wgt = wx * wy
                    r, g, b, a = pixels[sy * src + sx]
                    af = a / 255.0
                    acc[0] += r * af * wgt
                    acc[1] += g * af * wgt
                    acc[2] += b * af * wgt
                    acc[3] += af * wgt
                    wsum += wgt
            a = acc[3] / wsum
            if a <= 0.0:
                out.append((0, 0, 0, 0))
                continue
            out.append((int(round(acc[0] / wsum / a)),
                        int(round(acc[1] / wsum / a)),
                        int(round(acc[2] / wsum / a)),
                        int(round(a * 255))))
    return out


def write_png(path, w, h, rgb_rows):
    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    raw = bytearray()
    for row in rgb_rows:
        raw.append(0)
        raw += row
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def build_preview(pixels):
    sizes = [128, 48, 32, 16]
    images = [(s, pixels if s == SIZE else downscale(pixels, SIZE, s))
              for s in sizes]
    # The 16 px image is also shown 4x enlarged, pixel for pixel, since
    # that is where legibility problems show up first.
    zoom = 4
    pad = 16
    cell_h = SIZE
    width = pad + sum(s + pad for s in sizes) + 16 * zoom + pad
    backgrounds = [(243, 243, 243), (32, 32, 32)]
    height = len(backgrounds) * (cell_h + 2 * pad)

    canvas = [[0, 0, 0] for _ in range(width * height)]
    for band, bg in enumerate(backgrounds):
        y_top = band * (cell_h + 2 * pad)
        for y in range(y_top, y_top + cell_h + 2 * pad):
            for x in range(width):
                canvas[y * width + x] = list(bg)

        def put(img, s, ox, oy, z=1):
            for y in range(s * z):
                for x in range(s * z):
                    r, g, b, a = img[(y // z) * s + (x // z)]
                    px = canvas[(oy + y) * width + ox + x]
                    af = a / 255.0
                    px[0] = int(round(r * af + px[0] * (1 - af)))
                    px[1] = int(round(g * af + px[1] * (1 - af)))
                    px[2] = int(round(b * af + px[2] * (1 - af)))

        x = pad
        base_y = y_top + pad
        for s, img in images:
            put(img, s, x, base_y + (cell_h - s) // 2)
            x += s + pad
        put(images[-1][1], 16, x, base_y + (cell_h - 16 * zoom) // 2, zoom)

    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            row += bytes(canvas[y * width + x])
        rows.append(row)
    write_png(os.path.join(HERE, "preview.png"), width, height, rows)


def main():
    pixels = render()
    dib = build_dib(pixels)
    with open(os.path.join(HERE, "icon3.dib"), "wb") as f:
        f.write(dib)
    with open(os.path.join(HERE, "group.bin"), "wb") as f:
        f.write(build_group(len(dib)))
    with open(os.path.join(HERE, "zarvell.ico"), "wb") as f:
        f.write(build_ico(dib))
    build_preview(pixels)


if __name__ == "__main__":
    main()
