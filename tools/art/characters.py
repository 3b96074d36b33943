"""The six characters, drawn as bust-up figures in a 300 x 260 frame.

figure_svg(name, expr) returns an SVG group (no <svg> wrapper) so the same
person can be used for the portraits and placed into event pictures with a
transform.  Each character has fixed colours, hair style and clothes.
"""
from common import INK, f

SKIN = "#fde4d5"
SKIN_SHADE = "#f2c2ad"
BLUSH = "#f59aa6"

CHARS = {
    "hitomi": dict(hair="#9a5b34", hair_dark="#6f3d22", hair_light="#c58a5c", eyes="#8a5a2b",
                   style="bob", outfit="apron"),
    "kaori": dict(hair="#2e3350", hair_dark="#1d2036", hair_light="#5a6390", eyes="#3d5a8a",
                  style="ponytail", outfit="polo"),
    "kumi": dict(hair="#e7a54a", hair_dark="#c07f2c", hair_light="#f6cf86", eyes="#c0702a",
                 style="twintails", outfit="hoodie"),
    "satuki": dict(hair="#4b2e55", hair_dark="#301b38", hair_light="#7b5a88", eyes="#6b3f8a",
                   style="long", outfit="sweater", glasses=True),
    "ryouko": dict(hair="#3a2a26", hair_dark="#231915", hair_light="#6a5048", eyes="#5a3a2a",
                   style="kerchief", outfit="shop"),
    "akira": dict(hair="#7a5a2e", hair_dark="#54391a", hair_light="#a88450", eyes="#4a3a2a",
                  style="spiky", outfit="jacket", male=True),
}

CX = 150.0  # horizontal centre of every figure


def _p(d, fill, sw=2.0, stroke=INK, extra=""):
    return '<path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"%s/>' % (
        d, fill, stroke, f(sw), extra)


# ---------------------------------------------------------------- body and clothes

