#!/usr/bin/env python3
"""Writes the SVG sources of every Lumo picture and a manifest for build.sh.

Usage: lumo_art.py REPO_ROOT OUT_DIR

Each manifest line is: svg-file width height target kind
kind is png (RGBA), jpg (baseline RGB), clock (opaque over the panel band)
or svg (the source itself).
The level pictures are drawn from the level files, so the walls the player
sees are the walls the game collides with.
"""
import math
import os
import sys

INK = "#2d2a4a"
YELLOW = "#ffd23f"
YELLOW_DARK = "#f4a300"
RED = "#ef476f"
RED_DARK = "#c4213f"
GREEN = "#3bc47a"
BLUE = "#4cc9f0"
PURPLE = "#7b61ff"
ORANGE = "#ff9f1c"
WHITE = "#ffffff"
CHEEK = "#ff8fa3"
SKIN = "#ffd3a8"
PANEL = "#262a52"
PANEL_LIGHT = "#363c72"
CARD = "#1f2347"

TITLE_FONT = "Comic Neue"
DIGIT_FONT = "DejaVu Sans"

# Floor, floor detail, wall fill, wall edge and wall light per level.
LEVEL_STYLE = {
    1: dict(floor="#bfe8b4", dot="#aedca2", wall="#b0703c", edge="#6e4020", light="#d08c52"),
    2: dict(floor="#bfe2f2", dot="#acd5ea", wall="#e8604c", edge="#92301f", light="#f5866f"),
    3: dict(floor="#e6dcf2", dot="#d8cbe8", wall="#5b4aa8", edge="#2f2570", light="#7d6bcc"),
}
WALLS_PER_LEVEL = {1: 4, 2: 2, 3: 8}


# ---------------------------------------------------------------- helpers

def svg(w, h, body, bg=None):
    back = f'<rect width="{w}" height="{h}" fill="{bg}"/>' if bg else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">{back}{body}</svg>\n')


def esc(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def text(x, y, s, size, fill=WHITE, anchor="start", family=TITLE_FONT, weight="bold",
         outline=None, ow=0, extra=""):
    stroke = (f' stroke="{outline}" stroke-width="{ow}" stroke-linejoin="round" '
              f'paint-order="stroke"') if outline else ""
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-weight="{weight}" '
            f'font-size="{size}" fill="{fill}" text-anchor="{anchor}"{stroke} {extra}>'
            f'{esc(s)}</text>')


def group(body, dx=0, dy=0, s=1.0):
    return f'<g transform="translate({dx} {dy}) scale({s})">{body}</g>'


def inset(picture, dx, dy, s=1.0):
    """Another generated picture, whole, placed and scaled inside this one."""
    return group(picture.strip(), dx, dy, s)


def centred(body, cx, cy, scale, to_x=20, to_y=20):
    """The drawing scaled about its middle (cx, cy), which lands on (to_x, to_y)."""
    return (f'<g transform="translate({to_x} {to_y}) scale({scale}) translate({-cx} {-cy})">'
            f'{body}</g>')


def pill(x, y, w, h, fill, stroke=INK, sw=3):
    r = h / 2
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{sw}"/>')


# ---------------------------------------------------------------- characters
# Each returns SVG in its own box, top-left at (0, 0).

def face(cx, cy, r, sad=False, fill=YELLOW):
    """The player's face: the same round smiley everywhere it appears."""
    k = r / 18.0
    eye_y = cy - 4 * k
    parts = [f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}" stroke="{INK}" stroke-width="{2.6 * k}"/>',
             f'<ellipse cx="{cx - 4 * k}" cy="{cy - 7 * k}" rx="{9 * k}" ry="{5 * k}" fill="#fff3b0" opacity="0.7"/>']
    for sx in (-1, 1):
        ex = cx + sx * 6 * k
        parts.append(f'<ellipse cx="{ex}" cy="{eye_y}" rx="{2.6 * k}" ry="{3.6 * k}" fill="{INK}"/>')
        parts.append(f'<circle cx="{ex + 0.9 * k}" cy="{eye_y - 1.3 * k}" r="{1.0 * k}" fill="{WHITE}"/>')
    if sad:
        for sx in (-1, 1):
            parts.append(f'<path d="M{cx + sx * 3 * k} {eye_y - 7 * k} L{cx + sx * 10 * k} {eye_y - 4.5 * k}" '
                         f'stroke="{INK}" stroke-width="{1.8 * k}" stroke-linecap="round"/>')
        parts.append(f'<path d="M{cx - 7 * k} {cy + 10 * k} Q{cx} {cy + 3 * k} {cx + 7 * k} {cy + 10 * k}" '
                     f'fill="none" stroke="{INK}" stroke-width="{2.4 * k}" stroke-linecap="round"/>')
        parts.append(f'<path d="M{cx + 9 * k} {eye_y + 3 * k} q{-2.4 * k} {4 * k} 0 {6 * k} '
                     f'q{2.4 * k} {-2 * k} 0 {-6 * k}z" fill="{BLUE}" stroke="{INK}" stroke-width="{0.8 * k}"/>')
    else:
        for sx in (-1, 1):
            parts.append(f'<ellipse cx="{cx + sx * 11 * k}" cy="{cy + 4 * k}" rx="{3 * k}" ry="{2 * k}" fill="{CHEEK}" opacity="0.8"/>')
        parts.append(f'<path d="M{cx - 9 * k} {cy + 2 * k} Q{cx} {cy + 14 * k} {cx + 9 * k} {cy + 2 * k} Z" '
                     f'fill="{INK}" stroke="{INK}" stroke-width="{1.6 * k}" stroke-linejoin="round"/>')
        parts.append(f'<path d="M{cx - 4 * k} {cy + 8.6 * k} Q{cx} {cy + 6 * k} {cx + 4 * k} {cy + 8.6 * k} '
                     f'Q{cx} {cy + 11 * k} {cx - 4 * k} {cy + 8.6 * k}Z" fill="{RED}"/>')
    return "".join(parts)


def smile(sad=False):
    return face(20, 20, 18, sad)


def coco():
    # A cheeky little coconut on springy feet.
    return "".join([
        f'<path d="M10 24 l-2 4 M20 24 l2 4" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>',
        f'<ellipse cx="15" cy="15" rx="12" ry="11.5" fill="#9b5e34" stroke="{INK}" stroke-width="2.2"/>',
        f'<path d="M7 9 q3 -3 6 -1 M17 7 q3 -1 5 2 M9 20 q2 1 4 0" stroke="#7a4524" stroke-width="1.3" fill="none" stroke-linecap="round"/>',
        f'<path d="M15 3.6 q-1 -3 2 -2.8 q3 0.5 1 3" fill="{GREEN}" stroke="{INK}" stroke-width="1.2"/>',
        f'<circle cx="11" cy="13" r="3.2" fill="{WHITE}" stroke="{INK}" stroke-width="1"/>',
        f'<circle cx="19" cy="13" r="3.2" fill="{WHITE}" stroke="{INK}" stroke-width="1"/>',
        f'<circle cx="12" cy="13.6" r="1.5" fill="{INK}"/><circle cx="20" cy="13.6" r="1.5" fill="{INK}"/>',
        f'<path d="M10 18.5 Q15 23 20 18.5" fill="{INK}" stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"/>',
        f'<path d="M14 20.4 q2 3 3.5 0" fill="{RED}"/>',
    ])


def esposa():
    # Angry, with her hair in a bun and a rolling pin raised.
    return "".join([
        f'<circle cx="17" cy="9" r="6.5" fill="#c0392b" stroke="{INK}" stroke-width="2"/>',
        f'<circle cx="18" cy="24" r="14" fill="{SKIN}" stroke="{INK}" stroke-width="2.2"/>',
        f'<path d="M4.6 22 Q6 10 18 10 Q30 10 31.4 22 Q26 15 18 15.5 Q10 15 4.6 22Z" fill="#d9452f" stroke="{INK}" stroke-width="1.6" stroke-linejoin="round"/>',
        f'<path d="M9 19.5 L15.5 22 M27 19.5 L20.5 22" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>',
        f'<circle cx="13" cy="24.5" r="1.8" fill="{INK}"/><circle cx="23" cy="24.5" r="1.8" fill="{INK}"/>',
        f'<path d="M12.5 32 Q18 28.5 23.5 32" fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>',
        f'<ellipse cx="9" cy="29" rx="2.5" ry="1.6" fill="{CHEEK}"/><ellipse cx="27" cy="29" rx="2.5" ry="1.6" fill="{CHEEK}"/>',
        # rolling pin
        f'<g transform="rotate(-40 36 15)">'
        f'<rect x="29" y="11" width="16" height="8" rx="3.5" fill="#e8b77a" stroke="{INK}" stroke-width="1.8"/>'
        f'<rect x="25.5" y="13.3" width="4" height="3.4" rx="1.6" fill="#c98d4a" stroke="{INK}" stroke-width="1.2"/>'
        f'<rect x="44.5" y="13.3" width="4" height="3.4" rx="1.6" fill="#c98d4a" stroke="{INK}" stroke-width="1.2"/>'
        f'</g>',
        f'<path d="M30 3 l2 3 M35 2.5 l0.5 3.5 M40 4 l-1.5 3" stroke="{RED}" stroke-width="1.4" stroke-linecap="round"/>',
    ])


