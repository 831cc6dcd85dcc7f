#!/usr/bin/python3
"""Draws the program's own artwork into assets/: the splash picture (591 x 317, baseline JPEG:
an airliner in flight above a cockpit, with a crossed-out folder sign) and the program icon
(32 x 32, 16 colours). Run it again after changing a drawing; the build embeds both files."""

import math
import pathlib
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

ASSETS = pathlib.Path(__file__).resolve().parent.parent / "assets"
WIDTH, HEIGHT = 591, 317
SCALE = 3  # drawn large, then reduced: smooth edges without an anti-aliasing renderer


def s(*values):
    """Scales picture coordinates to the drawing canvas."""
    return [v * SCALE for v in values]


def sky(canvas):
    top, bottom = (214, 232, 250), (96, 150, 214)
    draw = ImageDraw.Draw(canvas)
    for y in range(canvas.height):
        t = y / canvas.height
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.line([(0, y), (canvas.width, y)], fill=colour)


def clouds(canvas):
    layer = Image.new("L", canvas.size, 0)
    draw = ImageDraw.Draw(layer)
    for cx, cy, rx, ry in [(70, 150, 60, 14), (110, 142, 40, 16), (300, 176, 90, 12),
                           (520, 120, 55, 13), (555, 128, 40, 10), (420, 190, 70, 9)]:
        draw.ellipse(s(cx - rx, cy - ry, cx + rx, cy + ry), fill=200)
    layer = layer.filter(ImageFilter.GaussianBlur(6 * SCALE))
    white = Image.new("RGB", canvas.size, (255, 255, 255))
    canvas.paste(white, (0, 0), layer)