def body(c):
    out = []
    male = c.get("male")
    sh = 44 if male else 52  # shoulder reach from the canvas edge
    torso = "M%d 262 C%d 222 %d 200 124 192 L176 192 C%d 200 %d 222 %d 262 Z" % (
        sh, sh + 8, sh + 40, 300 - sh - 40, 300 - sh - 8, 300 - sh)
    neck = "M136 150 L136 196 Q150 204 164 196 L164 150 Z"
    out.append(_p(neck, SKIN))
    out.append('<path d="M137 170 Q150 182 163 170 L163 158 L137 158 Z" fill="%s"/>' % SKIN_SHADE)
    o = c["outfit"]
    if o == "apron":  # flower shop: yellow cardigan, white collar, green apron
        out.append(_p(torso, "#f7d96a"))
        out.append(_p("M124 192 L150 226 L176 192 L166 190 L150 210 L134 190 Z", "#ffffff", 1.8))
        out.append(_p("M118 262 L122 214 L178 214 L182 262 Z", "#6dae5e"))
        out.append(_p("M124 214 L114 192 M176 214 L186 192", "none", 5, "#4f8a44"))
        out.append(_p("M124 214 L114 192 M176 214 L186 192", "none", 1.2))
        out.append('<g transform="translate(150 236)">' + "".join(  # a flower on the bib
            '<ellipse cx="0" cy="-5" rx="4" ry="5.5" fill="#f57fa6" stroke="%s" stroke-width="1.1" '
            'transform="rotate(%d)"/>' % (INK, k * 72) for k in range(5)) +
            '<circle r="2.6" fill="#ffe07a" stroke="%s" stroke-width="1"/></g>' % INK)
        for x in (96, 204):
            out.append('<circle cx="%d" cy="240" r="2.6" fill="#ffffff" stroke="%s" stroke-width="1"/>' % (x, INK))
    elif o == "polo":  # tennis: white polo with red trim
        out.append(_p(torso, "#ffffff"))
        out.append(_p("M124 192 L138 214 L150 200 L162 214 L176 192 L162 188 L150 198 L138 188 Z", "#ffffff", 1.8))
        out.append(_p("M124 192 L138 214 L150 200", "none", 3, "#d94848"))
        out.append(_p("M176 192 L162 214 L150 200", "none", 3, "#d94848"))
        out.append(_p("M150 200 L150 240", "none", 1.6))
        for y in (212, 228):
            out.append('<circle cx="150" cy="%d" r="2.2" fill="#d94848" stroke="%s" stroke-width="1"/>' % (y, INK))
        out.append(_p("M%d 262 C%d 236 %d 222 %d 214" % (sh + 6, sh + 14, sh + 30, sh + 42), "none", 4, "#d94848"))
        out.append(_p("M%d 262 C%d 236 %d 222 %d 214" % (294 - sh, 286 - sh, 270 - sh, 258 - sh), "none", 4, "#d94848"))
    elif o == "hoodie":  # pink hoodie with the hood behind the neck
        out.append(_p("M100 204 C110 180 190 180 200 204 Z", "#e9779c"))
        out.append(_p(torso, "#f59ab8"))
        out.append(_p("M122 194 Q150 214 178 194", "none", 2))
        out.append(_p("M140 204 L138 238 M160 204 L162 238", "none", 1.6))
        out.append('<circle cx="138" cy="240" r="3" fill="#ffffff" stroke="%s" stroke-width="1.2"/>'
                   '<circle cx="162" cy="240" r="3" fill="#ffffff" stroke="%s" stroke-width="1.2"/>' % (INK, INK))
        out.append(_p("M118 262 Q150 246 182 262", "#e9779c", 1.6))
    elif o == "sweater":  # lavender sweater, white round collar, navy bow
        out.append(_p(torso, "#b7a3d9"))
        out.append(_p("M124 192 Q128 212 150 206 Q172 212 176 192 Q150 200 124 192 Z", "#ffffff", 1.8))
        out.append(_p("M150 206 L134 198 L136 216 Z M150 206 L166 198 L164 216 Z", "#2f3f78", 1.6))
        out.append(_p("M150 206 L144 232 L150 228 L156 232 Z", "#2f3f78", 1.4))
        out.append('<circle cx="150" cy="206" r="3.5" fill="#2f3f78" stroke="%s" stroke-width="1.2"/>' % INK)
        out.append(_p("M96 250 Q150 262 204 250", "none", 1.4, "#8f7bb3"))
    elif o == "shop":  # bento shop: white shirt, orange apron with a name tag
        out.append(_p(torso, "#ffffff"))
        out.append(_p("M124 192 L140 212 L150 198 L160 212 L176 192 L162 188 L150 196 L138 188 Z", "#ffffff", 1.8))
        out.append(_p("M112 262 L116 218 L184 218 L188 262 Z", "#f08a3c"))
        out.append(_p("M118 218 L108 194 M182 218 L192 194", "none", 6, "#e07428"))
        out.append(_p("M118 218 L108 194 M182 218 L192 194", "none", 1.2))
        out.append(_p("M160 228 h20 v10 h-20 z", "#ffffff", 1.3))
        out.append(_p("M163 233 h14", "none", 1.2, "#e07428"))
    elif o == "blouse":  # a day off: mint blouse with a round collar
        out.append(_p(torso, "#a8dcc0"))
        out.append(_p("M124 192 Q130 214 150 206 Q170 214 176 192 Q150 202 124 192 Z", "#ffffff", 1.8))
        for y in (216, 234, 252):
            out.append('<circle cx="150" cy="%d" r="2.4" fill="#ffffff" stroke="%s" stroke-width="1"/>' % (y, INK))
    elif o == "parka":  # grey-blue zip parka
        out.append(_p(torso, "#8fa6c4"))
        out.append(_p("M118 194 C122 184 178 184 182 194 L176 200 Q150 190 124 200 Z", "#7a90ae", 1.8))
        out.append(_p("M150 200 V262", "none", 2))
        out.append(_p("M142 204 L140 226 M158 204 L160 226", "none", 1.6, "#ffffff"))
    elif o == "jacket":  # blue open jacket over a red T-shirt
        out.append(_p(torso, "#3f6fb5"))
        out.append(_p("M122 192 L134 262 L166 262 L178 192 Q150 206 122 192 Z", "#e0524a"))
        out.append(_p("M124 194 Q150 210 176 194", "none", 2.5, "#ffffff"))
        out.append(_p("M122 192 L112 210 L126 214 L134 262", "#4a7cc4", 2))
        out.append(_p("M178 192 L188 210 L174 214 L166 262", "#4a7cc4", 2))
        out.append(_p("M142 236 l8 -6 l8 6 l-8 6 z", "#ffffff", 1.2))
    return "".join(out)