def gangster():
    # Fedora and dark glasses.
    return "".join([
        f'<circle cx="21.5" cy="25" r="15" fill="{SKIN}" stroke="{INK}" stroke-width="2.2"/>',
        f'<path d="M12 33 Q21.5 40 31 33 Q30 37 21.5 38.5 Q13 37 12 33Z" fill="#b9a08a" opacity="0.6"/>',
        f'<path d="M2.5 16 Q21.5 10 40.5 16 Q41 19.5 37 18.5 Q21.5 15.5 6 18.5 Q2 19.5 2.5 16Z" fill="#3a3a48" stroke="{INK}" stroke-width="1.8" stroke-linejoin="round"/>',
        f'<path d="M9 16 Q9 3 21.5 3 Q34 3 34 16 Q21.5 13 9 16Z" fill="#4a4a5e" stroke="{INK}" stroke-width="1.8" stroke-linejoin="round"/>',
        f'<path d="M9.6 12.5 Q21.5 9.5 33.4 12.5 L33.8 15.5 Q21.5 12.5 9.2 15.5Z" fill="{RED}"/>',
        f'<path d="M18 5 Q21.5 7 25 5" fill="none" stroke="#2a2a36" stroke-width="1.4"/>',
        f'<rect x="9.5" y="21" width="10.5" height="7" rx="3" fill="#15151f" stroke="{INK}" stroke-width="1.2"/>',
        f'<rect x="23" y="21" width="10.5" height="7" rx="3" fill="#15151f" stroke="{INK}" stroke-width="1.2"/>',
        f'<path d="M20 23.5 h3" stroke="{INK}" stroke-width="1.6"/>',
        f'<path d="M11.5 22.5 l3 0" stroke="#8a8aa8" stroke-width="1.2" stroke-linecap="round"/>',
        f'<path d="M25 22.5 l3 0" stroke="#8a8aa8" stroke-width="1.2" stroke-linecap="round"/>',
        f'<path d="M16 33 Q22 35 27.5 31" fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>',
    ])


def ladrao():
    # Masked thief in a striped cap with his sack.
    return "".join([
        f'<path d="M24 20 Q37 18 36 30 Q35.5 38.5 27 38.5 Q21 38 21.5 30Z" fill="#d9b27a" stroke="{INK}" stroke-width="1.8" stroke-linejoin="round"/>',
        f'<path d="M24 20 l2 -3.5 l3 3" fill="#d9b27a" stroke="{INK}" stroke-width="1.6" stroke-linejoin="round"/>',
        f'<text x="29" y="34" font-family="{DIGIT_FONT}" font-weight="bold" font-size="9" fill="#7a5a2a" text-anchor="middle">$</text>',
        f'<circle cx="15.5" cy="23" r="13.5" fill="{SKIN}" stroke="{INK}" stroke-width="2.2"/>',
        f'<path d="M2.5 19.5 Q15.5 14 28.5 19.5 L28.5 25.5 Q15.5 21 2.5 25.5Z" fill="#1d1d29"/>',
        f'<ellipse cx="10.5" cy="21.8" rx="2.6" ry="2" fill="{WHITE}"/><ellipse cx="20.5" cy="21.8" rx="2.6" ry="2" fill="{WHITE}"/>',
        f'<circle cx="11.2" cy="22" r="1.2" fill="{INK}"/><circle cx="21.2" cy="22" r="1.2" fill="{INK}"/>',
        f'<path d="M3 16 Q4 3.5 15.5 3.5 Q27 3.5 28 16 Q15.5 12 3 16Z" fill="#e4e4ee" stroke="{INK}" stroke-width="1.8" stroke-linejoin="round"/>',
        f'<path d="M5 11 Q15.5 7 26.4 11 M8 6.8 Q15.5 4.5 23 6.8" fill="none" stroke="{RED}" stroke-width="2.3"/>',
        f'<path d="M11 30.5 Q15.5 33.5 20 30.5" fill="none" stroke="{INK}" stroke-width="1.8" stroke-linecap="round"/>',
    ])


# ---------------------------------------------------------------- items (39 x 50)

def item_tv():
    return "".join([
        f'<path d="M19.5 14 L10 3 M19.5 14 L29 4" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>',
        f'<circle cx="10" cy="3" r="2" fill="{RED}" stroke="{INK}" stroke-width="1"/>',
        f'<circle cx="29" cy="4" r="2" fill="{RED}" stroke="{INK}" stroke-width="1"/>',
        f'<rect x="2" y="13" width="35" height="28" rx="6" fill="{PURPLE}" stroke="{INK}" stroke-width="2.2"/>',
        f'<rect x="6" y="17" width="21" height="20" rx="4" fill="{BLUE}" stroke="{INK}" stroke-width="1.6"/>',
        f'<path d="M9 21 q5 -2 9 0" stroke="{WHITE}" stroke-width="2" fill="none" stroke-linecap="round" opacity="0.8"/>',
        f'<circle cx="32" cy="21" r="2.2" fill="{YELLOW}" stroke="{INK}" stroke-width="1"/>',
        f'<circle cx="32" cy="28" r="2.2" fill="{ORANGE}" stroke="{INK}" stroke-width="1"/>',
        f'<path d="M9 41 l-2 6 M30 41 l2 6" stroke="{INK}" stroke-width="2.4" stroke-linecap="round"/>',
    ])


def item_money():
    bills = []
    for i, (dy, rot) in enumerate([(30, -8), (23, 6), (15, -3)]):
        bills.append(
            f'<g transform="rotate({rot} 19.5 {dy + 8})">'
            f'<rect x="3" y="{dy}" width="33" height="17" rx="3" fill="#7fd48c" stroke="{INK}" stroke-width="1.8"/>'
            f'<rect x="6" y="{dy + 3}" width="27" height="11" rx="2" fill="none" stroke="#3c9a52" stroke-width="1"/>'
            f'<circle cx="19.5" cy="{dy + 8.5}" r="5" fill="#b8ebbe" stroke="#3c9a52" stroke-width="1"/>'
            f'<text x="19.5" y="{dy + 12}" font-family="{DIGIT_FONT}" font-weight="bold" font-size="9" '
            f'fill="#2a7a40" text-anchor="middle">$</text></g>')
    coin = (f'<circle cx="30" cy="8" r="6.5" fill="{YELLOW}" stroke="{INK}" stroke-width="1.8"/>'
            f'<circle cx="30" cy="8" r="3.6" fill="none" stroke="{YELLOW_DARK}" stroke-width="1.2"/>')
    return "".join(bills) + coin


def item_ball():
    wedges = []
    colours = [RED, WHITE, YELLOW, WHITE, BLUE, WHITE]
    for k, c in enumerate(colours):
        a1, a2 = math.radians(k * 60 - 90), math.radians(k * 60 - 30)
        wedges.append(f'<path d="M19.5 24 L{19.5 + 17 * math.cos(a1):.2f} {24 + 17 * math.sin(a1):.2f} '
                      f'A17 17 0 0 1 {19.5 + 17 * math.cos(a2):.2f} {24 + 17 * math.sin(a2):.2f}Z" fill="{c}"/>')
    return "".join([
        f'<ellipse cx="19.5" cy="46" rx="12" ry="2.6" fill="{INK}" opacity="0.25"/>',
        "".join(wedges),
        f'<circle cx="19.5" cy="24" r="17" fill="none" stroke="{INK}" stroke-width="2.2"/>',
        f'<circle cx="19.5" cy="24" r="3.2" fill="{GREEN}" stroke="{INK}" stroke-width="1.2"/>',
        f'<ellipse cx="12" cy="15" rx="4.5" ry="2.4" fill="{WHITE}" opacity="0.75" transform="rotate(-35 12 15)"/>',
    ])


