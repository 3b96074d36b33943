"""The six characters, drawn as bust-up figures in a 300 x 260 frame.

figure_svg(name, expr) returns an SVG group (no <svg> wrapper) so the same
person can be used for the portraits and placed into event pictures with a
transform.  Each character has fixed colours, hair style and clothes.
"""
from common import INK, f

SKIN = "#fde4d5"
SKIN_SHADE = "#f2c2ad"
SKIN_SHADE_INK = "#c98f7c"  # the nose line
TAN = "#f1c9a5"             # Kaori, out on the court every day
TAN_SHADE = "#e0a985"
BLUSH = "#f59aa6"

CHARS = {
    "hitomi": dict(hair="#9a5b34", hair_dark="#6f3d22", hair_light="#c58a5c", eyes="#8a5a2b",
                   style="bob", outfit="cardigan"),
    "kaori": dict(hair="#2e3350", hair_dark="#1d2036", hair_light="#5a6390", eyes="#3d5a8a",
                  style="ponytail", outfit="polo", skin=TAN, skin_shade=TAN_SHADE,
                  skin_shade_ink="#b07a5e"),
    "kumi": dict(hair="#e7a54a", hair_dark="#c07f2c", hair_light="#f6cf86", eyes="#c0702a",
                 style="twintails", outfit="hoodie"),
    "satuki": dict(hair="#4b2e55", hair_dark="#301b38", hair_light="#7b5a88", eyes="#6b3f8a",
                   style="long", outfit="sweater", glasses=True),
    "ryouko": dict(hair="#3a2a26", hair_dark="#231915", hair_light="#6a5048", eyes="#5a3a2a",
                   style="kerchief", outfit="shop", tail=True, head=0.9),
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
    out.append(_p(neck, c["skin"]))
    out.append('<path d="M137 170 Q150 182 163 170 L163 158 L137 158 Z" fill="%s"/>' % c["skin_shade"])
    o = c["outfit"]
    if o == "cardigan":  # Hitomi's own clothes: a yellow cardigan over a white blouse
        out.append(_p(torso, "#f7d96a"))
        out.append(_p("M126 192 L140 262 L160 262 L174 192 Q150 204 126 192 Z", "#ffffff", 1.8))
        out.append(_p("M126 192 L136 212 L150 202 L164 212 L174 192 Q150 200 126 192 Z", "#ffffff", 1.8))
        out.append(_p("M150 202 L146 210 L150 214 L154 210 Z", "#f57fa6", 1.2))  # a ribbon tie
        out.append(_p("M126 192 L140 262 M174 192 L160 262", "none", 2))
        for y in (226, 246):
            out.append('<circle cx="%d" cy="%d" r="2.4" fill="#ffffff" stroke="%s" stroke-width="1"/>' % (136, y, INK))
        out.append(_p("M%d 250 Q%d 246 %d 250" % (sh + 14, sh + 24, sh + 34), "none", 1.3, "#d9b548"))
        out.append(_p("M%d 250 Q%d 246 %d 250" % (266 - sh, 276 - sh, 286 - sh), "none", 1.3, "#d9b548"))
    elif o == "dress":  # her birthday: a light-blue dress with a white collar
        out.append(_p(torso, "#9fd3f0"))
        out.append(_p("M124 192 Q128 214 150 206 Q172 214 176 192 Q150 202 124 192 Z", "#ffffff", 1.8))
        out.append(_p("M150 206 L150 262", "none", 1.2, "#6fb0d6"))
        for y in (222, 240):
            out.append('<circle cx="150" cy="%d" r="2.2" fill="#ffffff" stroke="%s" stroke-width="1"/>' % (y, INK))
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
    elif o == "knit":  # a day off: a beige knit cardigan over a navy top
        out.append(_p(torso, "#e6d3b3"))
        out.append(_p("M128 192 L142 262 L158 262 L172 192 Q150 210 128 192 Z", "#34406a", 1.8))
        out.append(_p("M128 192 L142 262 M172 192 L158 262", "none", 2))
        for y in (224, 244):
            out.append('<circle cx="%d" cy="%d" r="2.3" fill="#8a6a44" stroke="%s" stroke-width="1"/>' % (138, y, INK))
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
#
# Every face is drawn from the same parts in the same ink, but each person has
# a face of their own, known with the hair and the clothes covered: its
# outline, where the eyes sit (`eyes`: the picture-left one's centre; the
# brows go with them), the eyes themselves (size, slant, lids, lashes), the
# brows, the nose, the mouth and where it sits (`mouth`: down by, and as wide
# as), and one small mark.

FACES = {
    # Kumi: a round, wide face; big eyes set high and wide apart, slanting
    # up; short thick brows cocked high; a wide grin with one little fang.
    "kumi": dict(shape="round", eyes=(125, 110),
                 eye=dict(rx=12, ry=13.5, slant=9, iris=0.72, lid=3.6, lashes=2, shine=2),
                 brow=((119, 88), (126, 78), (137, 80), 3.6), mouth="fang", mouth_at=(0, 1.15),
                 nose="button"),
    # Kaori: sun-tanned, a heart-shaped face tapering to its chin; almond
    # eyes, straight bold brows low over them; a broad grin with teeth.
    "kaori": dict(shape="sporty", eyes=(126, 114),
                  eye=dict(rx=12.5, ry=9.5, slant=4, iris=0.66, lid=3.4, lashes=1, almond=True,
                           shine=1),
                  brow=((113, 93), (126, 91), (140, 92), 3.8), mouth="teeth", mouth_at=(4, 1.2)),
    # Satsuki: a long, narrow face; calm half-closed eyes set close together,
    # drooping at the ends; thin worried brows, their inner ends raised; a
    # small closed mouth low on her face; a mole under her left eye.
    "satuki": dict(shape="oval", eyes=(131, 117),
                   eye=dict(rx=10, ry=10.5, slant=-9, iris=0.7, lid=3.0, lashes=1, halflid=0.38,
                            shine=1),
                   brow=((116, 93), (126, 91), (138, 85), 1.6), mouth="small", mouth_at=(7, 0.8),
                   mole=(182, 136)),
    # Hitomi: a small, soft face with a short chin; large round eyes set low
    # under a high forehead, drooping and full of light; thin brows arched
    # high above them; a little cat mouth close under the nose.
    "hitomi": dict(shape="soft", eyes=(127, 119),
                   eye=dict(rx=12.5, ry=14, slant=-7, iris=0.8, lid=3.0, lashes=2, shine=3),
                   brow=((112, 91), (124, 81), (138, 84), 1.6), mouth="cat", mouth_at=(-2, 0.85),
                   blush=1.3),
    # Ryouko: older: a longer face with an angular jaw and a pointed chin;
    # narrow eyes set high, with a long liner at the outer corner and lower
    # lashes; long thin straight brows; a long nose; coloured lips.
    "ryouko": dict(shape="sharp", eyes=(129, 109),
                   eye=dict(rx=12, ry=7.5, slant=5, iris=0.56, lid=2.8, lashes=3, almond=True,
                            lower=True, shine=1),
                   brow=((111, 93), (127, 89), (142, 90), 1.6), mouth="lips", mouth_at=(6, 0.95),
                   earrings=True, nose="long", blush=0.7, shadow="#c7869a"),
    # Akira: a wide, square jaw; small eyes set close under a flat heavy lid,
    # no lashes; thick brows slanting down to the nose; a crooked grin; a
    # sticking plaster on his nose.
    "akira": dict(shape="square", eyes=(131, 112),
                  eye=dict(rx=9.5, ry=7.5, slant=6, iris=0.62, lid=3.2, lashes=0, flat=True,
                           shine=1),
                  brow=((112, 85), (125, 82), (141, 89), 4.6), mouth="smirk", mouth_at=(3, 1.05),
                  plaster=True, nose="boy"),
}

# Where the eyes sit when a face does not say (the brows' table is drawn
# for eyes there).
EYES_AT = (128, 113)

FACE_SHAPES = {  # outline, and the x of the ears
    "round": ("M99 104 C99 145 124 164 150 166 C176 164 201 145 201 104 "
              "C201 62 176 44 150 44 C124 44 99 62 99 104 Z", 99),
    "soft": ("M106 108 C106 140 126 158 150 163 C174 158 194 140 194 108 "
             "C194 64 176 46 150 46 C124 46 106 64 106 108 Z", 106),
    "sporty": ("M102 100 C102 126 116 154 150 174 C184 154 198 126 198 100 "
               "C198 60 176 44 150 44 C124 44 102 60 102 100 Z", 102),
    "oval": ("M109 102 C109 144 128 174 150 181 C172 174 191 144 191 102 "
             "C191 60 174 44 150 44 C126 44 109 60 109 102 Z", 109),
    "sharp": ("M107 98 C107 124 112 144 124 157 C134 168 142 180 150 182 C158 180 166 168 176 157 "
              "C188 144 193 124 193 98 C193 58 174 42 150 42 C126 42 107 58 107 98 Z", 107),
    "square": ("M98 100 L99 136 C102 154 118 167 136 171 L164 171 C182 167 198 154 201 136 "
               "L202 100 C202 58 176 42 150 42 C124 42 98 58 98 100 Z", 98),
}

_clip_ids = [0]


def _eye_outline(e):
    rx, ry = e["rx"], e["ry"]
    if e.get("flat"):  # a heavy straight lid over a rounder lower edge
        return "M%s 0 C%s %s %s %s %s 0 C%s %s %s %s %s 0 Z" % (
            f(-rx), f(-rx * 0.7), f(-ry * 1.05), f(rx * 0.7), f(-ry * 1.05), f(rx),
            f(rx * 0.8), f(ry * 1.25), f(-rx * 0.8), f(ry * 1.25), f(-rx))
    if e.get("almond"):  # pointed corners
        return "M%s 0 C%s %s %s %s %s 0 C%s %s %s %s %s 0 Z" % (
            f(-rx), f(-rx * 0.55), f(-ry * 1.35), f(rx * 0.55), f(-ry * 1.35), f(rx),
            f(rx * 0.55), f(ry * 1.3), f(-rx * 0.55), f(ry * 1.3), f(-rx))
    return None  # a plain ellipse


def eye(cx, cy, iris, side, expr, e, skin):
    """side = -1 for the figure's right eye (left of the picture), +1 for the
    other. Drawn upright around (0, 0), then turned by the eye's slant."""
    out = []
    rx, ry = e["rx"], e["ry"]
    turn = -side * e["slant"]
    g = '<g transform="translate(%s %s) rotate(%s)">' % (f(cx), f(cy), f(turn))
    if expr in ("happy", "cry"):
        w = rx * 0.95
        if expr == "happy":
            lift = ry * (0.35 if e.get("flat") else 0.55)
            d = "M%s %s Q0 %s %s %s" % (f(-w), f(4), f(4 - 2 * lift - 4), f(w), f(4))
        else:
            d = "M%s 1 Q0 %s %s 1" % (f(-w), f(8), f(w))
        out.append(g + _p(d, "none", e["lid"], extra=' stroke-linecap="round"'))
        if e["lashes"] and expr == "happy":
            out.append(_p("M%s 4 l%s 2" % (f(w * side), f(3 * side)), "none", 1.6))
        out.append("</g>")
        if expr == "cry":
            tx = cx + 4 * side
            out.append(_p("M%s %s q-4 9 0 13 q4 -4 0 -13 z" % (f(tx), f(cy + 7)), "#bfe0ff", 1.2))
        return "".join(out)
    _clip_ids[0] += 1
    cid = "eye%d" % _clip_ids[0]
    shape = _eye_outline(e)
    if shape:
        out.append('<defs><clipPath id="%s"><path d="%s"/></clipPath></defs>' % (cid, shape))
        out.append(g)
        out.append('<path d="%s" fill="#ffffff"/>' % shape)
    else:
        out.append('<defs><clipPath id="%s"><ellipse cx="0" cy="1" rx="%s" ry="%s"/></clipPath></defs>'
                   % (cid, f(rx), f(ry)))
        out.append(g)
        out.append('<ellipse cx="0" cy="1" rx="%s" ry="%s" fill="#ffffff"/>' % (f(rx), f(ry)))
    ir = rx * e["iris"]
    ih = ry * 0.95 if not e.get("flat") else ry * 1.1
    out.append('<g clip-path="url(#%s)">' % cid)
    out.append('<ellipse cx="0" cy="%s" rx="%s" ry="%s" fill="%s" stroke="%s" stroke-width="1.2"/>'
               % (f(ry * 0.12), f(ir), f(ih), iris, INK))
    out.append('<ellipse cx="0" cy="%s" rx="%s" ry="%s" fill="#ffffff" opacity="0.28"/>'
               % (f(ih * 0.55), f(ir * 0.55), f(ih * 0.35)))
    out.append('<ellipse cx="0" cy="%s" rx="%s" ry="%s" fill="%s"/>'
               % (f(ry * 0.12), f(ir * 0.4), f(ih * 0.45), INK))
    shine = e.get("shine", 1)
    out.append('<circle cx="%s" cy="%s" r="%s" fill="#ffffff"/>'
               % (f(-ir * 0.35 * side + 0.5), f(-ih * 0.3), f(1.6 + 0.5 * shine)))
    if shine >= 2:
        out.append('<circle cx="%s" cy="%s" r="1.4" fill="#ffffff"/>' % (f(ir * 0.4 * side), f(ih * 0.45)))
    if shine >= 3:
        out.append('<circle cx="%s" cy="%s" r="1.0" fill="#ffffff"/>' % (f(ir * 0.5 * side), f(-ih * 0.45)))
    out.append("</g>")
    if shape:
        out.append('<path d="%s" fill="none" stroke="%s" stroke-width="1.1"/>' % (shape, INK))
    else:
        out.append('<ellipse cx="0" cy="1" rx="%s" ry="%s" fill="none" stroke="%s" stroke-width="1.1"/>'
                   % (f(rx), f(ry), INK))
    if e.get("halflid"):  # the upper lid comes down over the top of the eye
        top = -ry + 2 * ry * e["halflid"]
        out.append('<path d="M%s %s H%s V%s Q0 %s %s %s Z" fill="%s"/>' % (
            f(-rx - 2), f(-ry - 4), f(rx + 2), f(top + 2), f(top - 2), f(-rx - 2), f(top + 2), skin))
    # the upper lid line, heavier towards the outer corner
    lidy = -ry + (2 * ry * e["halflid"] if e.get("halflid") else 0)
    ox, ix = (rx + 1.5) * side, -(rx + 0.5) * side
    if e.get("flat"):
        lid = "M%s %s L%s %s L%s %s" % (f(ix), f(lidy * 0.55), f(ix * 0.5), f(lidy * 0.98),
                                       f(ox * 0.92), f(lidy * 0.92))
        out.append(_p(lid, "none", e["lid"], extra=' stroke-linecap="round"'))
    else:
        lid = "M%s %s C%s %s %s %s %s %s" % (f(ix), f(lidy * 0.45), f(ix * 0.6), f(lidy * 1.25),
                                             f(ox * 0.55), f(lidy * 1.25), f(ox), f(lidy * 0.3))
        out.append(_p(lid, "none", e["lid"], extra=' stroke-linecap="round"'))
    for k in range(e["lashes"]):  # flicks at the outer corner
        y0 = lidy * (0.3 + 0.28 * k)
        out.append(_p("M%s %s l%s %s" % (f(ox - 1.5 * side * k), f(y0), f(4.5 * side), f(-3.5 - 1.2 * k)),
                      "none", 1.8, extra=' stroke-linecap="round"'))
    if e.get("lower"):
        out.append(_p("M%s %s Q%s %s %s %s" % (f(ox * 0.35), f(ry * 1.05), f(ox * 0.8), f(ry * 0.95),
                                               f(ox * 1.02), f(ry * 0.2)), "none", 1.3))
    out.append("</g>")
    if expr == "sad":
        out.append(_p("M%s %s q%s 5 %s 6" % (f(cx - rx * side), f(cy + ry), f(8 * side), f(16 * side)),
                      "none", 1.2))
    return "".join(out)


def brows(c, expr):
    """The face table gives the picture-left brow (inner end, peak, outer end read
    from the outer end inwards, and its weight); the other one is its mirror."""
    traits = FACES[c["name"]]
    (ox, oy), (px, py), (ix, iy), sw = traits["brow"]
    ex, ey = traits.get("eyes", EYES_AT)
    dx, dy = ex - EYES_AT[0], ey - EYES_AT[1]
    ox, px, ix, oy, py, iy = ox + dx, px + dx, ix + dx, oy + dy, py + dy, iy + dy
    if expr in ("sad", "cry"):  # the inner ends rise
        iy -= 5
        py -= 1
        oy += 2
    col = c["hair_dark"]
    out = []
    for m in (lambda x: x, lambda x: 300 - x):
        d = "M%s %s Q%s %s %s %s" % (f(m(ox)), f(oy), f(m(px)), f(py), f(m(ix)), f(iy))
        out.append(_p(d, "none", sw, col, ' stroke-linecap="round"'))
    return "".join(out)


def mouth(expr, style):
    if expr == "sad":
        return _p("M144 151 Q150 146 156 151", "none", 1.8)
    if expr == "cry":
        return _p("M143 150 Q150 145 157 150 Q150 153 143 150 Z", "#d4606e", 1.4)
    if style == "fang":
        if expr == "happy":
            d = "M136 143 Q150 163 164 143 Q150 147 136 143 Z"
        else:
            d = "M138 145 Q150 160 162 145 Q150 148 138 145 Z"
        return (_p(d, "#d4606e", 1.6) +
                '<path d="M143 151 Q150 157 157 151 Q150 150 143 151 Z" fill="#f49aa2"/>' +
                _p("M141 145.5 l2.5 5 l2.5 -4.6 Z", "#ffffff", 1.1))
    if style == "teeth":
        d = "M135 142 Q150 164 165 142 Q150 146 135 142 Z"
        return (_p(d, "#c94f5e", 1.6) +
                '<path d="M137.5 143.4 Q150 147 162.5 143.4 L161 148 Q150 151 139 148 Z" fill="#ffffff"/>' +
                _p(d, "none", 1.6))
    if style == "cat":
        if expr == "happy":
            return (_p("M142 145 Q150 158 158 145 Q150 148 142 145 Z", "#d4606e", 1.5) +
                    _p("M140 144 q2 -2 3 0 M160 144 q-2 -2 -3 0", "none", 1.2))
        return _p("M140 145 Q145 151 150 146 Q155 151 160 145", "none", 1.8,
                  extra=' stroke-linecap="round"')
    if style == "small":
        if expr == "happy":
            return _p("M144 147 Q150 154 156 147 Q150 149 144 147 Z", "#d4606e", 1.4)
        return _p("M145 149 Q150 152 155 149", "none", 1.7, extra=' stroke-linecap="round"')
    if style == "lips":
        if expr == "happy":
            return (_p("M140 146 Q150 157 160 146 Q150 149 140 146 Z", "#c9505e", 1.5) +
                    '<path d="M144 152 Q150 155 156 152" fill="none" stroke="#e48a94" stroke-width="1.6"/>')
        return ('<path d="M143 152 Q150 157 157 152 Q150 153 143 152 Z" fill="#e8868f"/>' +
                _p("M140 148 Q150 154 160 148", "none", 1.8, extra=' stroke-linecap="round"'))
    if style == "smirk":  # one corner up, a tooth showing on that side
        if expr == "happy":
            return (_p("M137 143 Q148 162 163 141 Q150 147 137 143 Z", "#c94f5e", 1.6) +
                    '<path d="M150 145.6 L162 141.8 L160 146.2 Z" fill="#ffffff"/>')
        return (_p("M139 148 Q150 153 163 143", "none", 2.2, extra=' stroke-linecap="round"') +
                _p("M163 143 l2 -1.5", "none", 1.6, extra=' stroke-linecap="round"'))
    return _p("M143 147 Q150 153 157 147", "none", 1.9)


def glasses(ex, ey):
    """Round-cornered frames over eyes whose picture-left one is at (ex, ey)."""
    lx, rx, top = ex - 18, 300 - ex - 16, ey - 13
    return ('<g fill="#ffffff" fill-opacity="0.15" stroke="#3c4f9a" stroke-width="2.4">'
            '<rect x="%s" y="%s" width="34" height="26" rx="9"/><rect x="%s" y="%s" width="34" height="26" rx="9"/>'
            '</g><path d="M%s %s Q150 %s %s %s M%s %s L102 %s M%s %s L198 %s" fill="none" '
            'stroke="#3c4f9a" stroke-width="2.2"/>'
            % (f(lx), f(top), f(rx), f(top), f(lx + 34), f(top + 10), f(top + 6), f(rx), f(top + 10),
               f(lx), f(top + 8), f(top + 4), f(rx + 34), f(top + 8), f(top + 4)))


def face(c, expr):
    traits = FACES[c["name"]]
    outline, ear = FACE_SHAPES[traits["shape"]]
    skin = c["skin"]
    ex, ey = traits.get("eyes", EYES_AT)
    out = []
    for x in (ear + 1, 300 - ear - 1):
        out.append('<ellipse cx="%d" cy="114" rx="7" ry="11" fill="%s" stroke="%s" stroke-width="2"/>'
                   % (x, skin, INK))
    if traits.get("earrings"):
        for x in (ear + 1, 300 - ear - 1):
            out.append('<circle cx="%d" cy="127" r="2.8" fill="#fffaf0" stroke="%s" stroke-width="1.1"/>' % (x, INK))
    out.append(_p(outline, skin, 2.2))
    male = c.get("male")
    if not male or expr in ("cry", "sad"):
        k = traits.get("blush", 1.0)
        for x in (ex - 6, 300 - ex + 6):
            out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" opacity="%s"/>'
                       % (f(x), f(ey + 21), f(9 * k), f(4.5 * k), BLUSH, "0.55" if expr != "cry" else "0.8"))
    e = traits["eye"]
    if traits.get("shadow") and expr not in ("happy", "cry"):  # a touch of eye make-up
        for x in (ex, 300 - ex):
            out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="5" fill="%s" opacity="0.45"/>'
                       % (f(x), f(ey - e["ry"]), f(e["rx"] + 1), traits["shadow"]))
    out.append(eye(ex, ey, c["eyes"], -1, expr, e, skin))
    out.append(eye(300 - ex, ey, c["eyes"], 1, expr, e, skin))
    nose = traits.get("nose")
    ny = ey - EYES_AT[1]  # the nose sits as far under the eyes on every face
    if nose == "long":
        out.append(_p("M151 %s l-2.5 11 l3.5 1" % f(121 + ny), "none", 1.4, c["skin_shade_ink"]))
    elif nose == "boy":
        out.append(_p("M152 %s l-4 10 l6 1" % f(124 + ny), "none", 1.7, c["skin_shade_ink"]))
    elif nose == "button":
        out.append(_p("M147 %s q3 3 6 0" % f(132 + ny), "none", 1.5, c["skin_shade_ink"],
                      ' stroke-linecap="round"'))
    else:
        out.append(_p("M150 %s l-2 6 l3 1" % f(128 + ny), "none", 1.4, c["skin_shade_ink"]))
    if traits.get("mole"):
        out.append('<circle cx="%s" cy="%s" r="1.5" fill="%s"/>' % (f(traits["mole"][0]), f(traits["mole"][1]), INK))
    if traits.get("plaster"):
        out.append(_p("M111 134 L128 129 L130.5 136.5 L113.5 141.5 Z", "#f6dcb4", 1.4))
        out.append('<circle cx="118" cy="136" r="0.8" fill="%s"/><circle cx="123" cy="134.5" r="0.8" fill="%s"/>'
                   % (INK, INK))
    down, wide = traits.get("mouth_at", (0, 1.0))
    out.append('<g transform="translate(150 %s) scale(%s 1) translate(-150 0)">%s</g>'
               % (f(down), f(wide), mouth(expr, traits["mouth"])))
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
    if s in ("kerchief", "tied"):  # long hair pulled back: close to the head
        return _p("M98 110 C94 62 120 36 150 36 C180 36 206 62 202 110 C204 132 198 146 190 152 "
                  "L150 150 L110 152 C102 146 96 132 98 110 Z", h)
    if s == "shortbob":
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
    elif s == "tied":  # her own hair on a day off: a side-swept fringe, the rest tied back
        out.append(_p("M100 118 C94 64 122 38 154 38 C186 38 208 64 200 112 C192 96 176 84 160 80 "
                      "C150 92 132 104 112 108 C106 110 102 114 100 118 Z", h))
        out.append(_p("M160 80 C170 90 180 100 186 114", "none", 1.4, d))
        out.append(_p("M124 52 C140 44 166 44 182 52", "none", 4, lt, ' stroke-linecap="round"'))
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


