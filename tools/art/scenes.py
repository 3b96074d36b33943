"""Scene pictures (300 x 260 JPEG), the digest's event pictures and the two
ending pictures.  All drawn as flat-coloured SVG with the house ink outline."""
import os

from characters import figure_svg
from common import (DATA, INK, svg_doc, render_svg, save_jpeg, rng, petals, cloud, f)
from design import title_scene_svg, blossom, outlined_text
from common import font, MINCHO_P

W, H = 300, 260
JP = 'font-family="IPAPGothic" font-weight="bold"'


def R(x, y, w, h, fill, sw=1.6, rx=0, extra=""):
    return ('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>'
            % (f(x), f(y), f(w), f(h), f(rx), fill, INK, f(sw), extra))


def P(d, fill, sw=1.6, stroke=INK, extra=""):
    return '<path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"%s/>' % (
        d, fill, stroke, f(sw), extra)


def T(x, y, text, size, fill, anchor="middle", extra=""):
    return '<text x="%s" y="%s" font-size="%s" fill="%s" text-anchor="%s" %s%s>%s</text>' % (
        f(x), f(y), f(size), fill, anchor, JP, extra, text)


def sky(w=W, h=H, top="#7fc0ea", bottom="#d6eef9", gid="sky"):
    return ('<defs><linearGradient id="%s" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="%s"/>'
            '<stop offset="1" stop-color="%s"/></linearGradient></defs>'
            '<rect width="%d" height="%d" fill="url(#%s)"/>' % (gid, top, bottom, w, h, gid))


def tree(x, y, s=1.0, crown="#79b85a", blossoms=False, r=None):
    out = [P("M%s %s l%s %s l%s 0 l%s %s z" % (f(x - 4 * s), f(y), f(1 * s), f(-34 * s), f(6 * s),
                                                 f(1 * s), f(34 * s)), "#8a6244")]
    cy = y - 44 * s
    c = crown if not blossoms else "#f7c3d3"
    out.append('<g fill="%s" stroke="%s" stroke-width="1.6">' % (c, INK) +
               '<circle cx="%s" cy="%s" r="%s"/><circle cx="%s" cy="%s" r="%s"/><circle cx="%s" cy="%s" r="%s"/>'
               % (f(x - 12 * s), f(cy + 4 * s), f(15 * s), f(x + 12 * s), f(cy + 4 * s), f(15 * s),
                  f(x), f(cy - 8 * s), f(18 * s)) + '</g>')
    out.append('<g fill="%s"><circle cx="%s" cy="%s" r="%s"/><circle cx="%s" cy="%s" r="%s"/></g>' % (
        c, f(x - 12 * s), f(cy + 4 * s), f(13.8 * s), f(x + 12 * s), f(cy + 4 * s), f(13.8 * s)))
    if blossoms and r is not None:
        for _ in range(10):
            out.append('<circle cx="%s" cy="%s" r="%s" fill="#ee93b0"/>' % (
                f(x + r.uniform(-24, 24) * s), f(cy + r.uniform(-20, 14) * s), f(2.2 * s)))
    return "".join(out)


# ------------------------------------------------------------------ places

def apart():
    r = rng(101)
    b = [sky(top="#6fb6e6", bottom="#cfeaf8"), cloud(50, 40, 1.0), cloud(262, 70, 0.8)]
    # the tower block, seen from close by: it runs off the top of the picture
    b.append(P("M70 -5 L230 -5 L238 214 L62 214 Z", "#e9e3d6", 2))
    b.append(P("M200 -5 L230 -5 L238 214 L206 214 Z", "#d3ccbd", 0))
    floors = 12
    for i in range(floors):
        y = -2 + i * 17.6
        lw = 70 - 8 * (y + 5) / 219.0
        b.append(P("M%s %s L%s %s" % (f(70 - 8 * (y + 5) / 219), f(y + 14), f(230 + 8 * (y + 5) / 219), f(y + 14)),
                   "none", 1.2))
        for k in range(5):
            x = 80 + k * 29
            lit = "#fff1b8" if r.random() < 0.25 else "#9cc9e6"
            b.append(R(x, y + 2, 20, 10, lit, 1.1))
            b.append(P("M%s %s h22" % (f(x - 1), f(y + 12)), "none", 2.2, "#8c8577"))
    b.append(R(60, 196, 180, 22, "#c9c1b0", 1.8))
    b.append(R(128, 196, 44, 34, "#bfe0f0", 1.8))
    b.append(P("M150 196 V230", "none", 1.4))
    b.append(R(118, 186, 64, 12, "#5c7fa8", 1.6))
    b.append(T(150, 195.5, "メゾン・ヴェル", 9, "#ffffff"))
    b.append(P("M0 230 H300 V260 H0 Z", "#c6c2bb", 1.6))
    b.append(P("M0 236 H300", "none", 1.2, "#a8a39b"))
    b.append(tree(30, 232, 1.0, blossoms=True, r=r))
    b.append(tree(272, 232, 1.1, blossoms=True, r=r))
    # bicycles at the entrance
    for x in (196, 214):
        b.append('<g fill="none" stroke="%s" stroke-width="1.6"><circle cx="%d" cy="236" r="6"/>'
                 '<circle cx="%d" cy="236" r="6"/><path d="M%d 236 l6 -9 l8 0 l4 9 M%d 227 l-2 -4"/></g>'
                 % (INK, x, x + 18, x, x + 6))
    b.append(petals(r, 25, 0, 0, W, H))
    return svg_doc(W, H, "".join(b))


