"""Writes the makers' splash logo and the mouse pointer.

    assets/graphx/qwlogo.png     the studio emblem (a smiling cog) and "Quirkwobble"
    assets/graphx/bgpointer.png  24x24 arrow, hot spot at its top-left pixel

Both RGB on black; black is transparent in the game.
"""

import os

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

import pixelart as px

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
FONT = os.path.join(ROOT, "assets", "fonts", "Quicksand-Bold.ttf")
GRAPHX = os.path.join(ROOT, "assets", "graphx")

STUDIO = "Quirkwobble"
TAGLINE = "g a m e s"

POINTER = """
wo......................
wwo.....................
wWwo....................
wWWwo...................
wWWWwo..................
wWWWWwo.................
wWWWWWwo................
wWWWWWWwo...............
wWWWWWWWwo..............
wWWWWWWWWwo.............
wWWWWWWWWWwo............
wWWWWWWWWWWwo...........
wWWWWWWWWWWWwo..........
wWWWWWWWwwwwwwo.........
wWWWWwWWwooooooo........
wWWWwowWWwo.............
wWWwo.owWWwo............
wWwo..owWWwo............
wwo....owWWwo...........
wo.....owWWwo...........
o.......owWwo...........
........owwo............
.........oo.............
........................
"""

POINTER_PAL = {"w": (40, 70, 140), "W": (250, 250, 255), "o": (12, 16, 40)}


def pointer():
    return px.parse(POINTER, POINTER_PAL)


def cog(size, teeth=10):
    """A rounded cog wheel with a wobbly smile: the studio's emblem, as an RGB array."""
    s = size * 4  # drawn large, then shrunk for smooth edges
    img = Image.new("RGB", (s, s), (0, 0, 0))
    d = ImageDraw.Draw(img)
    c = s / 2
    r_out, r_in = s * 0.47, s * 0.38
    pts = []
    for i in range(teeth * 16):
        a = 2 * np.pi * i / (teeth * 16)
        phase = (i % 16) / 16
        r = r_out if 0.15 < phase < 0.6 else r_in
        pts.append((c + r * np.cos(a), c + r * np.sin(a)))
    d.polygon(pts, fill=(255, 170, 40))
    d.ellipse([c - s * 0.33, c - s * 0.33, c + s * 0.33, c + s * 0.33], fill=(255, 214, 90))
    d.ellipse([c - s * 0.27, c - s * 0.27, c + s * 0.27, c + s * 0.27], fill=(60, 150, 255))
    # Face: two eyes and a wobbly grin.
    for ex in (-0.1, 0.1):
        d.ellipse([c + s * ex - s * 0.04, c - s * 0.12, c + s * ex + s * 0.04, c - s * 0.02],
                  fill=(255, 255, 255))
        d.ellipse([c + s * ex - s * 0.02, c - s * 0.08, c + s * ex + s * 0.025, c - s * 0.03],
                  fill=(20, 24, 60))
    grin = [(c + s * (x - 0.5) * 0.32, c + s * (0.07 + 0.06 * np.sin(np.pi * (x)) +
                                               0.015 * np.sin(x * 18)))
            for x in np.linspace(0, 1, 40)]
    d.line(grin, fill=(255, 255, 255), width=int(s * 0.035))
    small = img.resize((size, size), Image.LANCZOS)
    return np.array(small)


def logo():
    w, h = 320, 200
    canvas = Image.new("RGB", (w, h), (0, 0, 0))
    emblem = Image.fromarray(cog(112))
    canvas.paste(emblem, ((w - 112) // 2, 6))
    font = ImageFont.truetype(FONT, 44)
    small = ImageFont.truetype(FONT, 18)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).text((w // 2, 146), STUDIO, font=font, fill=255, anchor="mm")
    rim = mask.filter(ImageFilter.MaxFilter(5))
    canvas.paste(Image.new("RGB", (w, h), (20, 40, 110)), (0, 0), rim)
    canvas.paste(Image.new("RGB", (w, h), (255, 255, 255)), (0, 0), mask)
    ImageDraw.Draw(canvas).text((w // 2, 182), TAGLINE, font=small, fill=(255, 190, 70),
                                anchor="mm")
    # Smoothed edges that round down to pure black simply become transparent.
    return np.array(canvas)


def main():
    Image.fromarray(logo(), "RGB").save(os.path.join(GRAPHX, "qwlogo.png"), optimize=True)
    Image.fromarray(pointer(), "RGB").save(os.path.join(GRAPHX, "bgpointer.png"), optimize=True)
    print("qwlogo.png, bgpointer.png written")


if __name__ == "__main__":
    main()