# ---------------------------------------------------------------- head

FACE = ("M104 104 C104 138 124 162 150 170 C176 162 196 138 196 104 "
        "C196 62 176 44 150 44 C124 44 104 62 104 104 Z")


def eye(cx, cy, iris, side, expr, male):
    """side = -1 for the figure's right eye (left of the picture), +1 for the other."""
    out = []
    if expr in ("happy", "cry"):
        if expr == "happy":
            d = "M%s %s C%s %s %s %s %s %s" % (f(cx - 11), f(cy + 4), f(cx - 5), f(cy - 6),
                                               f(cx + 5), f(cy - 6), f(cx + 11), f(cy + 4))
        else:
            d = "M%s %s C%s %s %s %s %s %s" % (f(cx - 11), f(cy + 1), f(cx - 5), f(cy + 7),
                                               f(cx + 5), f(cy + 7), f(cx + 11), f(cy + 1))
        out.append(_p(d, "none", 3))
        if expr == "cry":
            tx = cx + 4 * side
            out.append(_p("M%s %s q-4 9 0 13 q4 -4 0 -13 z" % (f(tx), f(cy + 7)), "#bfe0ff", 1.2))
        return "".join(out)
    h = 9.5 if male else 13.0
    rx = 10.5 if male else 11.0
    out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="#ffffff" stroke="%s" stroke-width="1.2"/>'
               % (f(cx), f(cy + 1), f(rx), f(h), INK))
    out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" stroke="%s" stroke-width="1.2"/>'
               % (f(cx), f(cy + 2), f(rx - 3), f(h - 1), iris, INK))
    out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="#ffffff" opacity="0.28"/>'
               % (f(cx), f(cy + h * 0.5), f(rx - 5.5), f(h * 0.35)))
    out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s"/>'
               % (f(cx), f(cy + 1), f(3.4), f(h * 0.42), INK))
    out.append('<circle cx="%s" cy="%s" r="2.8" fill="#ffffff"/>' % (f(cx + 3 * side * -1 + 0.5), f(cy - 3)))
    out.append('<circle cx="%s" cy="%s" r="1.3" fill="#ffffff"/>' % (f(cx + 3 * side), f(cy + h * 0.5)))
    # upper lid with a small flick at the outer corner
    ox = cx + (rx + 2) * side
    ix = cx - (rx + 1) * side
    top = cy - h + 2
    lid = "M%s %s C%s %s %s %s %s %s L%s %s" % (
        f(ix), f(cy - h * 0.45), f(ix + 4 * side), f(top - 3), f(ox - 6 * side), f(top - 3),
        f(ox), f(cy - h * 0.35), f(ox + 2.5 * side), f(cy - h * 0.6))
    out.append(_p(lid, "none", 3.4 if not male else 2.8))
    if expr == "sad":
        out.append(_p("M%s %s q%s 5 %s 6" % (f(ix), f(cy + h - 1), f(8 * side), f(16 * side)), "none", 1.2))
    return "".join(out)


