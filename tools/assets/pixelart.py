"""Pixel art from text grids: one character per pixel, looked up in a palette.

'.' (and ' ') is always transparent, which the game stores as pure black.
Every other colour must stay off pure black: the game masks (0,0,0) away.
Pictures are numpy arrays of shape (h, w, 3), dtype uint8.
"""

import numpy as np

TRANSPARENT = ".  "


def parse(grid, palette):
    """Turns a multi-line text grid into an RGB array; rows must be equally long."""
    rows = [r for r in grid.strip("\n").split("\n")]
    rows = [r.rstrip() if r.strip() else r for r in rows]
    width = max(len(r) for r in rows)
    img = np.zeros((len(rows), width, 3), np.uint8)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch in TRANSPARENT:
                continue
            if ch not in palette:
                raise ValueError(f"colour {ch!r} not in palette (row {y}: {row!r})")
            img[y, x] = lift(palette[ch])
    return img


def lift(rgb):
    """A colour that is never pure black, so it stays visible in a masked image."""
    r, g, b = rgb
    if r == 0 and g == 0 and b == 0:
        return (1, 1, 1)
    return (r, g, b)


def canvas(w=32, h=32):
    return np.zeros((h, w, 3), np.uint8)


def solid(img):
    """Mask of the pixels the game keeps (anything but pure black)."""
    return img.any(axis=2)


def paste(dst, src, x, y):
    """Copies the solid pixels of src onto dst with its top-left at (x, y), clipped."""
    h, w = src.shape[:2]
    for sy in range(h):
        dy = y + sy
        if not 0 <= dy < dst.shape[0]:
            continue
        for sx in range(w):
            dx = x + sx
            if 0 <= dx < dst.shape[1] and src[sy, sx].any():
                dst[dy, dx] = src[sy, sx]
    return dst


def mirror(img):
    return img[:, ::-1].copy()


def shift(img, dx, dy):
    """Moves the picture inside its frame; what leaves the frame is lost."""
    out = np.zeros_like(img)
    h, w = img.shape[:2]
    ys, xs = slice(max(dy, 0), min(h + dy, h)), slice(max(dx, 0), min(w + dx, w))
    yd, xd = slice(max(-dy, 0), min(h - dy, h)), slice(max(-dx, 0), min(w - dx, w))
    out[ys, xs] = img[yd, xd]
    return out


def centred(src, w=32, h=32, dx=0, dy=0):
    """A w x h frame with src centred in it (plus an offset)."""
    out = canvas(w, h)
    sh, sw = src.shape[:2]
    return paste(out, src, (w - sw) // 2 + dx, (h - sh) // 2 + dy)


def bottom(src, w=32, h=32, dx=0, margin=0):
    """A frame with src standing on its bottom row, centred horizontally."""
    out = canvas(w, h)
    sh, sw = src.shape[:2]
    return paste(out, src, (w - sw) // 2 + dx, h - sh - margin)


def outline(img, colour, diagonal=False):
    """Adds a one-pixel border of colour around the solid pixels."""
    m = solid(img)
    grow = m.copy()
    grow[1:] |= m[:-1]
    grow[:-1] |= m[1:]
    grow[:, 1:] |= m[:, :-1]
    grow[:, :-1] |= m[:, 1:]
    if diagonal:
        grow[1:, 1:] |= m[:-1, :-1]
        grow[1:, :-1] |= m[:-1, 1:]
        grow[:-1, 1:] |= m[1:, :-1]
        grow[:-1, :-1] |= m[1:, 1:]
    out = img.copy()
    out[grow & ~m] = lift(colour)
    return out


def from_float(rgb):
    """A float array in 0..1 (h, w, 3) to uint8."""
    return np.clip(np.rint(rgb * 255.0), 0, 255).astype(np.uint8)
