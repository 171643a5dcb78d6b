"""Writes the sprite sheet assets/graphx/bodger2010_sf1.png.

Cells: frame f at x = 1 + 33 * (f % 19), y = 1 + 33 * (f // 19), 32x32 each,
one pixel of black gutter around them.  Below them: the title logo at
(0, 201) 352x128, the HUD top bar at (0, 336) 640x32 and the bottom bar at
(0, 382) 640x55.  RGB, black is transparent.
"""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

import bodger
import items
import pixelart as px
import textures

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
FONT = os.path.join(ROOT, "assets", "fonts", "Quicksand-Bold.ttf")
OUT = os.path.join(ROOT, "assets", "graphx", "bodger2010_sf1.png")

SHEET_W, SHEET_H = 640, 437
TITLE = (0, 201, 352, 128)
HUD_TOP = (0, 336, 640, 32)
HUD_BOTTOM = (0, 382, 640, 55)


def cell_origin(f):
    return 1 + 33 * (f % 19), 1 + 33 * (f // 19)


def all_frames():
    frames = {
        0: textures.pit(),
        1: textures.star(),
        2: textures.floor(),
        4: textures.brick(),
        5: textures.pit_edge(),
        7: textures.flame(),
        8: textures.smoke(),
        9: textures.glow(),
        18: textures.trap(False),
        19: textures.trap(True),
        20: textures.glass_plate(),
    }
    frames.update(items.frames())
    frames.update(bodger.frames())
    return frames


def title():
    """'Bodger' in fat warm letters with a dark rim, '2010' in cool blue beneath."""
    w, h = TITLE[2], TITLE[3]
    img = Image.new("RGB", (w, h), (0, 0, 0))
    big = ImageFont.truetype(FONT, 86)
    small = ImageFont.truetype(FONT, 34)

    def layer(text, font, xy, fill_top, fill_bottom, rim, shadow):
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).text(xy, text, font=font, fill=255, anchor="mm")
        rim_mask = mask.filter(ImageFilter.MaxFilter(7))
        shadow_mask = rim_mask.transform((w, h), Image.AFFINE, (1, 0, -4, 0, 1, -5))
        grad = np.zeros((h, w, 3), np.float64)
        t = np.linspace(0, 1, h)[:, None]
        for c in range(3):
            grad[:, :, c] = fill_top[c] + (fill_bottom[c] - fill_top[c]) * t
        fill = Image.fromarray(np.clip(grad, 0, 255).astype(np.uint8))
        img.paste(Image.new("RGB", (w, h), shadow), (0, 0), shadow_mask)
        img.paste(Image.new("RGB", (w, h), rim), (0, 0), rim_mask)
        img.paste(fill, (0, 0), mask)

    layer("Bodger", big, (w // 2, 50), (255, 236, 120), (240, 110, 30), (70, 26, 16), (24, 12, 40))
    layer("2010", small, (w // 2 + 92, 104), (190, 240, 255), (50, 150, 255), (16, 30, 70),
          (12, 10, 36))
    # Black stays the background: it is transparent over the star field.
    return np.array(img)


def bar(w, h, top_edge):
    """A light grey glassy panel: a soft vertical sheen, a bright rim on the side
    that faces the play field, and rounded inner corners."""
    yy, xx = np.mgrid[0:h, 0:w]
    t = yy / (h - 1)
    if top_edge:
        t = 1 - t
    # Lighter towards the play field, a faint sheen band, fine horizontal lines.
    v = 0.72 + 0.14 * t + 0.05 * np.exp(-((t - 0.35) / 0.12) ** 2) - 0.02 * (yy % 2)
    rim, inner = (h - 1, h - 2) if top_edge else (0, 1)
    far = 0 if top_edge else h - 1
    v[yy == rim] = 1.0
    v[yy == inner] = 0.93
    v[yy == far] = 0.60
    v[:, 0] = np.minimum(v[:, 0], 0.9)
    v[:, w - 1] = 0.62
    img = np.stack([v, v, v], axis=2)
    out = px.from_float(np.clip(img, 0, 1))
    # Round the two corners that face the play field.
    r = 6
    for cx in (r, w - 1 - r):
        for y in range(r):
            yc = h - 1 - y if top_edge else y
            for x in range(r):
                xc = x if cx == r else w - 1 - x
                if np.hypot(cx - xc, r - y) > r + 0.3:
                    out[yc, xc] = 0
    return out


def build():
    sheet = np.zeros((SHEET_H, SHEET_W, 3), np.uint8)
    frames = all_frames()
    for f, img in frames.items():
        if img.shape != (32, 32, 3):
            raise ValueError(f"frame {f} is {img.shape}")
        x, y = cell_origin(f)
        sheet[y:y + 32, x:x + 32] = img
    x, y, w, h = TITLE
    sheet[y:y + h, x:x + w] = title()
    x, y, w, h = HUD_TOP
    sheet[y:y + h, x:x + w] = bar(w, h, True)
    x, y, w, h = HUD_BOTTOM
    sheet[y:y + h, x:x + w] = bar(w, h, False)
    return sheet, sorted(frames)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else OUT
    sheet, drawn = build()
    Image.fromarray(sheet, "RGB").save(out, optimize=True)
    print(f"{out}: {SHEET_W}x{SHEET_H}, {len(drawn)} frames drawn")


if __name__ == "__main__":
    main()
