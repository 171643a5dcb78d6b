"""The desktop icons: Bodger standing on a realm's floor, cut from the sheet.

    python3 make_icons.py

Writes dist/icons/hicolor/SIZExSIZE/apps/<app id>.png for the usual hicolor
sizes from frames 2 (floor) and 62 (Bodger idle) of the committed sprite
sheet. The 32-pixel picture is the game's own; larger sizes keep hard pixel
edges (whole-number scaling, then a box filter for 48), smaller ones are box
filtered so that the figure still reads.
"""

import os

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SHEET = os.path.join(ROOT, "assets", "graphx", "bodger2010_sf1.png")
OUT_DIR = os.path.join(ROOT, "dist", "icons")
APP_ID = "io.github.bodger2010.Bodger2010"
SIZES = (16, 22, 24, 32, 48, 64, 128, 192, 256, 512)  # 192 and 512: the page's home-screen icons
TINT = (120, 150, 200)  # a realm tint, as the floor is drawn in play


def frame(sheet, number):
    x = 1 + 33 * (number % 19)
    y = 1 + 33 * (number // 19)
    return sheet.crop((x, y, x + 32, y + 32))


def base_picture():
    sheet = Image.open(SHEET).convert("RGB")
    floor = frame(sheet, 2)
    r, g, b = floor.split()
    tinted = [c.point(lambda v, t=t: v * t // 255) for c, t in zip((r, g, b), TINT)]
    floor = Image.merge("RGB", tinted)
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


def main():
    picture = base_picture()
    for size in SIZES:
        folder = os.path.join(OUT_DIR, "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        scaled(picture, size).save(os.path.join(folder, APP_ID + ".png"), optimize=True)


if __name__ == "__main__":
    main()