def brows(c, expr):
    male = c.get("male")
    col = c["hair_dark"]
    sw = 3.2 if male else 2.2
    if expr in ("sad", "cry"):
        l = "M116 %s Q124 %s 136 %s" % (f(92), f(90), f(85))
        r = "M184 %s Q176 %s 164 %s" % (f(92), f(90), f(85))
    else:
        l = "M115 %s Q125 %s 137 %s" % (f(89), f(84), f(87))
        r = "M185 %s Q175 %s 163 %s" % (f(89), f(84), f(87))
    return _p(l, "none", sw, col, ' stroke-linecap="round"') + _p(r, "none", sw, col, ' stroke-linecap="round"')


def mouth(expr, male):
    if expr == "happy":
        return (_p("M140 144 Q150 160 160 144 Q150 148 140 144 Z", "#d4606e", 1.6) +
                '<path d="M144 151 Q150 156 156 151 Q150 150 144 151 Z" fill="#f49aa2"/>')
    if expr == "sad":
        return _p("M144 151 Q150 146 156 151", "none", 1.8)
    if expr == "cry":
        return _p("M143 150 Q150 145 157 150 Q150 153 143 150 Z", "#d4606e", 1.4)
    if expr == "talk":
        return _p("M143 146 Q150 155 157 146 Q150 148 143 146 Z", "#d4606e", 1.5)
    if male:
        return _p("M141 148 Q150 152 160 146", "none", 2)
    return _p("M143 147 Q150 153 157 147", "none", 1.9)


def glasses():
    return ('<g fill="#ffffff" fill-opacity="0.15" stroke="#3c4f9a" stroke-width="2.4">'
            '<rect x="110" y="100" width="34" height="26" rx="9"/><rect x="156" y="100" width="34" height="26" rx="9"/>'
            '</g><path d="M144 110 Q150 106 156 110 M110 108 L102 104 M190 108 L198 104" fill="none" '
            'stroke="#3c4f9a" stroke-width="2.2"/>')


def face(c, expr):
    male = c.get("male")
    out = []
    for x in (102, 198):
        out.append('<ellipse cx="%d" cy="114" rx="7" ry="11" fill="%s" stroke="%s" stroke-width="2"/>'
                   % (x, SKIN, INK))
    out.append(_p(FACE, SKIN, 2.2))
    if not male or expr in ("cry", "sad"):
        for x in (122, 178):
            out.append('<ellipse cx="%d" cy="%d" rx="9" ry="4.5" fill="%s" opacity="%s"/>'
                       % (x, 134 if not male else 133, BLUSH, "0.55" if expr != "cry" else "0.8"))
    out.append(eye(128, 113, c["eyes"], -1, expr, male))
    out.append(eye(172, 113, c["eyes"], 1, expr, male))
    out.append(_p("M150 128 l-2 6 l3 1", "none", 1.4, "#c98f7c"))
    out.append(mouth(expr, male))
    return "".join(out)


# ---------------------------------------------------------------- hair

def locks(cap, start, pts, close):
    """Bangs: the cap path `cap` (ending at `start`), then curved strands through
    alternating tip and notch points, then the cubic `close` back to the cap's start."""
    out = [cap]
    x1, y1 = start
    for (x2, y2) in pts:
        dx, dy = x2 - x1, y2 - y1
        if dy > 0:   # down to a tip
            c1 = (x1 + 0.15 * dx, y1 + 0.6 * dy)
            c2 = (x2 - 0.4 * dx, y2 - 0.05 * dy)
        else:        # back up into a notch
            c1 = (x1 + 0.4 * dx, y1 + 0.05 * dy)
            c2 = (x2 - 0.15 * dx, y2 - 0.6 * dy)
        out.append("C%s %s %s %s %s %s" % (f(c1[0]), f(c1[1]), f(c2[0]), f(c2[1]), f(x2), f(y2)))
        x1, y1 = x2, y2
    out.append(close + " Z")
    return " ".join(out)