def airliner(canvas):
    """A twin-engined airliner seen from the side and a little below, climbing to the right."""
    plane = Image.new("RGBA", canvas.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(plane)
    body, shade, trim = (246, 246, 250, 255), (190, 196, 208, 255), (30, 70, 160, 255)
    # Far wing, behind the fuselage.
    draw.polygon(s(300, 150, 336, 150, 300, 118, 286, 118), fill=shade)
    # Fuselage with a rounded nose and a tapering tail.
    draw.rounded_rectangle(s(180, 140, 430, 166), radius=13 * SCALE, fill=body)
    draw.polygon(s(180, 140, 150, 130, 146, 138, 182, 166), fill=body)
    draw.pieslice(s(412, 140, 446, 166), -90, 90, fill=body)
    # Fin and tailplane.
    draw.polygon(s(150, 131, 176, 141, 196, 141, 170, 88, 152, 88), fill=trim)
    draw.polygon(s(160, 146, 204, 146, 180, 156, 150, 156), fill=shade)
    # Cheat line and cabin windows.
    draw.rectangle(s(186, 156, 428, 159), fill=trim)
    for x in range(200, 405, 9):
        draw.rounded_rectangle(s(x, 147, x + 4, 152), radius=SCALE, fill=(40, 50, 70, 255))
    draw.polygon(s(422, 146, 436, 146, 440, 151, 424, 151), fill=(40, 50, 70, 255))
    # Near wing, swept back, with two engines under it.
    draw.polygon(s(270, 160, 320, 160, 262, 212, 240, 212), fill=(226, 228, 236, 255))
    draw.line(s(240, 212, 262, 212), fill=shade, width=2 * SCALE)
    for ex, ey in [(276, 184), (302, 168)]:
        draw.rounded_rectangle(s(ex - 4, ey - 5, ex + 26, ey + 6), radius=5 * SCALE,
                               fill=(200, 204, 214, 255))
        draw.ellipse(s(ex + 20, ey - 5, ex + 28, ey + 6), fill=(60, 64, 76, 255))
    plane = plane.rotate(8, resample=Image.BICUBIC, center=(310 * SCALE, 150 * SCALE))
    canvas.paste(plane, (0, -40 * SCALE), plane)


def gauge(draw, cx, cy, r, angle):
    draw.ellipse(s(cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2), fill=(70, 72, 76))
    draw.ellipse(s(cx - r, cy - r, cx + r, cy + r), fill=(12, 12, 14))
    for i in range(12):
        a = math.radians(i * 30)
        draw.line(s(cx + (r - 4) * math.cos(a), cy + (r - 4) * math.sin(a),
                    cx + r * math.cos(a), cy + r * math.sin(a)), fill=(230, 230, 230),
                  width=SCALE)
    a = math.radians(angle)
    draw.line(s(cx, cy, cx + (r - 5) * math.cos(a), cy + (r - 5) * math.sin(a)),
              fill=(255, 250, 220), width=2 * SCALE)


def cockpit(canvas):
    draw = ImageDraw.Draw(canvas)
    # Windscreen frame: the sky above is seen through it.
    draw.polygon(s(0, 0, 26, 0, 60, 226, 0, 240), fill=(44, 46, 52))
    draw.polygon(s(591, 0, 565, 0, 531, 226, 591, 240), fill=(44, 46, 52))
    draw.rectangle(s(290, 0, 300, 224), fill=(44, 46, 52))
    # Glare shield and panel.
    draw.pieslice(s(-40, 196, 631, 262), 180, 360, fill=(28, 28, 32))
    draw.rectangle(s(0, 228, 591, 317), fill=(58, 62, 68))
    draw.rectangle(s(0, 226, 591, 230), fill=(20, 20, 22))
    for i, (cx, angle) in enumerate([(150, -60), (196, 20), (242, 150), (288, -120),
                                     (334, 80), (380, -10)]):
        gauge(draw, cx, 262 + (i % 2) * 4, 18, angle)
    # Two screens.
    for x in (406, 452):
        draw.rectangle(s(x, 246, x + 38, 290), fill=(10, 14, 20))
        draw.line(s(x + 4, 268, x + 34, 268), fill=(40, 200, 90), width=SCALE)
        draw.line(s(x + 19, 250, x + 19, 286), fill=(40, 200, 90), width=SCALE)
    # Throttle quadrant and switches.
    for x in range(130, 400, 14):
        draw.rectangle(s(x, 298, x + 6, 306), fill=(190, 190, 190))


def no_folder_sign(canvas):
    draw = ImageDraw.Draw(canvas)
    cx, cy, r = 536, 277, 30
    draw.ellipse(s(cx - r, cy - r, cx + r, cy + r), fill=(255, 255, 255))
    # A yellow folder.
    draw.rectangle(s(cx - 17, cy - 14, cx - 3, cy - 9), fill=(214, 160, 20))
    draw.rectangle(s(cx - 17, cy - 10, cx + 17, cy + 14), fill=(246, 196, 40))
    draw.line(s(cx - 17, cy - 5, cx + 17, cy - 5), fill=(214, 160, 20), width=2 * SCALE)
    # Crossed out: a red ring and bar.
    draw.ellipse(s(cx - r, cy - r, cx + r, cy + r), outline=(210, 16, 16), width=6 * SCALE)
    d = r * 0.72
    draw.line(s(cx - d, cy - d, cx + d, cy + d), fill=(210, 16, 16), width=6 * SCALE)


def splash():
    canvas = Image.new("RGB", (WIDTH * SCALE, HEIGHT * SCALE))
    sky(canvas)
    clouds(canvas)
    airliner(canvas)
    cockpit(canvas)
    no_folder_sign(canvas)
    picture = canvas.resize((WIDTH, HEIGHT), Image.LANCZOS)
    picture.save(ASSETS / "splash.jpg", "JPEG", quality=88, optimize=False, progressive=False,
                 subsampling=0)


# The 16 colours of the standard Windows palette, in their usual order.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK_YELLOW, SILVER, GREY, RED, YELLOW, BLUE, WHITE = 0, 3, 7, 8, 9, 11, 12, 15


def icon_pixels():
    """32 x 32 palette indexes, None where transparent: a folder, an aircraft over it, and the
    red crossing-out."""
    image = Image.new("L", (32, 32), 255)  # 255 marks transparent
    draw = ImageDraw.Draw(image)
    draw.rectangle((3, 8, 13, 11), fill=DARK_YELLOW)
    draw.rectangle((3, 10, 28, 26), fill=YELLOW)
    draw.rectangle((3, 10, 28, 26), outline=DARK_YELLOW)
    # An aircraft seen from above, nose up.
    draw.polygon([(16, 3), (18, 6), (18, 13), (27, 18), (27, 20), (18, 17), (18, 23), (21, 26),
                  (21, 27), (16, 25), (11, 27), (11, 26), (14, 23), (14, 17), (5, 20), (5, 18),
                  (14, 13), (14, 6)], fill=BLUE)
    draw.line((16, 5, 16, 22), fill=WHITE)
    draw.ellipse((1, 1, 30, 30), outline=RED, width=3)
    draw.line((6, 6, 25, 25), fill=RED, width=3)
    return [[None if image.getpixel((x, y)) == 255 else image.getpixel((x, y)) for x in range(32)]
            for y in range(32)]


def icon():
    pixels = icon_pixels()
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        for x in range(0, 32, 2):
            a, b = row[x] or 0, row[x + 1] or 0
            xor.append((a << 4) | b)
        bits = 0
        for x, value in enumerate(row):
            if value is None:
                bits |= 1 << (31 - x)
        mask += bits.to_bytes(4, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4,
                                                           len(image), 6 + 16)
    (ASSETS / "quorvane.ico").write_bytes(directory + image)


def main():
    ASSETS.mkdir(exist_ok=True)
    splash()
    icon()
    return 0


if __name__ == "__main__":
    sys.exit(main())