def item_magazine():
    return "".join([
        f'<rect x="6" y="5" width="30" height="42" rx="2.5" fill="#e7e2f7" stroke="{INK}" stroke-width="1.6"/>',
        f'<rect x="3" y="2" width="30" height="43" rx="2.5" fill="{RED}" stroke="{INK}" stroke-width="2"/>',
        f'<rect x="5.5" y="5" width="25" height="8" rx="1.5" fill="{WHITE}"/>',
        f'<text x="18" y="12" font-family="{DIGIT_FONT}" font-weight="bold" font-size="7.4" fill="{RED}" '
        f'text-anchor="middle">MAG</text>',
        f'<circle cx="18" cy="27" r="8" fill="{YELLOW}" stroke="{INK}" stroke-width="1.4"/>',
        f'<path d="M14.5 28.5 Q18 32 21.5 28.5" fill="none" stroke="{INK}" stroke-width="1.4" stroke-linecap="round"/>',
        f'<circle cx="15.3" cy="25.3" r="1.1" fill="{INK}"/><circle cx="20.7" cy="25.3" r="1.1" fill="{INK}"/>',
        f'<path d="M6 38.5 h18 M6 41.5 h12" stroke="{WHITE}" stroke-width="1.6" stroke-linecap="round"/>',
        f'<path d="M28 33 l1.2 2.6 2.8 0.3 -2.1 1.9 0.6 2.8 -2.5 -1.4 -2.5 1.4 0.6 -2.8 -2.1 -1.9 2.8 -0.3z" fill="{YELLOW}" stroke="{INK}" stroke-width="0.8"/>',
    ])


def item_beer():
    return "".join([
        f'<path d="M16 2.5 h7 v10 q0 3 4 7.5 q3.5 3.5 3.5 8 v17 q0 3 -3 3 h-16 q-3 0 -3 -3 v-17 '
        f'q0 -4.5 3.5 -8 q4 -4.5 4 -7.5z" fill="#b5651d" stroke="{INK}" stroke-width="2.2" stroke-linejoin="round"/>',
        f'<rect x="14.5" y="1.5" width="10" height="4.5" rx="1.5" fill="{YELLOW}" stroke="{INK}" stroke-width="1.5"/>',
        f'<rect x="8.5" y="28" width="22" height="12" rx="2" fill="#fff1c9" stroke="{INK}" stroke-width="1.4"/>',
        f'<text x="19.5" y="37.3" font-family="{DIGIT_FONT}" font-weight="bold" font-size="8" fill="#b5651d" '
        f'text-anchor="middle">BEER</text>',
        f'<path d="M11.5 24 v-2 q1 -2.5 3 -4.2" stroke="#f0b070" stroke-width="2" fill="none" stroke-linecap="round"/>',
    ])


ITEMS = [("iTV", item_tv), ("iDinheiro", item_money), ("iBola", item_ball),
         ("iPlayboy", item_magazine), ("iCerveja", item_beer)]


# ---------------------------------------------------------------- panel, digits, clocks

def interface():
    band = 70
    parts = [
        f'<rect x="0" y="0" width="640" height="{band}" fill="{PANEL}"/>',
        f'<rect x="0" y="0" width="640" height="4" fill="{PANEL_LIGHT}"/>',
        f'<rect x="0" y="{band - 5}" width="640" height="5" fill="{YELLOW_DARK}"/>',
        f'<rect x="0" y="{band - 7}" width="640" height="2" fill="{INK}"/>',
    ]
    # Dark windows around the cells the game redraws (speed, elapsed, remaining).
    for x, w in ((75, 16), (400, 80), (550, 80)):
        parts.append(f'<rect x="{x - 5}" y="15" width="{w + 10}" height="31" rx="7" fill="#14172e" '
                     f'stroke="{PANEL_LIGHT}" stroke-width="2"/>')
    # What the digit counts: the speed-ups so far (0 at the start speed).
    parts.append(text(64, 31, "SPEED", 14, YELLOW, "end"))
    parts.append(text(64, 47, "UP", 14, YELLOW, "end"))
    parts.append(text(440, 60, "PLAYED", 12, "#c9cbe8", "middle"))
    parts.append(text(590, 60, "LEFT", 12, "#ffb3c1", "middle"))
    parts.append(face(132, 33, 19))
    parts.append(text(160, 47, "Lumo", 40, YELLOW, outline=INK, ow=5))
    parts.append(f'<rect x="0" y="{band}" width="640" height="{480 - band}" fill="none"/>')
    return svg(640, 480, "".join(parts))


def digit(ch, colour, dark):
    return svg(16, 21, text(8, 19, ch, 21, colour, "middle", DIGIT_FONT, outline=dark, ow=2.6))


def colon(colour, dark):
    return svg(16, 21, "".join(
        f'<circle cx="8" cy="{cy}" r="2.6" fill="{colour}" stroke="{dark}" stroke-width="1.4"/>'
        for cy in (7.5, 15.5)))


def clock(frame, body, rim):
    # The hand turns an eighth of a circle per frame; the silhouette never changes.
    a = math.radians(frame * 45 - 90)
    hx, hy = 25 + 13 * math.cos(a), 33 + 13 * math.sin(a)
    ticks = "".join(
        f'<circle cx="{25 + 15 * math.cos(math.radians(k * 30))}" cy="{33 + 15 * math.sin(math.radians(k * 30))}" '
        f'r="{1.6 if k % 3 == 0 else 1}" fill="{INK}"/>' for k in range(12))
    return svg(50, 58, "".join([
        f'<circle cx="11" cy="13" r="7" fill="{rim}" stroke="{INK}" stroke-width="2"/>',
        f'<circle cx="39" cy="13" r="7" fill="{rim}" stroke="{INK}" stroke-width="2"/>',
        f'<path d="M13 51 l-4 5 M37 51 l4 5" stroke="{INK}" stroke-width="3" stroke-linecap="round"/>',
        f'<circle cx="25" cy="33" r="21" fill="{body}" stroke="{INK}" stroke-width="2.4"/>',
        f'<circle cx="25" cy="33" r="17" fill="#fffdf3" stroke="{INK}" stroke-width="1.4"/>',
        ticks,
        f'<path d="M25 33 L{hx:.3f} {hy:.3f}" stroke="{RED_DARK if body == YELLOW else INK}" '
        f'stroke-width="2.6" stroke-linecap="round"/>',
        f'<path d="M25 33 L25 24" stroke="{INK}" stroke-width="2.2" stroke-linecap="round"/>',
        f'<circle cx="25" cy="33" r="2.4" fill="{INK}"/>',
    ]))


# ---------------------------------------------------------------- levels

def read_level(root, nr):
    with open(os.path.join(root, f"{nr:02d}.txt")) as f:
        nums = [int(t) for t in f.read().split()]
    walls = [tuple(nums[36 + 4 * i:40 + 4 * i]) for i in range(WALLS_PER_LEVEL[nr])]
    return nums[:36], walls


