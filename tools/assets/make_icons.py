"""The desktop icons: Bodger standing on a realm's floor.

    python3 make_icons.py

Writes dist/icons/hicolor/SIZExSIZE/apps/<app id>.png for the usual hicolor
sizes. Up to 64 pixels the picture is cut from frames 2 (floor) and 62
(Bodger idle) of the committed sprite sheet: the 32-pixel one is the game's
own, 64 is it doubled, smaller ones are box filtered so that the figure still
reads. The 128- and 256-pixel icons are drawn at their size instead, the same
figure with the detail a large icon has room for (shaded stones, a face with
brows and a glint in the eyes, seams, the remote in his hand), drawn four
times over and box filtered for smooth edges. The output is the same at
every run.
"""

import os
import random

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SHEET = os.path.join(ROOT, "assets", "graphx", "bodger2010_sf1.png")
OUT_DIR = os.path.join(ROOT, "dist", "icons")
APP_ID = "io.github.bodger2010.Bodger2010"
SIZES = (16, 22, 24, 32, 48, 64, 128, 192, 256, 512)  # 192 and 512: the page's home-screen icons
DRAWN = (128, 192, 256, 512)  # sizes drawn at their size, not cut from the sheet
TINT = (120, 150, 200)  # a realm tint, as the floor is drawn in play
OVERSAMPLE = 4

# Bodger's colours, as bodger.py gives them.
OUTLINE = (46, 28, 24)
CAP, CAP_BAND, CAP_SHINE = (226, 56, 46), (160, 34, 34), (255, 140, 110)
HAIR, HAIR_SHADE = (146, 84, 38), (104, 58, 26)
SKIN, SKIN_SHADE = (252, 206, 166), (222, 160, 120)
EYE_WHITE, PUPIL, MOUTH = (255, 255, 255), (34, 36, 76), (186, 62, 62)
SHIRT, SHIRT_SHADE, SHIRT_SHINE = (84, 184, 92), (48, 128, 62), (150, 222, 140)
BELT, BUCKLE = (96, 62, 30), (240, 200, 60)
JEANS, JEANS_SHADE = (78, 112, 204), (50, 74, 150)
SHOES, SHOE_SHADE = (126, 74, 36), (84, 46, 24)
# The remote: grey plastic, its red button.
REMOTE, REMOTE_SHADE, BUTTON = (120, 124, 136), (70, 72, 84), (230, 40, 40)