def room(night=False, light="day"):
    r = rng(102)
    wall, wall2, floor = ("#f5ead6", "#eadbc0", "#c99a6a") if not night else ("#5d5a7a", "#4f4c6a", "#6d5a58")
    b = ['<rect width="300" height="260" fill="%s"/>' % wall]
    b.append(P("M0 178 H300 V260 H0 Z", floor, 1.6))
    for i in range(1, 6):
        b.append(P("M0 %s H300" % f(178 + i * 15), "none", 1, "#00000022" if night else "#b3855a"))
    b.append(P("M0 172 H300 V178 H0 Z", wall2, 1.4))
    # window with the sea outside
    wx, wy = 150, 28
    outside = ('<rect x="%d" y="%d" width="120" height="92" fill="%s"/>' % (wx, wy, "#9fd3f1" if not night else "#1f2850") +
               '<rect x="%d" y="%d" width="120" height="30" fill="%s"/>' % (wx, wy + 62, "#3d92c6" if not night else "#1a1f3d"))
    if night:
        outside += '<circle cx="%d" cy="%d" r="9" fill="#fff6c9"/>' % (wx + 92, wy + 20)
        for _ in range(8):
            outside += '<circle cx="%s" cy="%s" r="1" fill="#ffffff"/>' % (f(wx + r.uniform(4, 116)), f(wy + r.uniform(4, 56)))
    else:
        outside += cloud(wx + 40, wy + 30, 0.6)
    b.append(outside)
    b.append(R(wx, wy, 120, 92, "none", 3))
    b.append(P("M%d %d V%d" % (wx + 60, wy, wy + 92), "none", 3))
    b.append(R(wx - 8, wy + 92, 136, 7, "#ffffff" if not night else "#b9b6cc", 1.6))
    cur = "#f29fb2" if not night else "#8a6a8e"
    b.append(P("M%d %d h22 c-4 30 -4 60 4 96 h-26 z" % (wx - 12, wy - 6), cur, 1.6))
    b.append(P("M%d %d h-22 c4 30 4 60 -4 96 h26 z" % (wx + 132, wy - 6), cur, 1.6))
    b.append(P("M%d %d H%d" % (wx - 16, wy - 7, wx + 136), "none", 3))
    # bed on the left
    b.append(P("M0 150 H110 V196 H0 Z", "#7fa8d8" if not night else "#4c5f8a", 1.8))
    b.append(P("M0 132 H112 Q118 132 118 140 V150 H0 Z", "#ffffff" if not night else "#c2c0d6", 1.8))
    b.append(R(10, 132, 40, 14, "#fef3c8" if not night else "#bdb79a", 1.4, rx=6))
    b.append(R(106, 116, 10, 84, "#a87850", 1.6))
    # desk with lamp and books on the right
    b.append(R(196, 142, 104, 8, "#b98a5c", 1.6))
    b.append(R(200, 150, 8, 40, "#a47448", 1.4))
    b.append(R(288, 150, 8, 40, "#a47448", 1.4))
    b.append(P("M270 142 v-20 l-12 -14 h20 l6 14", "none", 2.2))
    b.append(P("M256 108 h24 l-6 -12 h-12 z", "#ffd66b", 1.6))
    for i, c in enumerate(["#d9674f", "#4f7fb5", "#5a9a6b", "#e8b64a"]):
        b.append(R(206 + i * 8, 118 + (i % 2) * 3, 7, 24 - (i % 2) * 3, c, 1.2))
    # poster and clock
    b.append(R(30, 40, 60, 74, "#ffffff", 1.6))
    b.append('<rect x="34" y="44" width="52" height="50" fill="%s"/>' % ("#8ccfee" if not night else "#6a7fa4"))
    b.append(P("M34 94 L52 70 L64 84 L72 76 L86 94 Z", "#6fb36a", 1.2))
    b.append(T(60, 108, "SEA", 9, INK))
    b.append('<circle cx="118" cy="40" r="12" fill="#ffffff" stroke="%s" stroke-width="1.6"/>' % INK)
    b.append(P("M118 32 V40 H124", "none", 1.6))
    # rug
    b.append('<ellipse cx="170" cy="226" rx="70" ry="18" fill="%s" stroke="%s" stroke-width="1.6"/>'
             % ("#f3c47a" if not night else "#8b6c55", INK))
    if night:
        b.append('<rect width="300" height="260" fill="#1a1540" opacity="0.18"/>')
    return svg_doc(W, H, "".join(b))


def bouhatei():
    r = rng(103)
    b = [sky(top="#6db8ea", bottom="#e0f2fb"), cloud(60, 50, 1.2), cloud(220, 30, 0.9)]
    b.append('<rect y="120" width="300" height="140" fill="#3c94c8"/>')
    b.append(P("M0 120 H300", "none", 1.4))
    for i in range(18):
        y = 126 + i * 7
        b.append(P("M%s %s h%s" % (f(r.uniform(0, 300)), f(y), f(r.uniform(12, 30))), "none", 1.6, "#a9dbf2",
                   ' stroke-linecap="round"'))
    # the breakwater runs from the front left out to the lighthouse
    b.append(P("M-5 260 L-5 196 L236 120 L252 122 L120 260 Z", "#c8c5bf", 2))
    b.append(P("M-5 196 L236 120 L240 128 L-5 214 Z", "#a9a59e", 1.6))
    for i in range(9):
        t = i / 9.0
        x = -5 + t * 241
        y = 196 - t * 76
        b.append(P("M%s %s l%s %s" % (f(x), f(y + 2), f(2 + 20 * (1 - t)), f(40 * (1 - t) + 4)), "none", 1, "#9e9a93"))
    # tetrapods heaped along the sea side of the breakwater
    for i in range(16):
        t = i / 16.0
        x = 4 + t * 228 + r.uniform(-3, 3)
        y = 214 - t * 86 + r.uniform(0, 4)
        s = 1.25 - t * 0.75
        b.append('<g transform="translate(%s %s) scale(%s)">' % (f(x), f(y), f(s)) +
                 '<g fill="#bcb8b0" stroke="%s" stroke-width="1.4">' % INK +
                 '<circle cx="-7" cy="4" r="6"/><circle cx="7" cy="4" r="6"/><circle cx="0" cy="-6" r="6"/>'
                 '<circle cx="0" cy="1" r="5.5"/></g>'
                 '<circle cx="-2" cy="-8" r="2" fill="#dedad2"/></g>')
    # red lighthouse at the end
    b.append(P("M236 122 L240 72 L252 72 L256 122 Z", "#e25b55", 1.8))
    b.append(R(238, 86, 16, 5, "#ffffff", 1.2))
    b.append(P("M237 72 h18 l-3 -10 h-12 z", "#fff2b0", 1.6))
    b.append(P("M240 62 h12 l-6 -8 z", "#e25b55", 1.6))
    # gulls
    for (x, y) in [(150, 60), (172, 44), (120, 80)]:
        b.append(P("M%d %d q5 -5 10 0 q5 -5 10 0" % (x, y), "none", 1.8))
    return svg_doc(W, H, "".join(b))