def hair_back(c):
    s = c["style"]
    h, d = c["hair"], c["hair_dark"]
    if s == "bob":
        return _p("M92 110 C86 60 118 32 150 32 C182 32 214 60 208 110 C212 150 204 172 196 180 "
                  "L186 172 L150 176 L114 172 L104 180 C96 172 88 150 92 110 Z", h)
    if s == "ponytail":
        return (_p("M176 60 C222 40 246 80 236 132 C230 170 240 200 252 226 C224 212 210 184 206 150 "
                   "C202 118 206 90 180 78 Z", h) +
                _p("M214 96 C222 130 220 170 236 204", "none", 1.5, d) +
                _p("M100 112 C94 62 122 34 150 34 C178 34 206 62 200 112 Z", h))
    if s == "twintails":
        tails = ""
        for side in (-1, 1):
            x0 = 150 + 58 * side
            tails += _p("M%s 74 C%s 80 %s 150 %s 236 C%s 226 %s 150 %s 86 Z" % (
                f(x0), f(x0 + 34 * side), f(x0 + 44 * side), f(x0 + 30 * side),
                f(x0 + 14 * side), f(x0 + 14 * side), f(x0 - 2 * side)), h)
            tails += _p("M%s 100 C%s 140 %s 180 %s 220" % (f(x0 + 22 * side), f(x0 + 30 * side),
                                                           f(x0 + 30 * side), f(x0 + 26 * side)), "none", 1.4, d)
        return tails + _p("M98 112 C92 62 122 34 150 34 C178 34 208 62 202 112 Z", h)
    if s == "long":
        return (_p("M90 110 C84 58 118 30 150 30 C182 30 216 58 210 110 C214 170 222 220 226 262 "
                   "L74 262 C78 220 86 170 90 110 Z", h) +
                _p("M98 150 C96 190 92 230 90 262 M202 150 C204 190 208 230 210 262", "none", 1.4, d))
    if s in ("kerchief", "shortbob"):
        return _p("M96 110 C92 62 120 36 150 36 C180 36 208 62 204 110 C206 140 200 158 192 166 "
                  "L150 160 L108 166 C100 158 94 140 96 110 Z", h)
    if s == "spiky":
        return _p("M100 112 C94 64 120 36 150 36 C180 36 206 64 200 112 Z", h)
    return ""


