"""Bodger himself: head, body and legs as text grids, put together per frame.

A figure frame is 32x32 and drawn 16 pixels above his cell's centre, so the
frame's bottom row is where he stands and his cap reaches into the cell above.
Head 14 wide at column 9, body 16 wide at column 8, legs 12 wide at column 10.
"""


import pixelart as px

PAL = {
    "o": (46, 28, 24),     # outline, dark brown (never pure black)
    "r": (226, 56, 46),    # cap
    "R": (160, 34, 34),    # cap band and peak
    "q": (255, 140, 110),  # cap shine
    "h": (146, 84, 38),    # hair
    "H": (104, 58, 26),    # hair shade
    "s": (252, 206, 166),  # skin
    "S": (222, 160, 120),  # skin shade
    "w": (255, 255, 255),  # eye white
    "e": (34, 36, 76),     # pupil
    "m": (186, 62, 62),    # mouth
    "t": (84, 184, 92),    # shirt
    "T": (48, 128, 62),    # shirt shade
    "g": (150, 222, 140),  # shirt shine
    "k": (96, 62, 30),     # belt
    "y": (240, 200, 60),   # buckle
    "j": (78, 112, 204),   # jeans
    "J": (50, 74, 150),    # jeans shade
    "b": (126, 74, 36),    # shoes
    "B": (84, 46, 24),     # shoe shade
    "x": (34, 36, 76),     # knocked-out eyes
    "z": (255, 240, 120),  # dizzy stars
}

HEAD_FRONT = """
....oooooo....
..oorrrrqroo..
.orrrrrrrrqro.
.orrrrrrrrrro.
oRRRRRRRRRRRRo
ohhssssssssHho
ohswwssssswwho
osswessssewsso
osswessssewsso
oSsssssSssssSo
.oSssmmmmssSo.
..oSSssssSSo..
...oooooooo...
"""

# Eye rows (6 to 8) of the other faces.
EYES = {
    "front": ("ohswwssssswwho", "osswessssewsso", "osswessssewsso"),
    "blink": ("ohssssssssssho", "osssssssssssso", "osseessssseeso"),
    "left": ("ohswwssssswwho", "ossewsssseswso", "ossewsssseswso"),
    "right": ("ohswwssssswwho", "osswesssswesso", "osswesssswesso"),
    "ko": ("ohsxsxsssxsxho", "osssxssssxssso", "ossxsxssxsxsso"),
    "fright": ("ohwwwsssswwwho", "ohwewsssswewho", "ohwwwsssswwwho"),
}

MOUTHS = {
    "smile": ".oSssmmmmssSo.",
    "open": ".oSsssmmsssSo.",
    "yell": ".oSssommossSo.",
}

HEAD_BACK = """
....oooooo....
..oorrrrrroo..
.orrrrrrrrrro.
.orrrrrrrrrro.
oRRRRRRRRRRRRo
ohhhhhhhhhhhho
ohhhHhhhhHhhho
ohhHhhhhhhHhho
oshhhhhhhhhhso
oShhhHhhHhhhSo
.oHhhhhhhhhHo.
..oSsssssSSo..
...oooooooo...
"""

HEAD_SIDE = """
.....oooooo...
...oorrrrrqro.
..orrrrrrrrqro
..orrrrrrrrrro
ooRRRRRRRRRRRo
..osssssHhhhho
..oewsssshHhho
..oewssSsShhho
.osssssssShhho
..oSsssssShhho
..osmmsssShho.
...oSSssSSoo..
....ooooooo...
"""

BODY_FRONT = """
...oooooooooo...
..otgttttttttoo.
.otgtttttttttTo.
.ottotttttttoTo.
.ottotttttttoTo.
.otTotttttttoTo.
.osSoTTttTTToso.
..oookkkykkkoo..
...ojjjjjjJjo...
...ojjjjJjjjo...
"""