def hokabenya():
    b = ['<rect width="300" height="260" fill="#2b2a44"/>']
    # lit shop interior behind the counter
    b.append(R(14, 40, 272, 170, "#fff1cf", 2))
    b.append('<rect x="14" y="40" width="272" height="30" fill="#ffe3a3"/>')
    # menu boards
    items = [("からあげ弁当", "#e8a04a"), ("のり弁当", "#6b8a4a"), ("幕の内", "#d9674f"), ("焼肉弁当", "#b5553c")]
    for i, (name, c) in enumerate(items):
        x = 24 + i * 66
        b.append(R(x, 76, 58, 50, "#ffffff", 1.6))
        b.append(R(x + 6, 80, 46, 26, "#f6d9a8", 1.2, rx=3))
        b.append('<ellipse cx="%d" cy="93" rx="12" ry="8" fill="%s" stroke="%s" stroke-width="1"/>' % (x + 20, c, INK))
        b.append('<circle cx="%d" cy="92" r="7" fill="#ffffff" stroke="%s" stroke-width="1"/>' % (x + 38, INK))
        b.append(T(x + 29, 119, name, 8.5, INK))
    # back shelf and kitchen window
    b.append(R(24, 136, 100, 40, "#d8d2c4", 1.6))
    b.append(R(30, 142, 88, 28, "#f8f4ea", 1.2))
    b.append(R(180, 134, 90, 50, "#c6a27a", 1.6))
    for i in range(3):
        b.append(R(188 + i * 28, 142, 22, 14, "#ffffff", 1.2))
        b.append(R(188 + i * 28, 162, 22, 14, "#ffffff", 1.2))
    # the counter itself
    b.append(P("M0 196 H300 V212 H0 Z", "#f08a3c", 2))
    b.append(P("M0 212 H300 V260 H0 Z", "#a25a2a", 2))
    b.append(P("M0 230 H300", "none", 1.2, "#7f4520"))
    b.append(R(214, 170, 46, 26, "#6b6b78", 1.6))
    b.append(R(220, 174, 34, 10, "#9fe0a8", 1.2))
    b.append('<circle cx="60" cy="192" r="6" fill="#f3d27a" stroke="%s" stroke-width="1.6"/>' % INK)
    b.append(R(56, 194, 8, 2, "#8c7a4a", 1))
    # awning and sign above
    b.append(P("M0 0 H300 V34 H0 Z", "#f08a3c", 2))
    b.append(T(150, 25, "まんぷく弁当", 20, "#ffffff", extra=' stroke="%s" stroke-width="0.8"' % INK))
    for i in range(10):
        b.append(P("M%d 34 q15 14 30 0" % (i * 30), "#ffffff" if i % 2 else "#f9c68f", 1.6))
    # warm light spill
    b.append('<rect x="14" y="40" width="272" height="170" fill="#fff7c0" opacity="0.15"/>')
    return svg_doc(W, H, "".join(b))


def kouen():
    r = rng(105)
    b = [sky(top="#7cc3ec", bottom="#def1fa"), cloud(240, 36, 0.9)]
    # woods behind
    for i in range(14):
        x = -10 + i * 24
        y = 120 + (i % 3) * 4
        b.append('<circle cx="%d" cy="%d" r="%d" fill="%s" stroke="%s" stroke-width="1.6"/>'
                 % (x, y - 20, 26 + (i % 2) * 6, "#4f9a55" if i % 2 else "#5fae5e", INK))
    b.append(P("M0 118 H300 V260 H0 Z", "#9fd27c", 1.6))
    # cherry trees at the edge
    b.append(tree(22, 140, 1.2, blossoms=True, r=r))
    b.append(tree(276, 138, 1.1, blossoms=True, r=r))
    # path
    b.append(P("M120 260 L140 170 L160 170 L200 260 Z", "#e8d6aa", 1.4))
    # fountain pond
    b.append('<ellipse cx="150" cy="176" rx="92" ry="26" fill="#c9c3b7" stroke="%s" stroke-width="2"/>' % INK)
    b.append('<ellipse cx="150" cy="174" rx="82" ry="20" fill="#59a9d6" stroke="%s" stroke-width="1.4"/>' % INK)
    b.append(R(142, 138, 16, 36, "#d8d2c6", 1.6))
    b.append('<ellipse cx="150" cy="140" rx="22" ry="5" fill="#d8d2c6" stroke="%s" stroke-width="1.6"/>' % INK)
    b.append(P("M150 136 C150 100 128 104 118 130 M150 136 C150 100 172 104 182 130 M150 136 V98",
               "none", 3.2, "#ffffff", ' stroke-linecap="round"'))
    b.append(P("M150 136 C150 100 128 104 118 130 M150 136 C150 100 172 104 182 130 M150 136 V98",
               "none", 1.4, "#8fd0ee", ' stroke-linecap="round"'))
    for (x, y) in [(118, 168), (182, 168), (140, 182), (166, 180)]:
        b.append('<ellipse cx="%d" cy="%d" rx="8" ry="2" fill="none" stroke="#c9ecfb" stroke-width="1.4"/>' % (x, y))
    # food stalls (yatai) in front
    for (x, c, name) in [(10, "#d9674f", "たこ焼"), (214, "#4f7fb5", "やきそば")]:
        b.append(R(x, 208, 78, 40, "#c89a64", 1.8))
        b.append(P("M%d 192 h86 l-6 16 h-74 z" % (x - 4), "#ffffff", 1.8))
        for k in range(4):
            b.append(P("M%d 192 h11 l-1.5 16 h-11 z" % (x - 4 + k * 22 + 4), c, 0))
        b.append(P("M%d 192 h86 l-6 16 h-74 z" % (x - 4), "none", 1.8))
        b.append(R(x + 10, 216, 58, 14, "#fff4d6", 1.2))
        b.append(T(x + 39, 227, name, 10, c))
        b.append(P("M%d 248 V260 M%d 248 V260" % (x + 6, x + 72), "none", 3))
    b.append(petals(r, 30, 0, 0, W, H))
    return svg_doc(W, H, "".join(b))


