"""Pickups, hazards and the remote as text grids (plus small procedures)."""

import numpy as np
from scipy.ndimage import distance_transform_edt

import pixelart as px
import textures

# ---------------------------------------------------------------- beer
BEER_PAL = {
    "o": (58, 36, 20), "g": (232, 242, 252), "G": (176, 198, 216), "a": (246, 178, 42),
    "A": (206, 126, 22), "f": (255, 255, 246), "F": (224, 220, 200), "i": (255, 232, 160),
}

MUG = """
..offofffo.....
.offffffffo....
offfFfffFffo...
oFfFFFfFFFFo...
ogaaaaaaaaGoooo
ogaaaaaaaaGo..o
ogaaaaaaaaGo..o
ogaaaaaaaaGo..o
ogaaaaaaaaGo..o
ogaaaaaaaAGo..o
ogaaaaaaaAGo..o
ogaaaaaaaAGoooo
ogAaaaaaAAGo...
ogAAaaaAAAGo...
oggggggggGGo...
.oooooooooo....
"""

FOAM_TOPS = ("..offofffo.....", "..offoffffo....", "...offofffo....", "..ofofffffo....")

# Bubbles rise one row a frame: (column, row in the beer at frame 0).
BUBBLES = ((3, 12), (7, 9), (5, 6), (8, 13), (3, 7))


def beer(frame):
    rows = MUG.strip("\n").split("\n")
    rows[0] = FOAM_TOPS[frame]
    img = px.parse("\n".join(rows), BEER_PAL)
    for (bx, by) in BUBBLES:
        y = 4 + (by - 4 - 2 * frame) % 10
        img[y, bx] = BEER_PAL["i"]
    return px.bottom(img, margin=4, dx=1)


BEER_ICON = """
.ooooooo...
offffffo...
offFfFFfooo
oaaaaaaGo.o
oaiaaaaGo.o
oaaaaiaGo.o
oaaaaaaGo.o
oAaaaaAGooo
oAAaaAAGo..
oggggggGo..
.ooooooo...
"""

# ---------------------------------------------------------------- glass
GLASS_PAL = {
    "o": (60, 96, 130), "c": (168, 222, 248), "C": (112, 176, 220), "w": (255, 255, 255),
    "k": (150, 100, 50), "K": (100, 64, 30),
}

GLASS_ICON = """
.oooooooo.
ocwcccccCo
ocwccccwCo
occcccwcCo
occccwccCo
ocwcwcccCo
ocwwccccCo
occcccccCo
occcccccCo
oCCCCCCCCo
.oooooooo.
"""