def frame(sheet, number):
    x = 1 + 33 * (number % 19)
    y = 1 + 33 * (number // 19)
    return sheet.crop((x, y, x + 32, y + 32))


def tinted(colour):
    return tuple(c * t // 255 for c, t in zip(colour, TINT))


def base_picture():
    sheet = Image.open(SHEET).convert("RGB")
    floor = frame(sheet, 2)
    r, g, b = floor.split()
    tinted_bands = [c.point(lambda v, t=t: v * t // 255) for c, t in zip((r, g, b), TINT)]
    floor = Image.merge("RGB", tinted_bands)
    bodger = frame(sheet, 62)
    # Pure black is transparent in the game, and so in the icon.
    mask = bodger.convert("L").point(lambda v: 255 if v else 0)
    picture = floor.convert("RGBA")
    picture.paste(bodger, (0, 0), mask)
    return picture


def scaled(picture, size):
    if size % 32 == 0:
        return picture.resize((size, size), Image.NEAREST)
    if size > 32:
        big = picture.resize((64, 64), Image.NEAREST)
        return big.resize((size, size), Image.BOX)
    return picture.resize((size, size), Image.BOX)


class Pen:
    """Draws in a 256-unit square whatever the canvas size is."""

    def __init__(self, canvas):
        self.draw = ImageDraw.Draw(canvas)
        self.k = canvas.width / 256.0

    def box(self, x0, y0, x1, y1):
        k = self.k
        return [round(x0 * k), round(y0 * k), round(x1 * k) - 1, round(y1 * k) - 1]

    def width(self, w):
        return max(1, round(w * self.k))

    def rect(self, x0, y0, x1, y1, fill, radius=0, outline=None, line=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=round(radius * self.k),
                                    fill=fill, outline=outline,
                                    width=self.width(line) if outline else 0)

    def ellipse(self, x0, y0, x1, y1, fill, outline=None, line=0):
        self.draw.ellipse(self.box(x0, y0, x1, y1), fill=fill, outline=outline,
                          width=self.width(line) if outline else 0)

    def chord(self, x0, y0, x1, y1, start, end, fill):
        self.draw.chord(self.box(x0, y0, x1, y1), start, end, fill=fill)

    def polygon(self, points, fill):
        self.draw.polygon([(x * self.k, y * self.k) for x, y in points], fill=fill)

    def line(self, points, fill, line):
        self.draw.line([(x * self.k, y * self.k) for x, y in points], fill=fill,
                       width=self.width(line), joint="curve")

    def arc(self, x0, y0, x1, y1, start, end, fill, line):
        self.draw.arc(self.box(x0, y0, x1, y1), start, end, fill=fill, width=self.width(line))


def draw_floor(pen):
    """Four stone slabs in the realm's tint, bevelled, with grit and cracks."""
    rng = random.Random(2010)
    grout = tinted((70, 70, 74))
    pen.rect(0, 0, 256, 256, fill=grout)
    for sx, sy in ((0, 0), (128, 0), (0, 128), (128, 128)):
        x0, y0, x1, y1 = sx + 3, sy + 3, sx + 125, sy + 125
        pen.rect(x0, y0, x1, y1, radius=6, fill=tinted((206, 206, 210)))
        pen.rect(x0, y0, x1, y0 + 5, radius=3, fill=tinted((236, 236, 240)))
        pen.rect(x0, y0, x0 + 5, y1, radius=3, fill=tinted((236, 236, 240)))
        pen.rect(x0, y1 - 6, x1, y1, radius=3, fill=tinted((150, 150, 156)))
        pen.rect(x1 - 6, y0, x1, y1, radius=3, fill=tinted((150, 150, 156)))
        pen.rect(x0 + 5, y0 + 5, x1 - 6, y1 - 6, radius=4, fill=tinted((192, 192, 198)))
        for _ in range(40):
            gx, gy = rng.uniform(x0 + 8, x1 - 10), rng.uniform(y0 + 8, y1 - 10)
            grey = rng.choice((168, 176, 212, 220))
            d = rng.uniform(1.5, 3.5)
            pen.ellipse(gx, gy, gx + d, gy + d, fill=tinted((grey, grey, grey + 4)))
        # One crack a slab, wandering from an edge.
        x, y = rng.uniform(x0 + 20, x1 - 20), y0 + 6
        points = [(x, y)]
        for _ in range(4):
            x += rng.uniform(-9, 9)
            y += rng.uniform(6, 12)
            points.append((x, y))
        pen.line(points, fill=tinted((140, 140, 146)), line=1.6)


def draw_bodger(pen):
    """Bodger standing, facing the player, the remote in his hand."""
    o = OUTLINE
    # His shadow on the floor.
    pen.ellipse(70, 226, 186, 250, fill=tinted((110, 110, 118)))

    # Legs and shoes.
    for x0 in (90, 130):
        pen.rect(x0, 166, x0 + 36, 232, radius=8, fill=JEANS, outline=o, line=4)
        pen.rect(x0 + 24, 172, x0 + 32, 226, radius=3, fill=JEANS_SHADE)
        pen.line([(x0 + 10, 178), (x0 + 10, 222)], fill=JEANS_SHADE, line=2)
    for x0 in (84, 130):
        pen.rect(x0, 222, x0 + 44, 246, radius=10, fill=SHOES, outline=o, line=4)
        pen.rect(x0 + 4, 236, x0 + 40, 243, radius=3, fill=SHOE_SHADE)
        pen.ellipse(x0 + 8, 226, x0 + 20, 232, fill=(168, 110, 60))

    # Arms behind the shirt's sides, hands below.
    pen.rect(56, 108, 86, 176, radius=12, fill=SHIRT, outline=o, line=4)
    pen.rect(170, 108, 200, 176, radius=12, fill=SHIRT_SHADE, outline=o, line=4)
    pen.ellipse(56, 162, 86, 192, fill=SKIN, outline=o, line=4)

    # Shirt, its shine and shade, the belt and buckle.
    pen.rect(74, 100, 182, 178, radius=14, fill=SHIRT, outline=o, line=4)
    pen.rect(82, 108, 94, 160, radius=5, fill=SHIRT_SHINE)
    pen.rect(160, 108, 174, 170, radius=5, fill=SHIRT_SHADE)
    pen.polygon([(110, 102), (128, 122), (146, 102)], fill=SKIN)
    pen.line([(110, 102), (128, 122), (146, 102)], fill=SHIRT_SHADE, line=3)
    for y in (132, 148):
        pen.ellipse(125, y, 131, y + 6, fill=SHIRT_SHADE)
    pen.rect(76, 164, 180, 180, radius=3, fill=BELT, outline=o, line=3)
    pen.rect(118, 162, 140, 182, radius=3, fill=BUCKLE, outline=o, line=3)
    pen.rect(124, 168, 134, 176, radius=1, fill=BELT)

    # The remote in his left hand (on our right), held up, button on top.
    pen.rect(176, 112, 206, 188, radius=7, fill=REMOTE, outline=o, line=4)
    pen.rect(196, 118, 202, 182, radius=2, fill=REMOTE_SHADE)
    pen.ellipse(182, 120, 198, 136, fill=BUTTON, outline=o, line=3)
    pen.ellipse(185, 123, 190, 128, fill=(255, 160, 150))
    for row in range(2):
        for col in range(2):
            x, y = 182 + 8 * col, 144 + 8 * row
            pen.rect(x, y, x + 6, y + 5, radius=1, fill=REMOTE_SHADE)
    pen.ellipse(172, 160, 204, 194, fill=SKIN, outline=o, line=4)
    pen.line([(178, 170), (198, 170)], fill=SKIN_SHADE, line=2)
    pen.line([(178, 179), (198, 179)], fill=SKIN_SHADE, line=2)

    # Head: ears, face, hair at the sides.
    pen.ellipse(62, 50, 86, 82, fill=SKIN_SHADE, outline=o, line=4)
    pen.ellipse(170, 50, 194, 82, fill=SKIN_SHADE, outline=o, line=4)
    pen.rect(72, 26, 184, 108, radius=40, fill=SKIN, outline=o, line=4)
    pen.rect(76, 40, 92, 72, radius=6, fill=HAIR)
    pen.rect(164, 40, 180, 72, radius=6, fill=HAIR_SHADE)
    pen.chord(78, 84, 178, 106, 0, 180, fill=SKIN_SHADE)
    # Eyes with a glint under the peak, cheeks, the smile.
    for x0 in (94, 138):
        pen.ellipse(x0, 58, x0 + 24, 84, fill=EYE_WHITE, outline=o, line=3)
        pen.ellipse(x0 + 8, 65, x0 + 20, 80, fill=PUPIL)
        pen.ellipse(x0 + 13, 67, x0 + 17, 71, fill=EYE_WHITE)
    pen.ellipse(84, 84, 100, 94, fill=(246, 170, 150))
    pen.ellipse(156, 84, 172, 94, fill=(246, 170, 150))
    pen.chord(110, 82, 146, 102, 0, 180, fill=MOUTH)
    pen.arc(110, 82, 146, 102, 0, 180, fill=o, line=3)
    pen.line([(111, 92), (145, 92)], fill=o, line=3)

    # The cap: crown, band, the peak over his eyes, a shine, the button on top.
    pen.chord(70, 2, 186, 78, 180, 360, fill=CAP)
    pen.arc(70, 2, 186, 78, 180, 360, fill=o, line=4)
    pen.ellipse(98, 12, 120, 26, fill=CAP_SHINE)
    pen.rect(68, 34, 188, 48, radius=5, fill=CAP_BAND, outline=o, line=4)
    pen.chord(74, 30, 182, 62, 0, 180, fill=CAP_BAND)
    pen.arc(74, 30, 182, 62, 0, 180, fill=o, line=4)
    pen.ellipse(120, -2, 136, 10, fill=CAP_BAND, outline=o, line=3)


def drawn(size):
    big = size * OVERSAMPLE
    canvas = Image.new("RGBA", (big, big))
    pen = Pen(canvas)
    draw_floor(pen)
    draw_bodger(pen)
    return canvas.resize((size, size), Image.BOX)


def main():
    picture = base_picture()
    for size in SIZES:
        folder = os.path.join(OUT_DIR, "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        icon = drawn(size) if size in DRAWN else scaled(picture, size)
        icon.save(os.path.join(folder, APP_ID + ".png"), optimize=True)


if __name__ == "__main__":
    main()