def akira_house():
    r = rng(106)
    b = [sky(top="#79bfea", bottom="#d9eff9"), cloud(60, 36, 0.9)]
    b.append(tree(268, 150, 1.3, r=r))
    # two-storey house with a tiled roof
    b.append(R(60, 96, 176, 100, "#f3ead8", 2))
    b.append(P("M40 100 L148 44 L256 100 Z", "#566a8a", 2))
    for i in range(1, 5):
        y = 44 + i * 11
        half = (y - 44) * 108 / 56.0
        b.append(P("M%s %s H%s" % (f(148 - half), f(y), f(148 + half)), "none", 1.2, "#3f506c"))
    b.append(P("M56 146 H240 L232 136 H64 Z", "#566a8a", 1.8))
    for x in (80, 176):
        b.append(R(x, 106, 36, 24, "#9fd0ee", 1.6))
        b.append(P("M%d 106 V130" % (x + 18), "none", 1.4))
    b.append(R(84, 156, 50, 28, "#9fd0ee", 1.6))
    b.append(P("M109 156 V184", "none", 1.4))
    b.append(R(160, 150, 34, 46, "#9b6a44", 1.8))
    b.append('<circle cx="186" cy="174" r="2" fill="#ffe07a" stroke="%s" stroke-width="1"/>' % INK)
    # block wall and gate with the name plate
    b.append(P("M0 196 H300 V260 H0 Z", "#cfcac0", 1.6))
    b.append(R(0, 200, 130, 34, "#bdb6aa", 1.8))
    b.append(R(210, 200, 90, 34, "#bdb6aa", 1.8))
    for x in range(0, 130, 26):
        b.append(P("M%d 200 V234" % x, "none", 1, "#9c958a"))
    b.append(R(104, 206, 22, 14, "#ffffff", 1.4))
    b.append('<text x="115" y="217" font-size="9" text-anchor="middle" fill="%s" font-family="IPAMincho">真淵</text>' % INK)
    b.append(P("M130 206 H210 M130 214 H210", "none", 1.2))
    for x in range(134, 210, 8):
        b.append(P("M%d 206 V234" % x, "none", 2.2, "#55565e"))
    b.append(P("M0 234 H300", "none", 1.6))
    # bicycle by the gate
    b.append('<g fill="none" stroke="%s" stroke-width="2"><circle cx="232" cy="246" r="9"/><circle cx="260" cy="246" r="9"/>'
             '<path d="M232 246 l10 -14 l12 0 l6 14 M242 232 l-3 -6 M254 232 l2 -6 h6"/></g>' % INK)
    b.append(P("M242 232 l10 14 l8 -14", "none", 2, "#d9674f"))
    return svg_doc(W, H, "".join(b))


def serubia():
    r = rng(107)
    b = [sky(top="#6fb8ea", bottom="#dcf0fa"), cloud(40, 30, 0.8), cloud(262, 46, 1.0)]
    # the big shopping centre
    b.append(R(10, 50, 280, 96, "#f4f0e8", 2))
    b.append(R(10, 50, 280, 16, "#e25b55", 2))
    b.append(R(92, 26, 116, 40, "#ffffff", 2, rx=6))
    b.append(T(150, 54, "セルビア", 22, "#e25b55"))
    b.append(T(150, 63, "SHOPPING CENTER", 7, "#3b6fb0"))
    for i in range(8):
        b.append(R(20 + i * 34, 74, 26, 20, "#9fd3f1", 1.2))
    b.append(R(118, 104, 64, 42, "#bfe6f7", 2))
    b.append(P("M150 104 V146", "none", 1.4))
    b.append(P("M112 104 H188 L182 96 H118 Z", "#e25b55", 1.6))
    for (x, t, c) in [(24, "FOOD", "#5a9a6b"), (200, "FASHION", "#8d5b8a")]:
        b.append(R(x, 106, 74, 30, c, 1.6))
        b.append(T(x + 37, 125, t, 10, "#ffffff"))
    # car park
    b.append(P("M0 146 H300 V260 H0 Z", "#8e8e96", 1.6))
    for i in range(9):
        x = 8 + i * 36
        b.append(P("M%d 160 L%d 196 M%d 214 L%d 256" % (x, x - 6, x - 8, x - 16), "none", 2, "#f4f4f4"))
    b.append(P("M0 205 H300", "none", 2, "#f4f4f4", ' stroke-dasharray="12 8"'))
    colours = ["#e25b55", "#ffffff", "#4f7fb5", "#e8c24a", "#5a9a6b", "#ffffff", "#d98a4a"]
    for i, (x, y) in enumerate([(14, 166), (86, 166), (158, 166), (230, 166), (40, 222), (148, 222), (220, 222)]):
        c = colours[i]
        b.append(P("M%d %d h30 l4 10 v12 h-38 v-12 z" % (x, y + 4), c, 1.6))
        b.append(P("M%d %d h20 l4 8 h-28 z" % (x + 5, y - 4), c, 1.6))
        b.append(P("M%d %d h16 l3 6 h-22 z" % (x + 7, y - 2), "#bfe6f7", 1))
        b.append('<circle cx="%d" cy="%d" r="4" fill="%s" stroke="%s" stroke-width="1.4"/>' % (x + 3, y + 26, INK, INK))
        b.append('<circle cx="%d" cy="%d" r="4" fill="%s" stroke="%s" stroke-width="1.4"/>' % (x + 29, y + 26, INK, INK))
    b.append(R(262, 120, 30, 26, "#3b6fb0", 1.6))
    b.append(T(277, 140, "P", 20, "#ffffff"))
    return svg_doc(W, H, "".join(b))