def pane(w, h):
    """One upright glass pane with a border and two shine streaks."""
    img = np.zeros((h, w, 3), np.uint8)
    img[:] = GLASS_PAL["c"]
    img[:, -2] = GLASS_PAL["C"]
    img[-2, :] = GLASS_PAL["C"]
    for y in range(h):
        for dx in (2, 5):
            x = w - 1 - (y * (w - 2) // h) - dx + 2
            if 1 <= x < w - 1:
                img[y, x] = GLASS_PAL["w"]
    img[0, :] = img[-1, :] = img[:, 0] = img[:, -1] = GLASS_PAL["o"]
    return img


def glass_stack():
    """Three panes leaning in a little wooden rack."""
    img = px.canvas()
    for i, x in enumerate((5, 10, 15)):
        px.paste(img, pane(12, 20), x, 5 + i)
    rack = np.zeros((4, 26, 3), np.uint8)
    rack[:] = GLASS_PAL["k"]
    rack[-1] = GLASS_PAL["K"]
    rack[0, :] = rack[:, 0] = rack[:, -1] = GLASS_PAL["K"]
    px.paste(img, rack, 3, 25)
    return img


# ---------------------------------------------------------------- TNT
TNT_PAL = {
    "o": (60, 22, 20), "r": (222, 52, 40), "R": (158, 30, 26), "p": (255, 130, 110),
    "k": (238, 222, 172), "K": (188, 168, 120), "f": (210, 190, 150), "s": (255, 250, 170),
    "S": (255, 166, 40), "t": (150, 26, 24),
    "c": (70, 64, 60), "C": (44, 40, 38), "e": (255, 120, 40), "E": (255, 204, 90), "q": (112, 92, 62),
    "m": (160, 160, 170), "M": (200, 200, 210),
}

TNT = """
.........sS.....
........SsS.....
.......S.f.S....
........f.......
.......f........
oooooooooooooooo
oprrRoprrRoprrRo
oprrRoprrRoprrRo
okkkkkkkkkkkkkko
oktttktkktktttko
okktkkttktkktkko
okktkktkttkktkko
okktkktkktkktkko
oKKKKKKKKKKKKKKo
oprrRoprrRoprrRo
oprrRoprrRoprrRo
oprrRoprrRoprrRo
oRRRRoRRRRoRRRRo
oooooooooooooooo
"""

SPENT_TNT = """
.......m........
......mM...m....
.......m..mM....
........mm......
.........m......
................
................
................
................
......oooo......
......oeEo......
.oooo.occo.oooo.
.oEeo.oCco.oeEo.
.occo.occo.occo.
.oCco.oCco.occo.
.occo.occo.oCco.
.oCCo.oCCo.oCCo.
oqqqqqqqqqqqqqqo
oooooooooooooooo
"""

# ---------------------------------------------------------------- flower pot
POT_PAL = {
    "o": (70, 34, 22), "t": (214, 112, 62), "T": (160, 76, 40), "p": (244, 156, 100),
    "l": (90, 196, 76), "L": (44, 134, 52), "f": (250, 96, 164), "F": (255, 224, 70),
}

POT = """
.......ff.......
......fFFf......
.......ff.......
..ll....L...ll..
.lLLl...L..lLLl.
..llLl..L.lLll..
....lLl.LlLl....
......lLLl......
oooooooooooooooo
oppppttttttttTTo
oTTTTTTTTTTTTTTo
.otpttttttttTTo.
.otpttttttttTTo.
.otpttttttttTTo.
..otptttttttTo..
..otptttttttTo..
..otptttttttTo..
...oTTTTTTTTo...
...oooooooooo...
"""


def pot():
    return px.centred(px.parse(POT, POT_PAL))


def pot_halves():
    """The pot broken along a jagged crack into a left and a right half."""
    whole = px.parse(POT, POT_PAL)
    left, right = np.zeros_like(whole), np.zeros_like(whole)
    for y in range(whole.shape[0]):
        split = 8 + (1 if y % 3 == 0 else (-1 if y % 3 == 2 else 0))
        if y < 8:  # the plant tumbles out with the left half
            left[y] = whole[y]
            continue
        left[y, :split] = whole[y, :split]
        right[y, split:] = whole[y, split:]
        if y >= 8:
            left[y, split - 1] = POT_PAL["o"] if left[y, split - 1].any() else 0
            right[y, split] = POT_PAL["o"] if right[y, split].any() else 0
    return px.centred(left, dx=-2), px.centred(right, dx=2)


# ---------------------------------------------------------------- the shot
SHOT_PAL = {"o": (34, 34, 46), "b": (96, 100, 118), "B": (64, 66, 80), "w": (214, 220, 236),
            "l": (210, 228, 255), "L": (140, 170, 230)}


def shot_from_left():
    """A cannonball flying right, speed lines behind it; its rows lie across his body."""
    img = px.canvas()
    yy, xx = np.mgrid[0:32, 0:32]
    d = np.hypot(xx - 23.5, yy - 16.5)
    ball = d < 5.6
    img[ball] = SHOT_PAL["b"]
    img[ball & ((xx - 23.5) + (yy - 16.5) > 3)] = SHOT_PAL["B"]
    img[(np.hypot(xx - 21.5, yy - 14.5) < 1.6)] = SHOT_PAL["w"]
    img = px.outline(img, SHOT_PAL["o"])
    for row, x0, x1, c in ((13, 8, 17, "L"), (16, 3, 16, "l"), (19, 8, 17, "L"),
                           (15, 12, 16, "l"), (17, 12, 16, "l")):
        img[row, x0:x1] = SHOT_PAL[c]
    return img


# ---------------------------------------------------------------- torch
TORCH_PAL = {"o": (150, 130, 120), "c": (255, 230, 120), "C": (255, 180, 70),
             "m": (250, 250, 255), "M": (200, 200, 215), "w": (255, 222, 160),
             "W": (236, 176, 106)}

TORCH = """
.oooooooo.
ocCcCcCcCo
ommmmmmmmo
.oMmmmmMo.
..oMmmMo..
...owWo...
...owWo...
ommowWommo
oMMowWoMMo
...owWo...
...owWo...
...owWo...
...oWWo...
....oo....
"""


def torch():
    img = px.canvas()
    return px.paste(img, px.parse(TORCH, TORCH_PAL), 11, 10)


# ---------------------------------------------------------------- the remote
REMOTE_PAL = {
    "o": (26, 26, 38), "l": (150, 156, 178), "c": (92, 96, 116), "d": (60, 62, 78),
    "R": (236, 44, 44), "r": (176, 24, 30), "P": (255, 160, 160), "K": (176, 178, 196),
    "Y": (250, 210, 60), "B": (80, 150, 255), "W": (236, 236, 240), "I": (120, 40, 60),
    "G": (70, 255, 120), "g": (28, 96, 44), "J": (255, 90, 110),
}

REMOTE = """
..ooooooooo..
.olllllllllo.
olcccccccccdo
olcGcccccIcdo
olcccccccccdo
olccoooooccdo
olcoRPRRRocdo
olcoRRRRRocdo
olcoRRRRrocdo
olccoooooccdo
olcccccccccdo
olccYcBcWccdo
olcccccccccdo
olccKcKcKccdo
olcccccccccdo
olccKcKcKccdo
olcccccccccdo
olccKcKcKccdo
olcccccccccdo
olccKcKcKccdo
olcccccccccdo
olcccKKKcccdo
olcccccccccdo
.odddddddddo.
..ooooooooo..
"""

# Where the remote sits in its 32x32 frame.
REMOTE_X, REMOTE_Y = 10, 3

# Lights of the four "complete" frames: (LED, IR window, top key row).
REMOTE_LIGHTS = (("G", "I", "YBW"), ("g", "J", "YBW"), ("G", "J", "WYB"), ("g", "I", "BWY"))


def remote(lights=0):
    rows = REMOTE.strip("\n").split("\n")
    led, ir, keys = REMOTE_LIGHTS[lights]
    rows[3] = rows[3][:3] + led + rows[3][4:9] + ir + rows[3][10:]
    rows[11] = rows[11][:4] + keys[0] + "c" + keys[1] + "c" + keys[2] + rows[11][9:]
    return px.parse("\n".join(rows), REMOTE_PAL)


def remote_frame(lights=0):
    return px.paste(px.canvas(), remote(lights), REMOTE_X, REMOTE_Y)


def piece_index():
    """Which of the five pieces each pixel of the remote belongs to, cut along zigzags."""
    h, w = remote().shape[:2]
    cuts = (5, 10, 15, 20)
    idx = np.zeros((h, w), int)
    for y in range(h):
        for x in range(w):
            jag = (x // 2) % 2
            idx[y, x] = sum(1 for c in cuts if y >= c + jag)
    return idx


def pieces_held():
    """Pieces 1 to 5 placed exactly where they sit in the complete remote frame."""
    whole = remote()
    idx = piece_index()
    out = []
    for k in range(5):
        img = whole.copy()
        img[idx != k] = 0
        out.append(px.paste(px.canvas(), img, REMOTE_X, REMOTE_Y))
    return out


def remote_outline():
    """The remote's silhouette as a light rim with a soft halo: the empty slot in
    the HUD, and, light-blended five times over, the remote's glow."""
    m = px.solid(remote_frame())
    shrink = m.copy()
    for dy, dx in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        shrink &= np.roll(np.roll(m, dy, 0), dx, 1)
    d = distance_transform_edt(~m)
    img = px.canvas()
    halo = (d > 0) & (d < 4.5)
    fall = np.clip(1 - (d - 1) / 3.5, 0, 1) ** 1.4
    colour = np.array((96, 140, 214), float)
    img[halo] = np.clip(colour * (0.08 + 0.42 * fall[halo, None]), 1, 255).astype(np.uint8)
    img[m & ~shrink] = (150, 196, 250)
    return img


SHADOW = (24, 22, 30)


def with_shadow(img, width, y):
    """Adds a small dark oval under a picture lying on the floor."""
    out = px.canvas()
    yy, xx = np.mgrid[0:32, 0:32]
    oval = ((xx - 15.5) / (width / 2)) ** 2 + ((yy - y) / 2.2) ** 2 < 1
    out[oval] = SHADOW
    return px.paste(out, img, 0, 0)


def crop(img):
    m = px.solid(img)
    ys, xs = np.where(m)
    return img[ys.min():ys.max() + 1, xs.min():xs.max() + 1]


def pieces_lying():
    """The pieces as found in a realm: shown at twice their size so they stand out,
    each centred in its cell on a small shadow, every other one turned round."""
    out = []
    for k, held in enumerate(pieces_held()):
        piece = crop(held)
        if k % 2:
            piece = piece[:, ::-1]
        piece = piece.repeat(2, axis=0).repeat(2, axis=1)
        framed = px.centred(piece, dy=-1)
        out.append(sparkle(with_shadow(framed, piece.shape[1] + 2, 15 + piece.shape[0] / 2), k))
    return out


def sparkle(img, phase):
    """A tiny glint that catches the eye, in one of four places."""
    pts = ((8, 8), (23, 7), (24, 21), (7, 22))
    x, y = pts[phase % 4]
    out = img.copy()
    for dx, dy in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1)):
        if not out[y + dy, x + dx].any():
            out[y + dy, x + dx] = (255, 255, 210) if (dx, dy) == (0, 0) else (200, 200, 160)
    return out