BODY_BACK = """
...oooooooooo...
..otttttttttoo..
.otTttttttttTto.
.ottottttttotTo.
.ottottttttotTo.
.otTotTttTtotTo.
.osSoTTTTTTToso.
..oookkkkkkkoo..
...ojjjjjjJjo...
...ojjjJjjjjo...
"""

# The body with the arms thrown up; the arms themselves are drawn by arms_up().
BODY_NO_ARMS = """
...oooooooooo...
..ottgttttttto..
..otgtttttttTo..
..otgtttttttTo..
..ottttttttTTo..
..otttttttTTTo..
..oTTttttTTTTo..
..oookkkykkkoo..
...ojjjjjjJjo...
...ojjjjJjjjo...
"""

# Facing left; the arm swings with the stride.
BODY_SIDE = {
    "a": """
....oooooooo....
...otgttttttoo..
..otgtttttttTo..
..otottttttTTo..
..otTottttTTTo..
..osoTtttTTTto..
..oSoTttTTTTso..
...ookkkkkkoo...
....ojjjjjjo....
....ojjjjJjo....
""",
    "b": """
....oooooooo....
...otgttttttoo..
..otgtttttttTo..
..ottotttttTTo..
..ottotttttTTo..
..ottTotttTTTo..
..otTToTtTTTTo..
...oookksssoo...
....ojjjSSjo....
....ojjjjJjo....
""",
}

LEGS_FRONT = {
    "stand": """
..ojjjjjjjo.
..ojjjoJjjo.
..ojjjoJjjo.
..ojjJoJjjo.
..ojjJoJjjo.
..ojjJoJjJo.
.obbbooobbbo
.obbBBoobbBo
..oooo.oooo.
""",
    "step": """
..ojjjjjjjo.
..ojjjoJjjo.
..ojjjoJjjo.
..ojjJoJjjo.
..ojjJoobbbo
..ojjJoobbBo
.obbbo.oooo.
.obbBBo.....
..ooooo.....
""",
    "step2": """
..ojjjjjjjo.
..ojjjoJjjo.
..ojjjoJjjo.
..ojjJoJjjo.
obbboooJjJo.
obbBBooJjJo.
.oooo.obbbo.
......obbBo.
......oooo..
""",
}

LEGS_SIDE = {
    "a": """
...ojjjjjo..
...ojjjjJo..
..ojjjoJjo..
..ojjo.ojJo.
.ojjo..ojJo.
.ojJo...oJjo
obbbo..obbbo
obBBBo.obBBo
.oooo..ooooo
""",
    "b": """
...ojjjjjo..
...ojjjjJo..
...ojjjJjo..
...ojjjJjo..
...ojjJJjo..
...ojjJjjo..
..obbbbBjo..
..obBBBBBo..
...oooooo...
""",
}


def part(grid):
    return px.parse(grid, PAL)


def head_front(eyes="front", mouth="smile"):
    rows = HEAD_FRONT.strip("\n").split("\n")
    rows[6:9] = EYES[eyes]
    rows[10] = MOUTHS[mouth]
    return part("\n".join(rows))


def figure(head, body, legs, head_dx=0, body_dy=0):
    """Puts one figure together in a 32x32 frame, feet on the bottom row."""
    img = px.canvas()
    px.paste(img, part(legs) if isinstance(legs, str) else legs, 10, 23)
    px.paste(img, part(body) if isinstance(body, str) else body, 8, 13 + body_dy)
    px.paste(img, head, 9 + head_dx, body_dy)
    return img


def standing(eyes="front", bob=0):
    """Standing; bob sinks head and body by that many rows, the idle breath."""
    img = px.canvas()
    px.paste(img, part(LEGS_FRONT["stand"]), 10, 23)
    px.paste(img, part(BODY_FRONT), 8, 13 + bob)
    px.paste(img, head_front(eyes), 9, bob)
    return img