def pasokon():
    b = [sky(top="#86c6ec", bottom="#e4f3fb")]
    b.append(R(0, 20, 300, 240, "#dfe4ea", 2))
    b.append(R(0, 20, 300, 40, "#2f5f9e", 2))
    b.append(T(150, 49, "PCショップ ビット", 22, "#ffffff"))
    # big display window full of computers
    b.append(R(14, 72, 186, 150, "#cfe9f7", 2))
    b.append(P("M14 72 L80 72 L14 140 Z", "#ffffff", 0, extra=' opacity="0.45"'))
    for i, (x, y) in enumerate([(26, 96), (92, 88), (146, 100), (36, 160), (110, 158)]):
        b.append(R(x, y, 46, 34, "#3b3f4a", 1.6, rx=2))
        b.append(R(x + 4, y + 4, 38, 24, ["#7fc0ea", "#9ad87a", "#f2b35e", "#b9a6e6", "#f28c8c"][i], 1))
        b.append(P("M%d %d h10 l3 8 h-16 z" % (x + 18, y + 34), "#9a9ea8", 1.4))
    b.append(R(156, 156, 34, 52, "#e9e6de", 1.6))
    b.append(R(160, 162, 26, 4, "#6b6f78", 1))
    b.append(R(160, 170, 26, 4, "#6b6f78", 1))
    b.append('<circle cx="173" cy="196" r="3" fill="#7fdc8a" stroke="%s" stroke-width="1"/>' % INK)
    b.append(R(20, 200, 80, 16, "#ffe066", 1.4))
    b.append(T(60, 212, "大特価！", 10, "#d9483b"))
    # door
    b.append(R(214, 84, 70, 140, "#bfe0f0", 2))
    b.append(P("M249 84 V224", "none", 1.6))
    b.append(R(226, 120, 16, 10, "#ffffff", 1.2))
    b.append(T(234, 128, "OPEN", 5.5, "#2f5f9e"))
    b.append(P("M0 224 H300 V260 H0 Z", "#b9b3a8", 1.6))
    # boxes stacked outside
    b.append(R(190, 232, 30, 22, "#d8b27a", 1.4))
    b.append(R(196, 214, 24, 18, "#e6c48e", 1.4))
    return svg_doc(W, H, "".join(b))


def gakkou():
    """The school from the back: the corridor side with its fire escape, the
    water tank on the roof, the bicycle shed and the back gate (裏門)."""
    r = rng(109)
    b = [sky(top="#76bde9", bottom="#d9eff9"), cloud(250, 28, 0.9), cloud(52, 40, 0.7)]
    # the long block, corridor side: long strips of windows, no clock
    b.append(R(14, 56, 250, 128, "#e7e1d4", 2))
    b.append(R(14, 50, 250, 8, "#d5cdbb", 1.6))
    # the roof: a fence and the water tank
    for x in range(18, 262, 8):
        b.append(P("M%d 50 V40" % x, "none", 1, "#6f7d8a"))
    b.append(P("M14 40 H264", "none", 1.6, "#6f7d8a"))
    b.append(R(188, 18, 40, 22, "#c9d4dc", 1.6, rx=4))
    b.append(P("M192 40 V50 M224 40 V50", "none", 2))
    b.append(T(208, 33, "受水槽", 7, "#55606c"))
    for row in range(3):
        y = 66 + row * 40
        b.append(R(22, y, 234, 18, "#a8d6ef", 1.2))
        for k in range(1, 13):
            b.append(P("M%s %d V%d" % (f(22 + k * 19.5), y, y + 18), "none", 1))
        b.append(P("M14 %d H264" % (y + 30), "none", 1.2, "#cfc7b6"))
    # drainpipes and air-conditioner boxes on the wall
    for x in (60, 150):
        b.append(P("M%d 56 V184" % x, "none", 3, "#8b8f96"))
    for (x, y) in [(90, 86), (200, 126), (120, 166)]:
        b.append(R(x, y, 18, 10, "#f2f2ee", 1.2))
        b.append('<circle cx="%d" cy="%d" r="3" fill="none" stroke="%s" stroke-width="0.9"/>' % (x + 6, y + 5, INK))
    # the fire escape: a zigzag outside stair at the end
    b.append(R(266, 56, 30, 128, "none", 1.6, extra=' stroke-dasharray="2 2"'))
    for k in range(4):
        y = 60 + k * 32
        b.append(P("M266 %d L296 %d" % (y + 30, y), "none", 2.2, "#7d848c"))
        b.append(P("M266 %d H296" % (y + 30), "none", 1.6, "#7d848c"))
    b.append(R(262, 170, 10, 14, "#9aa3ab", 1.2))  # the back door under it
    # the ground behind the school, the bicycle shed and cherry trees
    b.append(P("M0 184 H300 V260 H0 Z", "#c9b48a", 1.6))
    b.append(P("M168 196 L260 190 L262 198 L170 204 Z", "#7aa0c4", 1.6))
    b.append(P("M172 204 V226 M256 198 V222", "none", 2))
    for k in range(5):
        x = 182 + k * 16
        b.append('<circle cx="%d" cy="220" r="5" fill="none" stroke="%s" stroke-width="1.4"/>' % (x, INK))
        b.append('<circle cx="%d" cy="220" r="5" fill="none" stroke="%s" stroke-width="1.4"/>' % (x + 9, INK))
    b.append(tree(36, 214, 1.2, blossoms=True, r=r))
    # the back gate in the fence, with its plate
    b.append(P("M0 228 H300 M0 242 H300", "none", 1.6, "#6f7d8a"))
    for x in range(0, 300, 14):
        if not 96 <= x <= 152:
            b.append(P("M%d 220 V250" % x, "none", 1.6, "#6f7d8a"))
    b.append(R(90, 206, 10, 48, "#b8b2a6", 1.6))
    b.append(R(150, 206, 10, 48, "#b8b2a6", 1.6))
    b.append(P("M100 222 H150 M100 236 H150 M100 250 H150", "none", 1.4, "#6f7d8a"))
    for x in range(106, 150, 8):
        b.append(P("M%d 222 V250" % x, "none", 1.2, "#6f7d8a"))
    b.append(R(83, 187, 24, 17, "#ffffff", 1.2))
    b.append(T(95, 200, "裏門", 10, "#3b2d3a"))
    b.append(P("M0 250 H300 V260 H0 Z", "#9fd27c", 1.4))
    b.append(petals(r, 30, 0, 0, W, H))
    return svg_doc(W, H, "".join(b))


