"""Procedural frames: ground, bricks, traps, glows, stars, flames and smoke.

The ground, bricks and traps are multiplied by the realm's tint in the game,
so they are light, mostly grey textures whose shading survives the tint.
Random texture comes from a fixed seed, so every run makes the same sheet.
"""

import numpy as np

import pixelart as px

SIZE = 32


def _rng(seed):
    return np.random.default_rng(seed)


def _grey(v):
    """A grey float image (h, w) to RGB uint8, never pure black."""
    g = px.from_float(np.clip(v, 0.0, 1.0))
    rgb = np.stack([g, g, g], axis=2)
    rgb[~rgb.any(axis=2)] = 1
    return rgb


def _noise(seed, scale=1.0, smooth=1):
    n = _rng(seed).random((SIZE, SIZE))
    for _ in range(smooth):
        n = (n + np.roll(n, 1, 0) + np.roll(n, 1, 1) + np.roll(n, -1, 0) + np.roll(n, -1, 1)) / 5
    return (n - n.mean()) * scale


def floor():
    """A flagstone floor: four slabs, each a shade apart, with bevelled edges and grain."""
    v = np.full((SIZE, SIZE), 0.70) + _noise(2, 0.20, 2)
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    shades = {(0, 0): 0.02, (16, 0): -0.03, (0, 16): -0.01, (16, 16): 0.03}
    for (slab_x, slab_y), shade in shades.items():
        sx, sy = xx - slab_x, yy - slab_y
        inside = (sx >= 0) & (sx < 16) & (sy >= 0) & (sy < 16)
        v[inside] += shade
        v[inside & (sy == 0)] += 0.10
        v[inside & (sx == 0)] += 0.06
        v[inside & (sy == 15)] -= 0.20
        v[inside & (sx == 15)] -= 0.14
    # A few worn spots give the slabs some character without a pattern that repeats loudly.
    for (cx, cy) in ((6, 9), (25, 22), (22, 6)):
        d = np.hypot(xx - cx, yy - cy)
        v -= 0.05 * np.clip(1 - d / 3.5, 0, 1)
    return _grey(v)


def pit():
    """A dark hole: deep blue-grey, never black, with a faint rim of rubble."""
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    base = 0.10 + _noise(5, 0.05, 1)
    d = np.maximum(np.abs(xx - 15.5), np.abs(yy - 15.5)) / 16
    v = base + 0.05 * d
    rgb = np.stack([v * 0.85, v * 0.9, v * 1.15], axis=2)
    img = px.from_float(np.clip(rgb, 0.03, 1))
    return img


def pit_edge():
    """A pit just south of floor: the floor's cliff face falls away into the dark."""
    img = pit()
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    face = np.zeros((SIZE, SIZE))
    depth = 12
    for y in range(depth):
        face[y] = 0.75 - 0.55 * (y / depth)
    face += _noise(7, 0.12, 1)
    rows = yy < depth
    # Stone courses in the face, and its lip.
    face[3] -= 0.12
    face[7] -= 0.08
    face[0] += 0.15
    face[depth - 1] *= 0.6
    jag = (xx * 7 % 5 == 0) & (yy == depth)
    grey = _grey(face)
    img[rows] = grey[rows]
    img[jag] = grey[depth - 1, 0]
    return img


def brick():
    """A stone block seen from above and in front: a light top and a coursed face.

    Drawn 16 pixels up, so its face stands on the back half of the cell."""
    v = np.zeros((SIZE, SIZE))
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    top = yy < 10
    v[top] = 0.95 + _noise(11, 0.10, 1)[top]
    face = ~top
    # The face darkens towards the floor, as if lit from above.
    v[face] = (0.86 - 0.16 * (yy - 10) / 22 + _noise(12, 0.16, 1))[face]
    # Mortar courses with the joints staggered; each stone has a lit top edge.
    for row in (10, 17, 24):
        v[row] = 0.46
    for i, y0 in enumerate((11, 18, 25)):
        offs = (4, 12, 20, 28) if i % 2 else (0, 8, 16, 24)
        for x0 in offs:
            if 0 < x0 < SIZE:
                v[y0:y0 + 6, x0] = 0.48
                if x0 + 1 < SIZE:
                    v[y0:y0 + 6, x0 + 1] += 0.05
        v[y0, :] += 0.07
    # Top face: a bright front lip and a slightly darker back edge.
    v[0, :] = 0.80
    v[1, :] = 1.0
    v[8, :] = 1.0
    v[9, :] = 0.90
    v[:, 0] -= 0.12
    v[:, 31] -= 0.25
    v[31, :] = 0.32
    return _grey(v)