def walking_down(step):
    legs = LEGS_FRONT["step"] if step == 0 else LEGS_FRONT["step2"]
    return px.shift(figure(head_front(), BODY_FRONT, legs), 0, -1 if step else 0)


def walking_up(step):
    legs = LEGS_FRONT["step"] if step == 0 else LEGS_FRONT["step2"]
    img = figure(part(HEAD_BACK), BODY_BACK, legs)
    return px.shift(img, 0, -1 if step else 0)


def walking_left(step):
    key = "a" if step == 0 else "b"
    img = figure(part(HEAD_SIDE), BODY_SIDE[key], LEGS_SIDE[key], head_dx=-1)
    return px.shift(img, 0, -1 if step else 0)


def walking_right(step):
    return px.mirror(walking_left(step))


def squashed():
    """Struck from above: flattened to a pancake, knocked out, stars round his head."""
    full = figure(head_front("ko", "open"), BODY_FRONT, LEGS_FRONT["stand"])
    rows = [int(y * 32 / 19) for y in range(19)]
    cols = [int(16 + (x - 16) / 1.3) for x in range(32)]
    flat = full[rows][:, cols]
    img = px.canvas()
    img[32 - 19:] = flat
    stars = part("""
..z.............z..
.zzz....z......zzz.
..z....zzz......z..
........z..........
""")
    return px.paste(img, stars, 6, 6)


def _arm(img, shoulder, hand):
    """A raised arm: a sleeve from shoulder to hand, outlined, with a hand on the end."""
    arm = px.canvas()
    (x0, y0), (x1, y1) = shoulder, hand
    steps = max(abs(x1 - x0), abs(y1 - y0)) * 2
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        arm[y:y + 2, x:x + 2] = PAL["t"]
    arm[y1 - 1:y1 + 2, x1:x1 + 2] = PAL["s"]
    arm[y1 - 2, x1:x1 + 2] = PAL["s"]
    arm = px.outline(arm, PAL["o"])
    return px.paste(img, arm, 0, 0)


def arms_up(eyes="fright", mouth="yell", shoes=True):
    img = px.canvas()
    _arm(img, (10, 15), (6, 5))
    _arm(img, (21, 15), (25, 5))
    legs = part(LEGS_FRONT["stand"])
    if not shoes:
        legs[6:] = 0
        legs[6, 2:10] = px.lift(PAL["s"])
        legs[6, 6] = 0
        legs = px.outline(legs, PAL["o"])
    px.paste(img, legs, 10, 23)
    px.paste(img, part(BODY_NO_ARMS), 8, 13)
    px.paste(img, head_front(eyes, mouth), 9, 0)
    return img


def knocked_away():
    """The figure sent flying by the shot: arms up, knocked out, out of his shoes."""
    return arms_up("ko", "yell", shoes=False)


def shoes_left_behind():
    """What the shot leaves where he stood: his shoes, smoking."""
    img = px.canvas()
    legs = part(LEGS_FRONT["stand"])
    px.paste(img, legs[6:], 10, 29)
    smoke = px.parse("""
...l.......l..
..lL......lL..
..L.......L...
..lL.......L..
...Ll.....lL..
....l......l..
""", {"l": (170, 170, 180), "L": (225, 225, 232)})
    px.paste(img, smoke, 9, 22)
    return img


def falling():
    """Tumbling into a pit: arms up, mouth wide, eyes popping."""
    return arms_up()


def frames():
    """The player's frames by sheet number."""
    return {
        # The idle loop swaps 62 and 63 every 20 frames: a slow breath, not a blink.
        62: standing("front"),
        63: standing("front", bob=1),
        64: standing("left"),
        65: standing("right"),
        66: walking_down(0),
        67: walking_down(1),
        68: walking_up(0),
        69: walking_up(1),
        70: walking_left(0),
        71: walking_left(1),
        72: walking_right(0),
        73: walking_right(1),
        77: squashed(),
        84: shoes_left_behind(),
        85: knocked_away(),
        90: falling(),
    }