def hanaya():
    r = rng(110)
    b = [sky(top="#86c8ee", bottom="#e5f4fb")]
    b.append(R(0, 22, 300, 238, "#fbf6ec", 2))
    b.append(R(60, 30, 180, 34, "#ffffff", 2, rx=6))
    b.append(T(150, 47, "フラワーショップ", 10, "#5a9a6b"))
    b.append(T(150, 61, "はなぞの", 16, "#e0708f"))
    # green striped awning
    b.append(P("M-2 70 H302 L292 100 H8 Z", "#6cbf6a", 2))
    for i in range(10):
        b.append(P("M%s 70 h15 l-1 30 h-15 z" % f(4 + i * 30), "#ffffff", 0))
    b.append(P("M-2 70 H302 L292 100 H8 Z", "none", 2))
    for i in range(15):
        b.append(P("M%d 100 q10 8 20 0" % (8 + i * 19.0), "#6cbf6a", 1.4))
    # shop window and door
    b.append(R(16, 110, 170, 90, "#d8eef5", 2))
    b.append(R(200, 110, 84, 118, "#cde6ef", 2))
    b.append(P("M242 110 V228", "none", 1.6))
    for i in range(6):
        x = 30 + i * 26
        b.append(P("M%d 196 q4 -30 0 -50" % x, "none", 1.6, "#4f8a44"))
        b.append(blossom(x, 146, 10, i * 13, fill=["#f57fa6", "#ffd84a", "#ffffff", "#f79a5a"][i % 4],
                         centre="#c2587a"))
    # tiered stand with buckets of flowers out front
    b.append(P("M0 200 H300 V260 H0 Z", "#d8d0c2", 1.6))
    b.append(R(10, 214, 180, 10, "#a87850", 1.6))
    b.append(R(4, 236, 192, 10, "#a87850", 1.6))
    cols = ["#f57fa6", "#ffd84a", "#f2505a", "#ffffff", "#b48ae6", "#f79a5a"]
    for row, (y, n) in enumerate([(214, 6), (236, 7)]):
        for k in range(n):
            x = 22 + k * (168.0 / (n - 1 if n > 1 else 1)) * (0.92 if row == 0 else 1.0)
            b.append(R(x - 9, y - 14, 18, 14, "#7a8fa6", 1.4))
            c = cols[(k + row * 2) % len(cols)]
            for j in range(4):
                b.append('<circle cx="%s" cy="%s" r="5" fill="%s" stroke="%s" stroke-width="1.1"/>' % (
                    f(x - 6 + j * 4), f(y - 18 - (j % 2) * 5), c, INK))
    # a potted plant by the door
    b.append(P("M256 228 h24 l-4 26 h-16 z", "#c96f4a", 1.6))
    b.append('<circle cx="268" cy="216" r="16" fill="#5fae5e" stroke="%s" stroke-width="1.6"/>' % INK)
    b.append(petals(r, 10, 0, 0, W, 110))
    return svg_doc(W, H, "".join(b))


def player(x, y, k, shirt, hair, turn):
    """A tennis player standing at (x, y) (the feet), k times a 100 px figure,
    racket out to the side `turn` (+1 right, -1 left)."""
    g = ['<g transform="translate(%s %s) scale(%s)">' % (f(x), f(y), f(k))]
    g.append(P("M-8 0 L-6 -38 M8 0 L6 -38", "none", 5, "#f5d9c6"))
    g.append(P("M-8 0 L-6 -38 M8 0 L6 -38", "none", 1.2))
    g.append(P("M-14 -38 L-12 -62 L12 -62 L14 -38 Z", "#ffffff", 1.6))
    g.append(P("M-16 -60 Q0 -68 16 -60 L14 -86 Q0 -92 -14 -86 Z", shirt, 1.6))
    g.append(P("M%s -82 L%s -58" % (f(14 * turn), f(30 * turn)), "none", 5, "#f5d9c6"))
    g.append(P("M%s -82 L%s -58" % (f(14 * turn), f(30 * turn)), "none", 1.2))
    g.append('<ellipse cx="%s" cy="-44" rx="9" ry="12" fill="none" stroke="#d94848" stroke-width="3"/>'
             % f(36 * turn))
    g.append(P("M%s -58 L%s -55" % (f(30 * turn), f(33 * turn)), "none", 3))
    g.append('<circle cx="0" cy="-100" r="12" fill="#f5d9c6" stroke="%s" stroke-width="1.6"/>' % INK)
    g.append(P("M-12 -102 C-12 -118 12 -118 12 -102 Q0 -108 -12 -102 Z", hair, 1.4))
    g.append("</g>")
    return "".join(g)