def tail(c):
    """Long hair tied low at the nape and brought forward over one shoulder."""
    h, d = c["hair"], c["hair_dark"]
    return (_p("M112 150 C98 170 92 200 96 236 C98 250 106 258 112 262 C114 240 116 210 124 186 "
               "C128 172 126 158 120 150 Z", h) +
            _p("M108 176 C102 200 102 226 106 250", "none", 1.3, d) +
            _p("M110 158 C114 152 124 154 126 162 C122 168 114 168 110 164 Z", "#f2f2f2", 1.5))


def figure_svg(name, expr="smile", scale=1.1, **change):
    """`change` swaps single traits for an event picture, e.g. other clothes.
    The figure stands on the bottom edge, scaled about its middle there."""
    c = dict(CHARS[name], name=name, **change)
    c.setdefault("skin", SKIN)
    c.setdefault("skin_shade", SKIN_SHADE)
    c.setdefault("skin_shade_ink", SKIN_SHADE_INK)
    head = [face(c, expr), hair_front(c), brows(c, expr)]
    if c.get("glasses"):
        head.append(glasses(*FACES[name].get("eyes", EYES_AT)))
    k = c.get("head", 1.0)  # a grown-up's head sits smaller on her shoulders
    around = '<g transform="translate(150 172) scale(%g) translate(-150 -172)">%%s</g>' % k
    parts = [around % hair_back(c), body(c), around % "".join(head)]
    if c.get("tail"):
        parts.append(tail(c))
    return ('<g transform="translate(150 262) scale(%s) translate(-150 -262)">%s</g>'
            % ("%g" % scale, "".join(parts)))
