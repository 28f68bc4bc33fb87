#!/usr/bin/python3
"""Draws the sample vehicle previews of mini_screen/: side views made of simple shapes, one
JPEG per vehicle, named after the vehicle as the editor looks them up.

The end-to-end tests rely on the first car of the list having a preview and the second not.
Needs Debian's python3-pil. Only needed to change the pictures: the JPEGs are committed.

Usage: tests/e2e/draw_previews.py [output folder]   (default: mini_screen/ of the repository)
"""

import sys
from pathlib import Path

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 258, 160  # twice the preview's 129 x 80
SUPER = 4  # drawn larger and scaled down for smooth edges


def gradient(top, bottom, height):
    """A vertical colour ramp as a picture of one column."""
    column = Image.new("RGB", (1, height))
    for y in range(height):
        t = y / max(1, height - 1)
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return column


def scene(sky, ground, horizon):
    """Sky above the horizon (a share of the height), ground or water below it."""
    w, h = WIDTH * SUPER, HEIGHT * SUPER
    picture = Image.new("RGB", (w, h))
    split = round(h * horizon)
    picture.paste(gradient(*sky, split).resize((w, split)), (0, 0))
    picture.paste(gradient(*ground, h - split).resize((w, h - split)), (0, split))
    return picture


def scaled(points, k=SUPER):
    return [(x * k, y * k) for x, y in points]