def spectator(x, y, hair):
    """Someone waiting for a court, seen behind the fence."""
    return ('<circle cx="%d" cy="%d" r="5" fill="#f5d9c6" stroke="%s" stroke-width="1.2"/>' % (x, y - 14, INK) +
            P("M%d %d C%d %d %d %d %d %d Z" % (x - 5, y - 15, x - 5, y - 22, x + 5, y - 22, x + 5, y - 15), hair, 1) +
            P("M%d %d Q%d %d %d %d Z" % (x - 7, y, x, y - 14, x + 7, y), "#ffffff", 1.2))


def tenisu():
    r = rng(111)
    b = [sky(top="#6fb8ea", bottom="#dcf0fa"), cloud(70, 40, 1.0), cloud(240, 30, 0.7)]
    b.append(tree(30, 104, 1.1, r=r))
    b.append(tree(90, 100, 0.9, r=r))
    b.append(tree(250, 102, 1.2, r=r))
    # fence behind
    b.append(R(-2, 62, 304, 52, "none", 2))
    for x in range(0, 300, 10):
        b.append(P("M%d 62 l10 52 M%d 62 l-10 52" % (x, x + 10), "none", 0.8, "#6f7d8a"))
    for x in range(0, 301, 60):
        b.append(P("M%d 58 V114" % x, "none", 3, "#55606c"))
    # court in perspective
    b.append(P("M0 114 H300 V260 H0 Z", "#c96a4a", 1.6))
    b.append(P("M40 114 H260 L330 260 H-30 Z", "#3f8a5a", 1.6))
    lines = "M52 118 H248 L314 256 H-14 Z M81 118 L48 256 M219 118 L252 256 M72 152 H228 M150 152 V256 M60 204 H240"
    b.append(P(lines, "none", 2.4, "#ffffff"))
    # the net
    b.append(P("M8 176 L8 146 M292 176 L292 146", "none", 4))
    b.append(P("M8 148 H292 V174 H8 Z", "#2c3138", 0, extra=' opacity="0.35"'))
    for x in range(8, 292, 6):
        b.append(P("M%d 148 V174" % x, "none", 0.8, "#2c3138"))
    for y in range(150, 174, 6):
        b.append(P("M8 %d H292" % y, "none", 0.8, "#2c3138"))
    b.append(P("M8 148 H292", "none", 4, "#ffffff"))
    b.append(P("M8 146 H292 M8 150 H292", "none", 0.8))
    # always full: a doubles game on this court, a queue by the fence
    for (x, y, k, shirt, hair, turn) in [(70, 136, 0.42, "#f27d6e", "#4a3426", 1),
                                         (232, 134, 0.42, "#7cc4e8", "#2c2530", -1),
                                         (44, 236, 0.75, "#ffe27a", "#6b4a2e", 1),
                                         (262, 240, 0.78, "#9ad87a", "#1f1a24", -1)]:
        b.append(player(x, y, k, shirt, hair, turn))
    for (x, hair) in [(12, "#5a3b24"), (26, "#2b2430"), (284, "#7a5330")]:
        b.append(spectator(x, 110, hair))
    # racket and balls in front
    b.append('<g transform="translate(222 226) rotate(-30)">'
             '<ellipse cx="0" cy="0" rx="16" ry="21" fill="none" stroke="%s" stroke-width="5"/>'
             '<ellipse cx="0" cy="0" rx="16" ry="21" fill="none" stroke="#d94848" stroke-width="3"/>'
             '<path d="M-8 -18 V18 M0 -21 V21 M8 -18 V18 M-14 -8 H14 M-16 0 H16 M-14 8 H14" stroke="#ffffff" stroke-width="0.9"/>'
             '<rect x="-3" y="21" width="6" height="26" fill="#ffffff" stroke="%s" stroke-width="1.6"/></g>' % (INK, INK))
    for (x, y) in [(178, 240), (194, 248), (60, 228)]:
        b.append('<circle cx="%d" cy="%d" r="6" fill="#d8ef4a" stroke="%s" stroke-width="1.6"/>' % (x, y, INK))
        b.append(P("M%d %d q5 4 0 10" % (x - 3, y - 5), "none", 1.2, "#ffffff"))
    return svg_doc(W, H, "".join(b))


# ------------------------------------------------------------------ title and event pictures

def title_picture():
    img = render_svg(title_scene_svg(W, H, 21))
    outlined_text(img, (150, 96), "Velmora", font(MINCHO_P, 50), "#fff7fa", width=4)
    return img


def event(bg_svg_body, name, expr, tx, ty, scale, w=W, h=H, tint=None, overrides=None):
    fig = figure_svg(name, expr, **(overrides or {}))
    body = bg_svg_body + '<g transform="translate(%s %s) scale(%s)">%s</g>' % (f(tx), f(ty), f(scale), fig)
    if tint:
        body += tint
    return svg_doc(w, h, body)


def strip_svg(doc):
    """The drawing inside an <svg> document, to reuse it as a background."""
    start = doc.index(">") + 1
    return doc[start:doc.rindex("</svg>")]


def hitomi3():
    bg = strip_svg(room())
    warm = '<rect width="300" height="260" fill="#ffcf8a" opacity="0.12"/>'
    return event(bg, "hitomi", "sad", -10, 12, 1.0, tint=warm, overrides=dict(outfit="dress"))


def ryouko2():
    bg = strip_svg(room())
    r = rng(120)
    sparkle = "".join('<path d="M%s %s l2 -6 l2 6 l6 2 l-6 2 l-2 6 l-2 -6 l-6 -2 z" fill="#fff7b0" stroke="%s" '
                      'stroke-width="1"/>' % (f(r.choice((r.uniform(16, 80), r.uniform(222, 284)))), f(r.uniform(20, 150)), INK) for _ in range(6))
    return event(bg, "ryouko", "happy", 0, 12, 1.0, tint=sparkle,
                 overrides=dict(style="tied", outfit="knit"))


