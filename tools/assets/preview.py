"""Contact sheet for checking the art by eye.

    python3 preview.py [OUT.png]

Shows every cell of the sheet at 2x with its frame number, each three ways:
as drawn in white, multiplied by a realm tint (60, 90, 140), and at colour
(50, 50, 50) as the torch is drawn; then the title and the HUD bars tinted
(80, 150, 200) at alpha 0.6 over a dark blue backdrop.
"""

import sys

import numpy as np
from PIL import Image, ImageDraw

import make_sheet

SCALE = 2
BACK = np.array((20, 24, 44), np.float64)  # stands in for the star field
MODES = (("white", (255, 255, 255)), ("tint", (60, 90, 140)), ("dim", (50, 50, 50)))


def over_backdrop(img, colour, alpha=1.0):
    rgb = img.astype(np.float64) * np.array(colour) / 255.0
    solid = img.any(axis=2)
    out = np.empty_like(rgb)
    out[:] = BACK
    out[solid] = rgb[solid] * alpha + BACK * (1 - alpha)
    return out.astype(np.uint8)


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else "/tmp/bodger_contact.png"
    sheet_path = make_sheet.OUT
    sheet = np.array(Image.open(sheet_path).convert("RGB"))
    cell = 32 * SCALE + 4
    block_w = cell * len(MODES) + 30
    per_row = 5  # cells across, each shown three ways
    W = max(block_w * per_row, 760)
    rows = (91 + per_row - 1) // per_row
    H = rows * (cell + 14) + 480
    canvas = Image.new("RGB", (W, H), (60, 60, 70))
    draw = ImageDraw.Draw(canvas)
    for f in range(91):
        x0, y0 = make_sheet.cell_origin(f)
        frame = sheet[y0:y0 + 32, x0:x0 + 32]
        bx, by = (f % per_row) * block_w, (f // per_row) * (cell + 14)
        draw.text((bx + 2, by + 2), str(f), fill=(255, 255, 0))
        for m, (_, colour) in enumerate(MODES):
            img = Image.fromarray(over_backdrop(frame, colour)).resize(
                (32 * SCALE, 32 * SCALE), Image.NEAREST)
            canvas.paste(img, (bx + 24 + m * cell, by + 12))
    y = rows * (cell + 14) + 4
    x, ty, w, h = make_sheet.TITLE
    title = sheet[ty:ty + h, x:x + w]
    canvas.paste(Image.fromarray(over_backdrop(title, (255, 255, 255))), (0, y))
    for i, (bx, by, bw, bh) in enumerate((make_sheet.HUD_TOP, make_sheet.HUD_BOTTOM)):
        bar = sheet[by:by + bh, bx:bx + bw]
        img = Image.fromarray(over_backdrop(bar, (80, 150, 200), 0.6))
        canvas.paste(img, (0, y + 140 + i * 70))
    canvas.save(out_path)
    print(out_path)


if __name__ == "__main__":
    main()