def wheel(draw, cx, cy, r):
    k = SUPER
    draw.ellipse([(cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k], fill=(25, 25, 28))
    ri = r * 0.55
    draw.ellipse([(cx - ri) * k, (cy - ri) * k, (cx + ri) * k, (cy + ri) * k],
                 fill=(170, 172, 178))


def road():
    return scene(((120, 170, 230), (215, 230, 245)), ((90, 92, 98), (55, 57, 62)), 0.68)


def car(body, length=1.0, roof=1.0, ground=118):
    """A car seen from its side; length and roof height are shares of a saloon's."""
    picture = road()
    draw = ImageDraw.Draw(picture)
    left, right = 129 - 95 * length, 129 + 95 * length
    top = ground - 22 - 26 * roof
    draw.polygon(scaled([(left, ground - 8), (left + 4, ground - 34), (right - 8, ground - 36),
                         (right, ground - 22), (right, ground - 8)]), fill=body)
    cabin = [(left + 40 * length, ground - 34), (left + 62 * length, top),
             (right - 70 * length, top), (right - 40 * length, ground - 36)]
    draw.polygon(scaled(cabin), fill=body)
    glass = [(x + (6 if i in (0, 1) else -6), y + (4 if i in (1, 2) else -2))
             for i, (x, y) in enumerate(cabin)]
    draw.polygon(scaled(glass), fill=(160, 200, 225))
    draw.line(scaled([(129 - 4 * length, top + 2), (129 - 4 * length, ground - 36)]),
              fill=body, width=3 * SUPER)
    for cx in (left + 36 * length, right - 36 * length):
        wheel(draw, cx, ground - 8, 15)
    return picture


def bike(frame):
    picture = road()
    draw = ImageDraw.Draw(picture)
    k = SUPER
    wheel(draw, 82, 110, 22)
    wheel(draw, 178, 110, 22)
    draw.line(scaled([(82, 110), (118, 80), (160, 78), (178, 110)]), fill=frame, width=5 * k)
    draw.polygon(scaled([(108, 84), (150, 70), (162, 84), (120, 96)]), fill=frame)
    draw.line(scaled([(160, 78), (168, 58)]), fill=(40, 40, 45), width=3 * k)
    draw.ellipse([122 * k, 34 * k, 142 * k, 54 * k], fill=(230, 60, 40))  # the rider's helmet
    draw.line(scaled([(130, 54), (124, 80), (140, 96)]), fill=(50, 60, 90), width=7 * k)
    return picture


def helicopter(body):
    picture = scene(((70, 130, 210), (190, 220, 245)), ((110, 150, 90), (70, 105, 60)), 0.8)
    draw = ImageDraw.Draw(picture)
    k = SUPER
    draw.ellipse([70 * k, 60 * k, 150 * k, 108 * k], fill=body)
    draw.polygon(scaled([(140, 74), (226, 80), (226, 88), (140, 94)]), fill=body)
    draw.polygon(scaled([(218, 62), (230, 62), (228, 88), (220, 88)]), fill=body)
    draw.pieslice([76 * k, 64 * k, 118 * k, 100 * k], 160, 290, fill=(160, 205, 235))
    draw.line(scaled([(40, 54), (190, 54)]), fill=(35, 35, 40), width=3 * k)
    draw.line(scaled([(110, 54), (110, 62)]), fill=(35, 35, 40), width=4 * k)
    draw.line(scaled([(78, 120), (148, 120)]), fill=(35, 35, 40), width=3 * k)
    for x in (92, 134):
        draw.line(scaled([(x, 106), (x - 4, 120)]), fill=(35, 35, 40), width=3 * k)
    return picture


def aeroplane(body):
    picture = scene(((60, 120, 205), (200, 225, 248)), ((120, 155, 95), (80, 110, 65)), 0.86)
    draw = ImageDraw.Draw(picture)
    k = SUPER
    draw.polygon(scaled([(30, 78), (52, 68), (210, 66), (236, 74), (210, 84), (52, 86)]),
                 fill=body)
    draw.polygon(scaled([(36, 74), (24, 44), (38, 44), (62, 70)]), fill=body)
    draw.polygon(scaled([(110, 76), (150, 76), (126, 118), (110, 118)]), fill=body)
    draw.polygon(scaled([(110, 70), (150, 70), (130, 50), (116, 50)]), fill=body)
    for x in range(80, 200, 14):
        draw.ellipse([x * k, 71 * k, (x + 6) * k, 76 * k], fill=(60, 90, 130))
    draw.polygon(scaled([(212, 68), (226, 70), (230, 74), (212, 74)]), fill=(60, 90, 130))
    return picture


def boat(hull):
    picture = scene(((140, 185, 235), (220, 235, 250)), ((40, 110, 160), (15, 55, 95)), 0.6)
    draw = ImageDraw.Draw(picture)
    k = SUPER
    draw.polygon(scaled([(36, 84), (222, 84), (200, 114), (58, 114)]), fill=hull)
    draw.polygon(scaled([(36, 84), (222, 84), (218, 90), (40, 90)]), fill=(240, 240, 236))
    draw.polygon(scaled([(92, 84), (100, 62), (160, 62), (172, 84)]), fill=(240, 240, 236))
    draw.polygon(scaled([(104, 66), (120, 66), (120, 78), (102, 78)]), fill=(60, 90, 120))
    draw.polygon(scaled([(126, 66), (156, 66), (164, 78), (126, 78)]), fill=(60, 90, 120))
    for x in range(20, 250, 34):
        draw.arc([x * k, 116 * k, (x + 30) * k, 128 * k], 200, 340, fill=(200, 225, 240),
                 width=2 * k)
    return picture


# Vehicle name -> picture. The list's second car (9TONNE) has none on purpose.
PREVIEWS = {
    "3ROUE": lambda: car((40, 150, 120), length=0.62, roof=1.15),
    "ALVINE": lambda: car((200, 50, 45)),
    "ARDENTE": lambda: car((240, 180, 30), length=1.08, roof=0.95),
    "BELCOURT": lambda: car((60, 90, 170)),
    "BOUEUX": lambda: bike((120, 150, 40)),
    "FLECHARD": lambda: bike((200, 30, 30)),
    "TROTTINO": lambda: bike((240, 150, 20)),
    "ALBATRON": lambda: aeroplane((235, 235, 240)),
    "LIBELLE": lambda: helicopter((220, 120, 30)),
    "BARCAROLE": lambda: boat((30, 70, 140)),
    "CANOTIER": lambda: boat((170, 40, 40)),
}


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "mini_screen"
    out.mkdir(parents=True, exist_ok=True)
    for name, draw in PREVIEWS.items():
        picture = draw().resize((WIDTH, HEIGHT), Image.LANCZOS)
        picture.save(out / f"{name}.jpg", quality=88)
        print(out / f"{name}.jpg")


if __name__ == "__main__":
    main()