def kaori3():
    bg = strip_svg(room(night=True))
    return event(bg, "kaori", "cry", 6, 14, 1.0, overrides=dict(outfit="parka"),
                 tint='<rect width="300" height="260" fill="#20184a" opacity="0.12"/>')


def ending_bg_hanaya(w, h):
    r = rng(130)
    b = ['<defs><linearGradient id="eve" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#f7a46b"/>'
         '<stop offset="0.6" stop-color="#fbd3a0"/><stop offset="1" stop-color="#fde9cc"/></linearGradient></defs>'
         '<rect width="%d" height="%d" fill="url(#eve)"/>' % (w, h)]
    b.append('<circle cx="140" cy="250" r="44" fill="#fff0b8" opacity="0.9"/>')
    b.append('<rect y="250" width="%d" height="%d" fill="#e9866a"/>' % (w, h - 250))
    for i in range(16):
        y = 258 + i * 10
        b.append(P("M%s %s h%s" % (f(r.uniform(0, w)), f(y), f(r.uniform(20, 50))), "none", 2, "#fbc59c",
                   ' stroke-linecap="round"'))
    b.append(P("M0 330 C160 300 340 320 %d 300 V%d H0 Z" % (w, h), "#9ccf7d", 2))
    for i in range(22):
        x = r.uniform(0, w * 0.6)
        y = r.uniform(330, h)
        b.append(blossom(x, y, r.uniform(9, 14), r.uniform(0, 72),
                         fill=r.choice(["#f57fa6", "#ffd84a", "#ffffff", "#f79a5a", "#b48ae6"]), centre="#c2587a"))
    b.append(petals(r, 50, 0, 0, w, h, size=(3, 6)))
    return "".join(b)


def ending_bg_court(w, h):
    r = rng(131)
    b = ['<defs><linearGradient id="eve2" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8fc8ee"/>'
         '<stop offset="1" stop-color="#f8dcc2"/></linearGradient></defs>'
         '<rect width="%d" height="%d" fill="url(#eve2)"/>' % (w, h)]
    b.append(cloud(120, 70, 1.8) + cloud(520, 60, 1.3) + cloud(340, 120, 1.0))
    for i in range(8):
        b.append(tree(i * 84 + 20, 220, 1.5, r=r))
    b.append(P("M0 216 H%d V%d H0 Z" % (w, h), "#c96a4a", 1.6))
    b.append(P("M60 216 H%d L%d %d H-60 Z" % (w - 60, w + 60, h), "#3f8a5a", 1.6))
    b.append(P("M74 222 H%d L%d %d H-40 Z M150 222 L90 %d M%d 222 L%d %d" % (
        w - 74, w + 40, h - 6, h - 6, w - 150, w - 90, h - 6), "none", 3, "#ffffff"))
    b.append(P("M10 330 V280 M%d 330 V280" % (w - 10), "none", 6))
    b.append(P("M10 284 H%d V326 H10 Z" % (w - 10), "#2c3138", 0, extra=' opacity="0.3"'))
    for x in range(10, w - 10, 9):
        b.append(P("M%d 284 V326" % x, "none", 1, "#2c3138"))
    b.append(P("M10 284 H%d" % (w - 10), "none", 6, "#ffffff"))
    b.append(petals(r, 40, 0, 0, w, h, size=(3, 6)))
    return "".join(b)


def hitomi_e1():
    w, h = 609, 425
    return event(ending_bg_hanaya(w, h), "hitomi", "happy", 187, 19, 1.55, w, h)


def kaori_e1():
    w, h = 609, 425
    racket = ('<g transform="translate(120 360) rotate(-62)">'
              '<ellipse cx="0" cy="0" rx="32" ry="42" fill="none" stroke="%s" stroke-width="9"/>'
              '<ellipse cx="0" cy="0" rx="32" ry="42" fill="none" stroke="#d94848" stroke-width="5"/>'
              '<path d="M-16 -36 V36 M0 -42 V42 M16 -36 V36 M-28 -16 H28 M-32 0 H32 M-28 16 H28" stroke="#ffffff" stroke-width="1.6"/>'
              '<rect x="-6" y="42" width="12" height="60" fill="#ffffff" stroke="%s" stroke-width="2.5"/></g>' % (INK, INK))
    ball = ('<circle cx="196" cy="392" r="11" fill="#d8ef4a" stroke="%s" stroke-width="2"/>'
            '<path d="M190 383 q9 8 0 18" fill="none" stroke="#ffffff" stroke-width="2"/>' % INK)
    return event(ending_bg_court(w, h) + racket + ball, "kaori", "happy", 180, 19, 1.55, w, h)


SCENES = {
    "apart.jpg": apart, "heya.jpg": room, "bouhatei.jpg": bouhatei, "hokabenya.jpg": hokabenya,
    "kouen.jpg": kouen, "akira.jpg": akira_house, "serubia.jpg": serubia, "pasokon.jpg": pasokon,
    "gakkou.jpg": gakkou, "hanaya.jpg": hanaya, "tenisu.jpg": tenisu,
    "hitomi3.jpg": hitomi3, "ryouko2.jpg": ryouko2, "kaori3.jpg": kaori3,
    "hitomi_e1.jpg": hitomi_e1, "kaori_e1.jpg": kaori_e1,
}


def main(only=None):
    for name, fn in SCENES.items():
        if only and name not in only:
            continue
        save_jpeg(render_svg(fn()), os.path.join(DATA, name))
    if not only or "title.jpg" in only:
        save_jpeg(title_picture(), os.path.join(DATA, "title.jpg"))


if __name__ == "__main__":
    import sys
    main(sys.argv[1:] or None)