def hair_front(c):
    s = c["style"]
    h, lt, d = c["hair"], c["hair_light"], c["hair_dark"]
    out = []
    if s == "bob":
        out.append(_p(locks("M98 120 C92 64 120 38 152 38 C186 38 210 66 202 124", (202, 124),
                            [(186, 92), (180, 104), (172, 86), (162, 102), (150, 80), (138, 100), (128, 84),
                             (118, 104), (112, 92)], "C106 100 102 108 98 120"), h))
        out.append(_p("M98 120 C98 140 102 156 110 168 L106 132 Z M202 124 C202 140 198 156 190 168 L194 132 Z", h, 1.8))
        out.append(_p("M118 56 C136 46 166 46 184 56", "none", 4, lt, ' stroke-linecap="round"'))
        # flower hairpin
        out.append('<g transform="translate(188 74)">' + "".join(
            '<ellipse cx="0" cy="-6" rx="5" ry="6.5" fill="#f57fa6" stroke="%s" stroke-width="1.3" '
            'transform="rotate(%d)"/>' % (INK, k * 72) for k in range(5)) +
            '<circle r="3.2" fill="#ffe07a" stroke="%s" stroke-width="1"/></g>' % INK)
    elif s == "ponytail":
        out.append(_p(locks("M100 118 C94 66 120 40 152 40 C184 40 208 66 200 118", (200, 118),
                            [(188, 94), (182, 104), (174, 88), (164, 102), (156, 84), (146, 100), (136, 86),
                             (128, 102), (120, 90)], "C110 98 104 106 100 118"), h))
        out.append(_p("M104 70 C124 50 176 50 196 70", "none", 8, "#ffffff", ' stroke-linecap="round"'))
        out.append(_p("M103 66 C124 44 176 44 197 66 M105 75 C126 55 174 55 195 75", "none", 1.4))
        out.append(_p("M176 62 C186 56 196 58 200 66 C196 74 186 74 178 70 Z", "#d94848", 1.6))  # scrunchie
        out.append(_p("M120 48 C136 42 160 42 176 46", "none", 3, lt, ' stroke-linecap="round"'))
    elif s == "twintails":
        out.append(_p(locks("M98 118 C92 66 120 38 152 38 C186 38 210 66 202 118", (202, 118),
                            [(188, 92), (184, 102), (176, 86), (168, 100), (158, 82), (150, 98), (140, 84),
                             (132, 100), (122, 86), (116, 100)], "C108 102 102 108 98 118"), h))
        out.append(_p("M118 54 C136 44 166 44 184 54", "none", 4, lt, ' stroke-linecap="round"'))
        for side in (-1, 1):
            x0 = 150 + 60 * side
            out.append('<g transform="translate(%s 74)">' % f(x0) +
                       _p("M0 0 L-16 -10 L-14 10 Z M0 0 L16 -10 L14 10 Z", "#f2557f", 1.6) +
                       '<circle r="4" fill="#f2557f" stroke="%s" stroke-width="1.4"/></g>' % INK)
    elif s == "long":
        out.append(_p("M94 120 C88 64 118 36 152 36 C186 36 214 64 206 120 L198 98 L104 98 Z", h))
        out.append(_p("M104 98 L198 98", "none", 2))
        out.append(_p("M94 120 C94 150 96 172 102 190 L110 120 Z M206 120 C206 150 204 172 198 190 L190 120 Z", h, 1.8))
        out.append(_p("M118 52 C136 42 166 42 184 52", "none", 4, lt, ' stroke-linecap="round"'))
    elif s == "kerchief":
        out.append(_p(locks("M100 118 C96 70 120 58 150 58 C180 58 204 70 200 118", (200, 118),
                            [(184, 94), (176, 104), (168, 88), (156, 102), (146, 86), (136, 102), (126, 90),
                             (118, 102)], "C110 104 104 110 100 118"), h))
        out.append(_p("M98 78 C96 46 120 30 150 30 C180 30 204 46 202 78 C180 66 120 66 98 78 Z", "#f08a3c"))
        out.append(_p("M98 78 C120 66 180 66 202 78", "none", 3, "#ffffff"))
        out.append(_p("M198 70 L214 60 L210 82 Z", "#f08a3c", 1.6))
    elif s == "shortbob":  # the same short hair without the shop's kerchief
        out.append(_p(locks("M98 118 C94 64 120 40 152 40 C184 40 206 64 202 118", (202, 118),
                            [(186, 92), (178, 104), (170, 88), (158, 102), (148, 84), (138, 102), (126, 88),
                             (118, 104), (112, 94)], "C106 100 100 108 98 118"), h))
        out.append(_p("M120 54 C136 46 164 46 180 54", "none", 4, lt, ' stroke-linecap="round"'))
    elif s == "spiky":
        out.append(_p(locks("M98 118 L92 84 L102 88 L100 58 L114 66 L118 40 L132 52 L146 30 L156 48 L172 32 "
                            "L178 52 L196 44 L194 66 L208 64 L200 88 L208 92 L202 118", (202, 118),
                            [(186, 94), (178, 106), (170, 88), (160, 104), (150, 86), (140, 104), (130, 88),
                             (122, 106), (114, 94)], "C106 100 102 108 98 118"), h))
        out.append(_p("M124 54 L138 48 M164 46 L176 52", "none", 3, lt, ' stroke-linecap="round"'))
    return "".join(out)


def figure_svg(name, expr="smile", **change):
    """`change` swaps single traits for an event picture, e.g. other clothes."""
    c = dict(CHARS[name], **change)
    parts = [hair_back(c), body(c), face(c, expr), hair_front(c), brows(c, expr)]
    if c.get("glasses"):
        parts.append(glasses())
    return '<g transform="translate(150 262) scale(1.1) translate(-150 -262)">%s</g>' % "".join(parts)