def floor_pattern(nr, st, w, h, step=40):
    # A quiet repeat per level: grass tufts, ripples, tiles.
    marks = []
    for j in range(0, h // step + 1):
        for i in range(-1, w // step + 1):
            x = i * step + (step // 2 if j % 2 else 0)
            y = j * step + 8
            if nr == 1:
                marks.append(f'<path d="M{x - 5} {y + 3} q3 -2 4 -8 M{x} {y + 3} q0 -4 1 -10 M{x + 5} {y + 3} q-2 -3 -3 -8" '
                             f'stroke="{st["dot"]}" stroke-width="2" fill="none" stroke-linecap="round"/>')
            elif nr == 2:
                marks.append(f'<path d="M{x - 9} {y} q4.5 -4 9 0 t9 0" stroke="{st["dot"]}" stroke-width="2.2" '
                             f'fill="none" stroke-linecap="round"/>')
            else:
                marks.append(f'<path d="M{x} {y - 6} l6 6 l-6 6 l-6 -6z" fill="{st["dot"]}"/>')
    return "".join(marks)


def wall_block(x1, y1, x2, y2, st):
    w, h = x2 - x1, y2 - y1
    # Drawn exactly on the collision rectangle and nothing outside it, so the
    # face stops where the wall shows: a dark rim inside, a light top and a
    # shaded bottom for a chunky block. No shadow on the floor, which would
    # read as wall.
    return "".join([
        f'<rect x="{x1}" y="{y1}" width="{w}" height="{h}" fill="{st["edge"]}"/>',
        f'<rect x="{x1 + 3}" y="{y1 + 3}" width="{w - 6}" height="{h - 6}" fill="{st["wall"]}"/>',
        f'<rect x="{x1 + 3}" y="{y1 + 3}" width="{w - 6}" height="5" fill="{st["light"]}"/>',
        f'<rect x="{x1 + 3}" y="{y2 - 8}" width="{w - 6}" height="5" fill="{st["edge"]}" opacity="0.45"/>',
        f'<rect x="{x1 + 3}" y="{y1 + 8}" width="3" height="{h - 16}" fill="{st["light"]}" opacity="0.6"/>',
    ])


def level_background(root, nr):
    st = LEVEL_STYLE[nr]
    _, walls = read_level(root, nr)
    body = [floor_pattern(nr, st, 640, 480)]
    body += [wall_block(*wl, st) for wl in walls]
    return svg(640, 480, "".join(body), bg=st["floor"])


def level_button(root, nr):
    st = LEVEL_STYLE[nr]
    _, walls = read_level(root, nr)
    # The whole field (y 70..480) shrunk into the square, with the number on top.
    k = 50 / 640.0
    ky = 50 / 410.0
    body = [f'<clipPath id="field"><rect x="1" y="1" width="48" height="48" rx="6"/></clipPath>',
            f'<rect x="1" y="1" width="48" height="48" rx="6" fill="{st["floor"]}"/>']
    # The rim is drawn inside each wall's rectangle, never spilling onto the
    # floor; walls in the field's corners are cut to the button's round ones.
    rim = 0.8
    for x1, y1, x2, y2 in walls:
        body.append(f'<rect x="{x1 * k + rim / 2:.2f}" y="{(y1 - 70) * ky + rim / 2:.2f}" '
                    f'width="{(x2 - x1) * k - rim:.2f}" height="{(y2 - y1) * ky - rim:.2f}" '
                    f'fill="{st["wall"]}" stroke="{st["edge"]}" stroke-width="{rim}" clip-path="url(#field)"/>')
    body.append(f'<rect x="1" y="1" width="48" height="48" rx="6" fill="none" stroke="{YELLOW}" stroke-width="2"/>')
    body.append(text(25, 40, str(nr), 38, YELLOW, "middle", outline=INK, ow=5))
    return svg(50, 50, "".join(body), bg="#000000")


# ---------------------------------------------------------------- menu

def button(w, h, label, y, bh, colour, x=10, bw=None, mood=None):
    bw = bw or (w - 2 * x)
    body = [pill(x, y + 3, bw, bh, INK, INK, 0),
            pill(x, y, bw, bh, colour),
            f'<rect x="{x + bh / 2}" y="{y + 5}" width="{bw - bh}" height="{bh * 0.28}" rx="{bh * 0.14}" fill="{WHITE}" opacity="0.35"/>',
            text(x + bw / 2, y + bh / 2 + 8, label, 24, WHITE, "middle", outline=INK, ow=4)]
    return svg(w, h, "".join(body))


def pointer(sad):
    # A small face with a nudge towards its button: left for the column, right for Exit.
    cx = 29 if not sad else 21
    tip = "M3 25 L13 17 L13 33Z" if not sad else "M47 25 L37 17 L37 33Z"
    return svg(50, 50, f'<path d="{tip}" fill="{YELLOW if not sad else RED}" stroke="{INK}" '
                       f'stroke-width="2" stroke-linejoin="round"/>' + face(cx, 25, 15, sad))


def banner():
    parts = []
    # Leave image x 50..99, y 0..99 empty: the level buttons show through there.
    parts.append(text(372, 92, "Lumo", 96, YELLOW, "end", outline=INK, ow=10))
    parts.append(text(372, 92, "Lumo", 96, "none", "end", outline=ORANGE, ow=2.5))
    parts.append(f'<circle cx="195" cy="212" r="92" fill="{PURPLE}" opacity="0.25"/>')
    parts.append(face(195, 212, 78))
    parts.append(group(coco(), 42, 200, 1.6))
    parts.append(group(esposa(), 296, 126, 1.5))
    parts.append(group(gangster(), 300, 232, 1.5))
    parts.append(group(ladrao(), 30, 120, 1.5))
    parts.append(group(item_ball(), 72, 250, 1.0))
    parts.append(group(item_money(), 10, 252, 0.9))
    for x, y, r in ((140, 116, 4), (262, 112, 3), (88, 296, 3), (356, 312, 3)):
        parts.append(f'<path d="M{x} {y - 2 * r} L{x + r / 2} {y - r / 2} L{x + 2 * r} {y} L{x + r / 2} {y + r / 2} '
                     f'L{x} {y + 2 * r} L{x - r / 2} {y + r / 2} L{x - 2 * r} {y} L{x - r / 2} {y - r / 2}Z" fill="{YELLOW}"/>')
    parts.append(text(195, 314, "Steer the smiley, beat the clock!", 16, "#c9cbe8", "middle"))
    return svg(390, 320, "".join(parts))


# Every panel's frame lies on the same screen rectangle, (258, 58) to
# (638, 368): the panels at (250, 50) inset it by PANEL_INSET, the credits at
# (200, 0) by 50 more, which keeps their black margins on JPEG block bounds.
PANEL_INSET = 6


def card(w, h, title, x0=PANEL_INSET, y0=PANEL_INSET, title_size=30):
    w, h = w - x0, h - y0
    return "".join([
        f'<rect x="{x0 + 2}" y="{y0 + 2}" width="{w - 4}" height="{h - 4}" rx="18" fill="{CARD}" stroke="{PURPLE}" stroke-width="3"/>',
        text(x0 + w / 2, y0 + 6 + title_size, title, title_size, YELLOW, "middle", outline=INK, ow=5),
    ])


def rank_panel():
    parts = [card(390, 320, "Longest games", title_size=24)]
    parts.append(text(198, 58, "worst at the top, best at the bottom", 12, "#c9cbe8", "middle"))
    names = ["10th", "9th", "8th", "7th", "6th", "5th", "4th", "3rd", "2nd", "1st"]
    for k, name in enumerate(names):
        y = 64 + 20 * k  # panel-relative top of the row (screen y 114 + 20k)
        fill = "#2b3064" if k % 2 else "#232855"
        if k == 9:
            fill = "#5a4a12"
        parts.append(f'<rect x="20" y="{y}" width="350" height="20" rx="6" fill="{fill}"/>')
        colour = YELLOW if k == 9 else "#c9cbe8"
        parts.append(text(68, y + 16, name, 15, colour, "end"))
    parts.append(group(face(0, 0, 18), 330, 280, 0.9))
    parts.append(text(196, 300, "Your time is saved if it beats the top row.", 12, "#c9cbe8", "middle"))
    # Medal beside the best row.
    parts.append(f'<circle cx="190" cy="254" r="8" fill="{YELLOW}" stroke="{INK}" stroke-width="1.6"/>')
    parts.append(text(190, 258.5, "1", 11, INK, "middle", DIGIT_FONT))
    return svg(390, 320, "".join(parts))


def next_arrow(label):
    # The click box is image x 360..380, y 135..175: the arrow stays inside it.
    return "".join([
        f'<rect x="360.5" y="135.5" width="19" height="39" rx="7" fill="{YELLOW}" stroke="{INK}" stroke-width="1"/>',
        f'<path d="M364.5 143 L376 155 L364.5 167Z" fill="{RED}" stroke="{INK}" stroke-width="1.6" stroke-linejoin="round"/>',
        text(370, 130, label, 11, YELLOW, "middle"),
    ])


def key_cap(x, y, label, w=34):
    return "".join([
        f'<rect x="{x}" y="{y + 3}" width="{w}" height="28" rx="6" fill="#111430"/>',
        f'<rect x="{x}" y="{y}" width="{w}" height="28" rx="6" fill="#eef0ff" stroke="{INK}" stroke-width="1.6"/>',
        text(x + w / 2, y + 20, label, 16, INK, "middle", DIGIT_FONT),
    ])


HELP_PAGES = 4


def help_page(n, body):
    parts = [card(390, 320, ["How to play", "Watch out!", "Good to know", "Keys and gamepad"][n - 1]),
             body, next_arrow("next" if n < HELP_PAGES else "first"),
             text(370, 305, f"{n}/{HELP_PAGES}", 13, "#c9cbe8", "middle")]
    return svg(390, 320, "".join(parts), bg="#000000")


def help1():
    # The face with its heading marker, as it shows in play.
    p = [group(face(0, 0, 22), 40, 88), inset(heading_marker(0), 57, 78, 1.25)]
    p.append(text(90, 74, "You are the smiley. You never stop", 15, WHITE))
    p.append(text(90, 92, "moving, you can only steer! The arrow", 15, WHITE))
    p.append(text(90, 110, "shows which way you are heading.", 15, WHITE))
    p.append(key_cap(24, 120, "\u2192") + text(64, 140, "or", 14, "#c9cbe8") + key_cap(86, 120, "A"))
    p.append(text(130, 140, "turn clockwise", 15, WHITE))
    p.append(key_cap(24, 152, "\u2190") + text(64, 172, "or", 14, "#c9cbe8") + key_cap(86, 152, "D"))
    p.append(text(130, 172, "turn anticlockwise", 15, WHITE))
    p.append(key_cap(24, 184, "P") + text(64, 204, "pause", 15, WHITE))
    p.append(key_cap(120, 184, "M") + text(160, 204, "sound", 15, WHITE))
    p.append(key_cap(216, 184, "Esc", 44) + text(266, 204, "end", 15, WHITE))
    p.append(f'<rect x="18" y="220" width="330" height="78" rx="10" fill="#2b3064"/>')
    p.append(text(30, 239, "Ready... Go! For 1.5 s nothing moves:", 14, YELLOW))
    p.append(text(30, 256, "turn now to aim before you set off.", 14, WHITE))
    p.append(text(30, 275, "You start with 20 seconds.", 14, YELLOW))
    p.append(text(30, 292, "Your score: how long you last!", 14, YELLOW))
    return help_page(1, "".join(p))


def help2():
    rows = [
        (coco(), 30, "Coconut", "-10 s", "enters at 5 s", "jumps to random places"),
        (esposa(), 45, "Wife", "-10 s", "enters at 15 s", "chases you!"),
        (ladrao(), 38, "Thief", "-5 s", "enters at 25 s", "chases the prize, steals it away"),
        (gangster(), 43, "Gangster", "-20 s", "enters at 35 s", "wanders in random directions"),
    ]
    p = []
    for i, (pic, w, name, cost, when, how) in enumerate(rows):
        y = 54 + 60 * i
        p.append(f'<rect x="14" y="{y}" width="332" height="54" rx="10" fill="#2b3064"/>')
        p.append(group(pic, 22 + (45 - w) / 2, y + 7))
        p.append(text(76, y + 21, name, 17, YELLOW))
        p.append(text(166, y + 21, cost, 17, "#ff8fa3"))
        p.append(text(222, y + 21, when, 13, "#c9cbe8"))
        p.append(text(76, y + 43, how, 14, WHITE))
    return help_page(2, "".join(p))


def help3():
    p = []
    for i, (_, fn) in enumerate(ITEMS):
        p.append(group(fn(), 16 + 30 * i, 50, 0.74))
    p.append(text(176, 66, "Grab a prize:", 15, YELLOW))
    p.append(text(176, 84, "+2 seconds, then it", 15, WHITE))
    p.append(text(176, 100, "pops up elsewhere.", 15, WHITE))
    st = LEVEL_STYLE[1]
    p.append(f'<rect x="20" y="114" width="60" height="36" fill="{st["edge"]}"/>'
             f'<rect x="23" y="117" width="54" height="30" fill="{st["wall"]}"/>'
             f'<rect x="23" y="117" width="54" height="5" fill="{st["light"]}"/>')
    p.append(text(96, 129, "Walls: -2 seconds", 15, YELLOW))
    p.append(text(96, 146, "and you bounce off.", 15, WHITE))
    # The marks as they show round the face: a wall, a hit, a prize.
    for i, mark in enumerate((mark_wall(1), mark_hit(1), mark_item(1))):
        p.append(group(face(0, 0, 20), 36 + 44 * i, 180, 0.5) + inset(mark, 20 + 44 * i, 164, 0.5))
    p.append(text(156, 176, "A mark at your face:", 14, WHITE))
    p.append(text(156, 193, "a wall, a hit, a prize.", 14, WHITE))
    p.append(text(22, 219, "Every 500 frames (about 16 s) you speed", 14, WHITE))
    p.append(text(22, 235, "up. SPEED UP counts the steps to 9,", 14, "#c9cbe8"))
    p.append(text(22, 251, "then a red 0 means top speed.", 14, "#c9cbe8"))
    p.append(f'<rect x="18" y="260" width="330" height="38" rx="10" fill="#2b3064"/>')
    p.append(text(28, 276, "Each level's best shows in the chooser and", 13, YELLOW))
    p.append(text(28, 292, "after a game; the ranking keeps the top ten.", 13, YELLOW))
    return help_page(3, "".join(p))


def help4():
    grey = "#c9cbe8"
    p = [text(22, 62, "In the menus", 14, YELLOW)]
    p.append(key_cap(22, 68, "\u2191") + key_cap(60, 68, "\u2193") + text(102, 88, "choose", 15, WHITE))
    p.append(key_cap(172, 68, "Enter", 58) + text(238, 88, "open, start", 15, WHITE))
    p.append(key_cap(22, 100, "1", 26) + key_cap(52, 100, "2", 26) + key_cap(82, 100, "3", 26))
    p.append(text(116, 120, "level", 15, WHITE))
    p.append(key_cap(164, 100, "\u2190") + key_cap(202, 100, "\u2192") + text(244, 120, "page", 15, WHITE))
    p.append(key_cap(22, 132, "Esc", 48) + text(78, 152, "back; twice quits", 15, WHITE))
    p.append(key_cap(22, 164, "Alt", 40) + text(68, 184, "+", 15, WHITE) + key_cap(80, 164, "Enter", 58))
    p.append(text(146, 184, "full screen", 15, WHITE))
    p.append(text(22, 212, "After a game", 14, YELLOW))
    p.append(text(118, 212, "Enter: play again, Esc: menu", 14, WHITE))
    p.append(text(22, 236, "Gamepad", 14, YELLOW) + text(94, 236, "(plug it in any time)", 13, grey))
    p.append(text(22, 254, "Stick or d-pad: steer, choose", 15, WHITE))
    p.append(text(22, 271, "A: OK", 15, WHITE) + text(130, 271, "B: back, not in a game", 15, WHITE))
    p.append(text(22, 288, "Start: pause", 15, WHITE) + text(130, 288, "Back: end the game", 15, WHITE))
    p.append(text(22, 305, "Other keys: [keys] in lumo.cfg", 12, grey))
    return help_page(4, "".join(p))


def credits():
    # Black margins left and top: the content starts at (56, 56), on a JPEG
    # block boundary, so the 50-pixel margins stay pure black after compression.
    p = [card(440, 370, "Lumo", 50 + PANEL_INSET, 50 + PANEL_INSET)]
    lines = [
        (16, YELLOW, "Made by the Lumo developers"),
        (13, "#c9cbe8", "Code: MIT licence. Art, sound, levels: CC BY 4.0"),
        (2, None, ""),
        (14, "#c9cbe8", "Built with"),
        (15, WHITE, "Allegro 4 game library"),
        (15, WHITE, "the loadpng add-on and libjpeg-turbo"),
        (15, WHITE, "libpng, zlib and ALSA"),
        (6, None, ""),
        (14, "#c9cbe8", "Fonts"),
        (15, WHITE, "Comic Neue: SIL Open Font License 1.1"),
        (15, WHITE, "DejaVu Sans: Bitstream Vera licence"),
        (13, WHITE, "(with DejaVu public-domain changes)"),
        (4, None, ""),
        (14, "#c9cbe8", "Sounds synthesised by sound/lumo_sound.py"),
    ]
    y = 126
    for size, colour, s in lines:
        if colour:
            p.append(text(248, y, s, size, colour, "middle"))
        y += size + 5
    p.append(group(face(0, 0, 16), 106, 98))
    p.append(group(face(0, 0, 16, True), 390, 98))
    return svg(440, 370, "".join(p), bg="#000000")


# ---------------------------------------------------------------- game over and pop-ups
# The summary card is drawn over the playfield; the game draws on it, at fixed
# cells: the player's face at (14, 10), the line that says why the game ended
# at (20, 54), the time (first digit set) at (208, 89), the ranking line at
# (20, 124), the "New best!" badge at (232, 6), the level's best at (20, 164)
# with its time at (208, 171), the level's note at (20, 202) and the two
# buttons at (20, 246) and (164, 246), the focus mark over either.
SUMMARY_W, SUMMARY_H = 320, 314
SUMMARY_LINE_W, SUMMARY_LINE_H = 280, 36
REASON_W, REASON_H = 280, 26
BEST_W, BEST_H = 80, 44
LEVEL_BEST_H = 34


def summary_card():
    p = [f'<rect x="6" y="9" width="{SUMMARY_W - 8}" height="{SUMMARY_H - 10}" rx="20" fill="#000" opacity="0.3"/>',
         f'<rect x="2" y="2" width="{SUMMARY_W - 8}" height="{SUMMARY_H - 10}" rx="18" fill="{CARD}" '
         f'stroke="{PURPLE}" stroke-width="3"/>',
         # Between the face (x 14..54) and the badge's place (x 232..312).
         text(143, 42, "Game over", 30, YELLOW, "middle", outline=INK, ow=5),
         # The time sits in a dark window at card x 208..288, y 89..110.
         f'<rect x="200" y="83" width="96" height="33" rx="8" fill="#14172e" stroke="{PANEL_LIGHT}" stroke-width="2"/>',
         text(28, 108, "You lasted", 20, WHITE),
         f'<rect x="18" y="236" width="284" height="1.5" fill="{PANEL_LIGHT}"/>',
         ]
    return svg(SUMMARY_W, SUMMARY_H, "".join(p))


def summary_reason(words):
    # Why the game ended, in a quiet pill under the title.
    return svg(REASON_W, REASON_H, "".join([
        f'<rect x="1" y="1" width="{REASON_W - 2}" height="{REASON_H - 2}" rx="{(REASON_H - 2) / 2}" '
        f'fill="#2b3064"/>',
        text(REASON_W / 2, 19, words, 17, "#ffd9a0", "middle"),
    ]))


def summary_place():
    # "Ranking place" with a dark window for up to two digits at image x 186..218.
    return svg(240, 36, "".join([
        text(8, 24, "Ranking place", 20, WHITE),
        f'<rect x="180" y="2" width="46" height="31" rx="8" fill="#14172e" stroke="{PANEL_LIGHT}" stroke-width="2"/>',
    ]))


def summary_unranked():
    return svg(SUMMARY_LINE_W, SUMMARY_LINE_H, text(8, 24, "Not in the ranking this time", 18, "#c9cbe8"))


def summary_not_saved():
    # The ranking file refused the result: said plainly, with the file's name.
    return svg(SUMMARY_LINE_W, SUMMARY_LINE_H, "".join([
        text(8, 16, "Not saved", 18, "#ff8fa3"),
        text(8, 33, "rank.txt could not be written", 13, "#c9cbe8"),
    ]))


def new_best():
    # A small gold burst with the words on two lines, inside the card's corner.
    pts = []
    for k in range(24):
        r = 1.0 if k % 2 == 0 else 0.84
        a = math.radians(k * 15)
        pts.append(f"{40 + 37 * r * math.cos(a):.2f},{22 + 20 * r * math.sin(a):.2f}")
    return svg(BEST_W, BEST_H, "".join([
        f'<polygon points="{" ".join(pts)}" fill="{ORANGE}" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>',
        text(40, 20, "New", 15, YELLOW, "middle", outline=INK, ow=3.5),
        text(40, 35, "best!", 15, YELLOW, "middle", outline=INK, ow=3.5),
    ]))


def summary_saving():
    # Shown in the fate line's place while another Lumo holds the ranking.
    return svg(SUMMARY_LINE_W, SUMMARY_LINE_H, text(8, 24, "Saving...", 20, "#c9cbe8"))


def summary_level_best():
    # "Level best" with a dark window for mm:ss at image x 188..268, y 7..28,
    # in line with the time's window above it.
    return svg(SUMMARY_LINE_W, LEVEL_BEST_H, "".join([
        text(8, 24, "Level best", 20, WHITE),
        f'<rect x="180" y="1" width="96" height="32" rx="8" fill="#14172e" stroke="{PANEL_LIGHT}" stroke-width="2"/>',
    ]))


def sparkle(x, y, r, fill=YELLOW, stroke=INK, sw=1.2, opacity=1):
    """A four-pointed star, r from its middle to a point."""
    k = r * 0.28
    return (f'<path d="M{x} {y - r} L{x + k} {y - k} L{x + r} {y} L{x + k} {y + k} L{x} {y + r} '
            f'L{x - k} {y + k} L{x - r} {y} L{x - k} {y - k}Z" fill="{fill}" stroke="{stroke}" '
            f'stroke-width="{sw}" stroke-linejoin="round" opacity="{opacity}"/>')


def summary_level_note(words, proud):
    # The level's own news: gold with stars for a beaten best, quiet for a first game.
    fill, colour = ("#5a4a12", YELLOW) if proud else ("#2b3064", "#c9cbe8")
    stars = sparkle(18, 13, 8) + sparkle(REASON_W - 18, 13, 8) if proud else ""
    return svg(REASON_W, REASON_H, "".join([
        f'<rect x="1" y="1" width="{REASON_W - 2}" height="{REASON_H - 2}" rx="{(REASON_H - 2) / 2}" fill="{fill}"/>',
        stars, text(REASON_W / 2, 19, words, 17, colour, "middle"),
    ]))


SUMMARY_BUTTON_W, SUMMARY_BUTTON_H = 136, 52


def summary_button(label, colour):
    # Opaque, the card's own colour round the pill: drawn again, a button
    # wipes the focus mark off itself.
    w, h = SUMMARY_BUTTON_W, SUMMARY_BUTTON_H
    return svg(w, h, "".join([
        pill(10, 11, w - 20, 34, INK, INK, 0), pill(10, 8, w - 20, 34, colour),
        f'<rect x="25" y="12" width="{w - 50}" height="8" rx="4" fill="{WHITE}" opacity="0.35"/>',
        text(w / 2, 32, label, 20, WHITE, "middle", outline=INK, ow=4),
    ]), bg=CARD)


def summary_focus():
    # A bright frame round the pill, with a nudge in from each side.
    w, h = SUMMARY_BUTTON_W, SUMMARY_BUTTON_H
    return svg(w, h, "".join([
        f'<rect x="3" y="3" width="{w - 6}" height="{h - 6}" rx="{(h - 6) / 2}" fill="none" '
        f'stroke="{INK}" stroke-width="6"/>',
        f'<rect x="3" y="3" width="{w - 6}" height="{h - 6}" rx="{(h - 6) / 2}" fill="none" '
        f'stroke="{YELLOW}" stroke-width="3.5"/>',
    ]))


POPUP_W, POPUP_H = 12, 16
POPUP_BACK_W, POPUP_BACK_H = 90, 16


def popup_glyph(ch):
    # Bold white figures with a dark edge on the panel's dark strip; the sign
    # carries the colour: green for a bonus, red for a penalty.
    if ch in "+-":
        path = "M6 3.5 V12.5 M1.5 8 H10.5" if ch == "+" else "M1.5 8 H10.5"
        colour = GREEN if ch == "+" else RED
        return svg(POPUP_W, POPUP_H, "".join([
            f'<path d="{path}" stroke="{INK}" stroke-width="5.4" stroke-linecap="round"/>',
            f'<path d="{path}" stroke="{colour}" stroke-width="2.8" stroke-linecap="round"/>']))
    return svg(POPUP_W, POPUP_H, text(6, 14, ch, 15, WHITE, "middle", DIGIT_FONT, outline=INK, ow=3))


def popup_back():
    # Lies over the red clock's "LEFT" for the second a change shows.
    return svg(POPUP_BACK_W, POPUP_BACK_H,
               f'<rect x="0.5" y="0.5" width="{POPUP_BACK_W - 1}" height="{POPUP_BACK_H - 1}" rx="6" '
               f'fill="#14172e" stroke="{PANEL_LIGHT}" stroke-width="1"/>')


MUTED_W, MUTED_H = 28, 24


def muted_sign():
    # A speaker with a red cross: the sound is off.
    return svg(MUTED_W, MUTED_H, "".join([
        f'<path d="M2 8.5 H7 L13.5 3 V21 L7 15.5 H2Z" fill="#eef0ff" stroke="{INK}" stroke-width="1.6" '
        f'stroke-linejoin="round"/>',
        f'<path d="M17 7.5 L25 16.5 M25 7.5 L17 16.5" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>',
        f'<path d="M17 7.5 L25 16.5 M25 7.5 L17 16.5" stroke="{RED}" stroke-width="2.6" stroke-linecap="round"/>',
    ]))


CHOOSER_TITLE_W, CHOOSER_TITLE_H = 236, 44


def chooser_title():
    # At (62, 3), left of the level buttons and pointing at them; right of
    # them each 50-pixel row n holds the level's name at (404, 50n + 11) and
    # its best time (or the dash) at (540, 50n + 15), where the banner would
    # lie: the banner gives way while the chooser is open.
    return svg(CHOOSER_TITLE_W, CHOOSER_TITLE_H, "".join([
        text(212, 31, "Choose a level", 23, YELLOW, "end", outline=INK, ow=5),
        f'<path d="M232 22 L220 13 L220 31Z" fill="{YELLOW}" stroke="{INK}" stroke-width="1.6" stroke-linejoin="round"/>',
    ]))


LEVEL_NAME_W, LEVEL_NAME_H = 132, 28
LEVEL_NAME_COLOURS = {1: GREEN, 2: BLUE, 3: "#b9a8ff"}


def level_name(nr, words):
    # In the colour of the level, beside its button and before its best time.
    return svg(LEVEL_NAME_W, LEVEL_NAME_H, text(3, 21, words, 23, LEVEL_NAME_COLOURS[nr], outline=INK, ow=4))


def no_best():
    # In a best time's 80 x 21 place, in the first digits' colours.
    return svg(80, 21, f'<rect x="29" y="9" width="22" height="4" rx="2" fill="{YELLOW}" stroke="#5a3a00" '
                       f'stroke-width="1.4"/>')


# ---------------------------------------------------------------- count-in and marks

def count_word(words, w, colour):
    # Centred on the playfield (y 70..480).
    # Big, with a thick dark edge and a soft shadow: it reads over floor and wall.
    return svg(w, COUNT_H, "".join([
        text(w / 2 + 3, 88, words, 84, "#000000", "middle", outline="#000000", ow=14, extra='opacity="0.3"'),
        text(w / 2, 84, words, 84, colour, "middle", outline=INK, ow=12),
        text(w / 2, 84, words, 84, "none", "middle", outline=WHITE, ow=2, extra='opacity="0.55"'),
    ]))


COUNT_H = 110


# Centred on the 40 x 40 face (drawn 12 pixels up and left of it).
MARK = 64


def mark_wall(f):
    # A white ring widening out from the face, then a few knock lines.
    r = 23 + 3.5 * f
    sw = 4.5 - f

    def knocks(colour, width):
        return "".join(
            f'<path d="M{32 + (r + 3) * math.cos(a):.2f} {32 + (r + 3) * math.sin(a):.2f} '
            f'L{32 + (r + 6 + f) * math.cos(a):.2f} {32 + (r + 6 + f) * math.sin(a):.2f}" '
            f'stroke="{colour}" stroke-width="{width}" stroke-linecap="round"/>'
            for a in (math.radians(d + 45) for d in (0, 90, 180, 270))) if f else ""
    return svg(MARK, MARK, f'<g opacity="{(1, 0.85, 0.6)[f]}">' + "".join([
        f'<circle cx="32" cy="32" r="{r}" fill="none" stroke="{INK}" stroke-width="{sw + 2.6}"/>',
        f'<circle cx="32" cy="32" r="{r}" fill="none" stroke="{WHITE}" stroke-width="{sw}"/>',
        knocks(INK, 4.4), knocks(WHITE, 2.2),
    ]) + '</g>')


def mark_hit(f):
    # A red burst with an orange core round the face, its middle left clear.
    def burst(outer, inner, turn, fill, sw):
        pts = []
        for k in range(20):
            a = math.radians(k * 18 + turn)
            r = (outer if k % 4 == 0 else outer - 5) if k % 2 == 0 else inner
            pts.append(f"{32 + r * math.cos(a):.2f},{32 + r * math.sin(a):.2f}")
        return (f'<polygon points="{" ".join(pts)}" fill="{fill}" stroke="{INK}" stroke-width="{sw}" '
                f'stroke-linejoin="round"/>')
    outer = (29, 31, 31.5)[f]
    return svg(MARK, MARK, "".join([
        '<mask id="hole"><rect width="64" height="64" fill="#fff"/>'
        '<circle cx="32" cy="32" r="18" fill="#000"/></mask>',
        f'<g mask="url(#hole)" opacity="{(1, 0.9, 0.6)[f]}">',
        burst(outer, 19, 12 * f, RED, 1.6),
        burst(outer - 7, 19, 12 * f + 18, ORANGE, 1.2),
        '</g>',
    ]))


def mark_item(f):
    # Golden sparkles rising and spreading round the face.
    places = [(0, 24, 7), (72, 26, 5), (144, 23, 6), (216, 26, 5), (288, 24, 6)]
    p = []
    for a, r, size in places:
        ang = math.radians(a - 90 + 20 * f)
        rr = r + 3 * f
        s_ = size * (1, 1.15, 0.8)[f]
        p.append(sparkle(32 + rr * math.cos(ang), 32 + rr * math.sin(ang) - 2 * f, s_, YELLOW, YELLOW_DARK, 1.4))
    if f:
        for a in (36, 180, 324):
            ang = math.radians(a - 90 + 20 * f)
            p.append(f'<circle cx="{32 + (20 + 5 * f) * math.cos(ang):.2f}" cy="{32 + (20 + 5 * f) * math.sin(ang):.2f}" '
                     f'r="{2.2 - 0.4 * f}" fill="#fff3b0" stroke="{YELLOW_DARK}" stroke-width="0.8"/>')
    return svg(MARK, MARK, f'<g opacity="{(1, 1, 0.7)[f]}">' + "".join(p) + '</g>')


HEADING = 16


def heading_marker(i):
    # A dark arrowhead with a white rim, pointing i * 22.5 degrees clockwise
    # from the right (screen y grows downwards).
    a = math.radians(i * 22.5)
    c = HEADING / 2

    def at(r, da):
        return f"{c + r * math.cos(a + da):.3f},{c + r * math.sin(a + da):.3f}"
    pts = " ".join([at(6.6, 0), at(5.4, math.radians(140)), at(1.6, math.pi), at(5.4, math.radians(-140))])
    return svg(HEADING, HEADING, "".join([
        f'<polygon points="{pts}" fill="{WHITE}" stroke="{WHITE}" stroke-width="2.6" stroke-linejoin="round"/>',
        f'<polygon points="{pts}" fill="{INK}" stroke="{INK}" stroke-width="0.6" stroke-linejoin="round"/>',
    ]))


PAUSED_W, PAUSED_H = 300, 150


def paused():
    # Laid over the playfield while a game is paused: the word and the
    # player's face waiting beside it. The game lays the control that goes on
    # at (112, 76) and, when the pad was pulled out, the notice at (16, 112).
    p = [f'<rect x="3" y="3" width="{PAUSED_W - 6}" height="{PAUSED_H - 6}" rx="20" fill="{CARD}" '
         f'stroke="{PURPLE}" stroke-width="4"/>',
         group(face(0, 0, 26), 58, 62),
         text(190, 60, "Paused", 44, YELLOW, "middle", outline=INK, ow=6)]
    return svg(PAUSED_W, PAUSED_H, "".join(p))


RESUME_W, RESUME_H = 180, 32
PAD_LOST_W, PAD_LOST_H = 268, 30


def resume_line(pad):
    # The control that goes on, for the device last used.
    if pad:
        cap = "".join([
            f'<rect x="2" y="4" width="60" height="26" rx="13" fill="#111430"/>',
            f'<rect x="2" y="1" width="60" height="26" rx="13" fill="#eef0ff" stroke="{INK}" stroke-width="1.6"/>',
            text(32, 19, "Start", 15, INK, "middle", DIGIT_FONT),
        ])
        return svg(RESUME_W, RESUME_H, cap + text(70, 21, "to resume", 19, WHITE))
    return svg(RESUME_W, RESUME_H, key_cap(2, 0, "P") + text(46, 21, "to resume", 19, WHITE))


def pad_lost():
    # A pad with a red stroke through it, and the words.
    pad = "".join([
        f'<path d="M6 9 Q6 5 11 5 H25 Q30 5 30 9 L32 20 Q33 25 28 24 L24 20 H12 L8 24 Q3 25 4 20Z" '
        f'fill="#c9cbe8" stroke="{INK}" stroke-width="1.4" stroke-linejoin="round"/>',
        f'<path d="M10 12 h6 M13 9 v6" stroke="{INK}" stroke-width="1.8" stroke-linecap="round"/>',
        f'<circle cx="24" cy="10.5" r="1.6" fill="{INK}"/><circle cx="27" cy="14" r="1.6" fill="{INK}"/>',
        f'<path d="M5 27 L31 2" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>',
        f'<path d="M5 27 L31 2" stroke="{RED}" stroke-width="2.6" stroke-linecap="round"/>',
    ])
    return svg(PAD_LOST_W, PAD_LOST_H, group(pad, 4, 0) + text(44, 21, "Gamepad disconnected", 18, "#ff8fa3"))


# ---------------------------------------------------------------- main

def main():
    root, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    jobs = []  # (name, svg text, w, h, target, kind); interface before the clocks

    def add(name, text_, w, h, target, kind):
        jobs.append((name, text_, w, h, target, kind))

    menu = "Data/Imagens/Menu/"
    add("banner", banner(), 390, 320, menu + "LMBanner.png", "png")
    add("bnovo", button(200, 74, "New game", 15, 44, GREEN), 200, 74, menu + "BNovoJogo.png", "png")
    add("brank", button(200, 74, "Ranking", 15, 44, PURPLE), 200, 74, menu + "BRanking.png", "png")
    add("bajuda", button(200, 74, "Help", 15, 44, BLUE), 200, 74, menu + "BAjuda.png", "png")
    add("bcred", button(200, 74, "Credits", 27, 44, ORANGE), 200, 74, menu + "BCreditos.png", "png")
    add("bsair", button(160, 74, "Exit", 15, 44, RED, x=14, bw=134), 160, 74, menu + "BSair.png", "png")
    add("feliz", pointer(False), 50, 50, menu + "escolhaFeliz.png", "png")
    add("triste", pointer(True), 50, 50, menu + "escolhaTriste.png", "png")
    add("rank", rank_panel(), 390, 320, menu + "rank.png", "png")
    add("paused", paused(), PAUSED_W, PAUSED_H, "Data/Imagens/paused.png", "png")
    pers = "Data/Imagens/Personagens/"
    add("smile", svg(40, 40, smile()), 40, 40, pers + "smile.png", "png")
    add("smileTriste", svg(40, 40, smile(True)), 40, 40, pers + "smileTriste.png", "png")
    # Collision circles sit on each picture's top-left corner; with every
    # sprite's visible middle as far from that corner as the face's (20, 20),
    # pictures touch when circles do.
    add("coco", svg(30, 30, centred(coco(), 15, 15, 0.85, 17.5, 17.5)), 30, 30, pers + "coco.png", "png")
    add("esposa", svg(45, 40, centred(esposa(), 18, 24, 0.85)), 45, 40, pers + "esposa.png", "png")
    add("gangster", svg(43, 42, centred(gangster(), 21.5, 25, 0.88)), 43, 42, pers + "gangster.png", "png")
    add("ladrao", svg(38, 40, centred(ladrao(), 15.5, 23, 0.9, 18.5)), 38, 40, pers + "ladrao.png", "png")
    for nr in (1, 2, 3):
        add(f"nivel{nr}", level_background(root, nr), 640, 480, f"Data/Imagens/Niveis/{nr:02d}.jpg", "jpg")
        add(f"b{nr}", level_button(root, nr), 50, 50, f"Data/B{nr:02d}.jpg", "jpg")
    add("interface", interface(), 640, 480, "Data/Imagens/interface.png", "png")
    add("ajuda01", help1(), 390, 320, menu + "ajuda01.jpg", "jpg")
    add("ajuda02", help2(), 390, 320, menu + "ajuda02.jpg", "jpg")
    add("ajuda03", help3(), 390, 320, menu + "ajuda03.jpg", "jpg")
    add("ajuda04", help4(), 390, 320, menu + "ajuda04.jpg", "jpg")
    add("creditos", credits(), 440, 370, menu + "creditos.jpg", "jpg")
    for name, fn in ITEMS:
        # In the top 40 pixels of the 39 x 50 picture, around the face's middle.
        add(name, svg(39, 50, centred(fn(), 19.5, 25, 0.78, 19.5)), 39, 50, f"Data/Imagens/Itens/{name}.png", "png")
    num = "Data/Imagens/numeros/"
    for d in range(10):
        add(f"d{d}", digit(str(d), YELLOW, "#5a3a00"), 16, 21, f"{num}{d:02d}.png", "png")
        add(f"d{d}v", digit(str(d), "#ff5a5a", "#4a0010"), 16, 21, f"{num}{d:02d}v.png", "png")
    add("P", colon(YELLOW, "#5a3a00"), 16, 21, num + "P.png", "png")
    add("Pv", colon("#ff5a5a", "#4a0010"), 16, 21, num + "Pv.png", "png")
    for f in range(8):
        add(f"y{f}", clock(f, YELLOW, YELLOW_DARK), 50, 58, f"Data/Imagens/Relogio/yClock{f:02d}.png", "clock 350 12")
        add(f"r{f}", clock(f, RED, RED_DARK), 50, 58, f"Data/Imagens/Relogio/rClock{f:02d}.png", "clock 500 12")
    add("black", svg(640, 480, "", bg="#000000"), 640, 480, "Data/Imagens/black.jpg", "jpg")
    summ = "Data/Imagens/Summary/"
    add("summary", summary_card(), SUMMARY_W, SUMMARY_H, summ + "card.png", "png")
    add("place", summary_place(), 240, 36, summ + "place.png", "png")
    add("unranked", summary_unranked(), SUMMARY_LINE_W, SUMMARY_LINE_H, summ + "unranked.png", "png")
    add("best", new_best(), BEST_W, BEST_H, summ + "best.png", "png")
    add("notsaved", summary_not_saved(), SUMMARY_LINE_W, SUMMARY_LINE_H, summ + "not_saved.png", "png")
    add("timeup", summary_reason("Time's up!"), REASON_W, REASON_H, summ + "time_up.png", "png")
    add("ended", summary_reason("You ended the game"), REASON_W, REASON_H, summ + "ended.png", "png")
    add("muted", muted_sign(), MUTED_W, MUTED_H, "Data/Imagens/muted.png", "png")
    add("choose", chooser_title(), CHOOSER_TITLE_W, CHOOSER_TITLE_H, menu + "choose_level.png", "png")
    add("saving", summary_saving(), SUMMARY_LINE_W, SUMMARY_LINE_H, summ + "saving.png", "png")
    add("playagain", summary_button("Play again", GREEN), SUMMARY_BUTTON_W, SUMMARY_BUTTON_H,
        summ + "play_again.png", "png")
    add("menu", summary_button("Menu", PURPLE), SUMMARY_BUTTON_W, SUMMARY_BUTTON_H, summ + "menu.png", "png")
    add("focus", summary_focus(), SUMMARY_BUTTON_W, SUMMARY_BUTTON_H, summ + "focus.png", "png")
    add("levelbest", summary_level_note("New best on this level", True), REASON_W, REASON_H,
        summ + "level_best.png", "png")
    add("firstgame", summary_level_note("First game on this level", False), REASON_W, REASON_H,
        summ + "first_game.png", "png")
    add("bestlabel", summary_level_best(), SUMMARY_LINE_W, LEVEL_BEST_H, summ + "best_label.png", "png")
    for nr, (name, words) in enumerate((("park", "The park"), ("pool", "The pool"), ("plaza", "The plaza")), 1):
        add(f"level{name}", level_name(nr, words), LEVEL_NAME_W, LEVEL_NAME_H, f"{menu}level_{name}.png", "png")
    add("nobest", no_best(), 80, 21, menu + "no_best.png", "png")
    count = "Data/Imagens/CountIn/"
    add("ready", count_word("Ready", 300, YELLOW), 300, COUNT_H, count + "ready.png", "png")
    add("go", count_word("Go", 180, GREEN), 180, COUNT_H, count + "go.png", "png")
    marks = "Data/Imagens/Marks/"
    for kind, fn in (("wall", mark_wall), ("hit", mark_hit), ("item", mark_item)):
        for f in range(3):
            add(f"{kind}{f}", fn(f), MARK, MARK, f"{marks}{kind}{f:02d}.png", "png")
    pause = "Data/Imagens/Pause/"
    add("resumekey", resume_line(False), RESUME_W, RESUME_H, pause + "resume_key.png", "png")
    add("resumepad", resume_line(True), RESUME_W, RESUME_H, pause + "resume_pad.png", "png")
    add("padlost", pad_lost(), PAD_LOST_W, PAD_LOST_H, pause + "pad_lost.png", "png")
    for i in range(16):
        add(f"heading{i}", heading_marker(i), HEADING, HEADING, f"{marks}heading{i:02d}.png", "png")
    pop = "Data/Imagens/Popups/"
    add("popplus", popup_glyph("+"), POPUP_W, POPUP_H, pop + "plus.png", "png")
    add("popminus", popup_glyph("-"), POPUP_W, POPUP_H, pop + "minus.png", "png")
    add("popback", popup_back(), POPUP_BACK_W, POPUP_BACK_H, pop + "back.png", "png")
    for d in range(10):
        add(f"pop{d}", popup_glyph(str(d)), POPUP_W, POPUP_H, f"{pop}{d}.png", "png")
    # Not loaded by the game: the icon of the installed desktop entry, in the
    # sizes the menus ask for and as the scalable source itself.
    add("icone", svg(40, 40, smile()), 128, 128, "art/lumo.png", "png")
    for size in (48, 64, 256):
        add(f"icon{size}", svg(40, 40, smile()), size, size, f"art/icons/lumo-{size}.png", "png")
    add("iconsvg", svg(40, 40, smile()), 40, 40, "art/icons/lumo.svg", "svg")

    with open(os.path.join(out, "manifest.txt"), "w") as m:
        for name, text_, w, h, target, kind in jobs:
            path = os.path.join(out, name + ".svg")
            with open(path, "w") as f:
                f.write(text_)
            m.write(f"{path} {w} {h} {target} {kind}\n")


if __name__ == "__main__":
    main()