def remote_lying(frame):
    """The whole remote on the floor, bobbing and glinting (four frames)."""
    bob = (0, -1, -2, -1)[frame]
    img = px.shift(remote_frame(frame % 4), 0, bob + 1)
    img = with_shadow(img, 14, 29)
    return sparkle(img, frame)


def frames():
    halves = pot_halves()
    held = pieces_held()
    lying = pieces_lying()
    out = {
        6: torch(),
        21: px.bottom(px.parse(TNT, TNT_PAL), margin=2),
        22: px.bottom(px.parse(SPENT_TNT, TNT_PAL), margin=2),
        31: beer(0), 32: beer(1), 33: beer(2), 34: beer(3),
        35: glass_stack(),
        36: pot(),
        37: px.mirror(shot_from_left()),
        38: shot_from_left(),
        39: px.centred(px.parse(BEER_ICON, BEER_PAL)),
        40: px.centred(px.parse(GLASS_ICON, GLASS_PAL)),
        41: remote_outline(),
        78: halves[0],
        79: halves[1],
    }
    for i in range(4):
        out[42 + i] = remote_frame(i)
        out[56 + i] = remote_lying(i)
    for k in range(5):
        out[46 + k] = held[k]
        out[51 + k] = lying[k]
    for i, w in enumerate((16, 11, 3, 11)):
        out[27 + i] = textures.coin(w)
    return out