def trap(sprung):
    """A riveted steel plate set in the floor; sprung, its middle has dropped."""
    v = np.full((SIZE, SIZE), 0.0)
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    plate = (xx >= 3) & (xx <= 28) & (yy >= 3) & (yy <= 28)
    v[plate] = 0.82 + _noise(21, 0.08, 1)[plate]
    v[plate & ((xx == 3) | (yy == 3))] = 1.0
    v[plate & ((xx == 28) | (yy == 28))] = 0.45
    # Diagonal hazard stripes around a centre disk.
    ring = plate & ((xx + yy) // 3 % 2 == 0) & ((xx < 7) | (xx > 24) | (yy < 7) | (yy > 24))
    v[ring] -= 0.30
    d = np.hypot(xx - 15.5, yy - 15.5)
    disk = d < 7
    if sprung:
        v[disk] = 0.22 + 0.3 * (d[disk] / 7)
        v[(d >= 7) & (d < 8)] = 0.95
        # Split lines where the plate gave way.
        for i in range(-6, 7):
            v[16 + i, 16 + i] = 0.12
            v[16 + i, 15 - i] = 0.12
    else:
        v[disk] = 0.95 - 0.25 * (d[disk] / 7)
        v[(d >= 7) & (d < 8)] = 0.40
    for (rx, ry) in ((6, 6), (25, 6), (6, 25), (25, 25)):
        v[ry, rx], v[ry + 1, rx + 1] = 1.0, 0.40
    img = _grey(v)
    img[~plate] = 0
    return img


def glow():
    """A soft round white glow for light blending: bright middle, black rim."""
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    d = np.hypot(xx - 15.5, yy - 15.5) / 15.5
    v = np.clip(1 - d, 0, 1) ** 1.8
    g = px.from_float(v)
    return np.stack([g, g, g], axis=2)


def star():
    """A small white star: a bright dot with four short rays."""
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    dx, dy = np.abs(xx - 15.5), np.abs(yy - 15.5)
    d = np.hypot(dx, dy)
    core = np.clip(1.3 - d / 3.5, 0, 1)
    rays = np.clip(1 - np.minimum(dx, dy) / 1.2, 0, 1) * np.clip(1 - d / 11, 0, 1)
    v = np.clip(np.maximum(core, rays * 0.9), 0, 1)
    v[v < 0.08] = 0
    g = px.from_float(v)
    return np.stack([g, g, g], axis=2)


def flame():
    """A small teardrop of fire: many add up over a torch, so it is red-heavy and dim
    enough that a column of them glows orange and yellow rather than white."""
    yy, xx = np.mgrid[0:SIZE, 0:SIZE].astype(float)
    # Round at the bottom, drawn to a point at the top.
    cy, radius = 19.0, 7.0
    t = np.clip((cy - yy) / 13.0, 0, 1)
    width = np.where(yy >= cy, radius, radius * (1 - t) ** 0.8)
    dx = np.abs(xx - 15.5)
    dyb = np.maximum(yy - cy, 0)
    d = np.where(yy >= cy, np.hypot(dx, dyb) / radius, dx / np.maximum(width, 0.01))
    inside = (d < 1) & (yy > 5)
    heat = np.clip(1 - d, 0, 1)
    r = np.where(inside, 0.55 + 0.45 * heat ** 0.5, 0)
    g = np.where(inside, 0.12 + 0.58 * heat ** 1.2, 0)
    b = np.where(inside, 0.02 + 0.30 * heat ** 3, 0)
    rgb = np.stack([r, g, b], axis=2) * np.clip(heat * 2.5, 0, 1)[..., None]
    img = px.from_float(rgb)
    img[~img.any(axis=2) & inside] = 1
    return img


def smoke():
    """A round grey puff: light top, mid-grey underside, a clean edge (no dark fringe)."""
    yy, xx = np.mgrid[0:SIZE, 0:SIZE].astype(float)
    a = np.arctan2(yy - 15.5, xx - 15.5)
    r = 8.0 + 0.6 * np.sin(5 * a) + 0.4 * np.sin(3 * a + 1.0)
    m = np.hypot(xx - 15.5, yy - 15.5) < r
    v = 0.70 - 0.30 * (yy - 8) / 16 + _noise(31, 0.08, 2)
    v = np.clip(v, 0.38, 0.80)
    img = _grey(v)
    img[~m] = 0
    return img


def glass_plate():
    """A pane of glass the size of a cell, laid over a pit (drawn half transparent)."""
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    rgb = np.zeros((SIZE, SIZE, 3))
    rgb[:] = (0.55, 0.82, 0.95)
    streak = ((xx + yy) % 16 < 2) | ((xx + yy + 5) % 16 == 0)
    rgb[streak] = (0.92, 0.98, 1.0)
    edge = (xx == 0) | (yy == 0) | (xx == 31) | (yy == 31)
    rgb[edge] = (0.80, 0.92, 1.0)
    inner = (xx == 1) | (yy == 1)
    rgb[inner] = (1.0, 1.0, 1.0)
    return px.from_float(rgb)


def coin(width):
    """A gold coin turned so that it shows width pixels (spinning frames)."""
    yy, xx = np.mgrid[0:SIZE, 0:SIZE].astype(float)
    r = 8.0
    half = max(width / 2.0, 0.6)
    dx, dy = (xx - 15.5) / half, (yy - 15.5) / r
    d = np.hypot(dx, dy)
    inside = d < 1
    rgb = np.zeros((SIZE, SIZE, 3))
    shade = np.clip(1.0 - 0.35 * (dx + dy + 1) / 2, 0.55, 1)
    rgb[inside] = np.stack([shade, shade * 0.78, shade * 0.18], axis=-1)[inside]
    rim = inside & (d > 0.78)
    rgb[rim] = (0.80, 0.52, 0.08)
    if width > 6:
        star_m = inside & (d < 0.5) & (np.abs(dx) + np.abs(dy) < 0.55)
        rgb[star_m] = (1.0, 0.97, 0.65)
    shine = inside & (dx < -0.2) & (dy < -0.2) & (d > 0.45) & (d < 0.7)
    rgb[shine] = (1.0, 1.0, 0.9)
    img = px.from_float(rgb)
    img = px.outline(img, (110, 60, 10))
    return img
