"""Design pictures compiled into the program: window background, title
artwork, the three status plates, the window icon and the empty portrait layer."""
import os

from PIL import Image, ImageDraw

from common import (DESIGN, INK, GOTHIC_P, MINCHO_P, svg_doc, render_svg, font,
                    save_jpeg, rng, petals, cloud, f)


def sky_background():
    w, h = 639, 471
    r = rng(11)
    defs = ('<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#8fc8ee"/><stop offset="0.65" stop-color="#cfe9f7"/>'
            '<stop offset="1" stop-color="#fbe9ef"/></linearGradient>')
    body = ['<rect width="%d" height="%d" fill="url(#sky)"/>' % (w, h)]
    # The sky's clouds float free, round underneath too: a flat base showing
    # beside the plates looks like a cloud cut off.
    for (x, y, s) in [(90, 60, 1.6), (300, 30, 1.1), (520, 80, 1.9), (600, 300, 1.3),
                      (420, 420, 1.5), (60, 430, 1.2), (240, 330, 0.9)]:
        body.append(cloud(x, y, s, fill="#ffffff", round_base=True))
    body.append('<g opacity="0.9">%s</g>' % petals(r, 70, 0, 0, w, h, size=(2.5, 4.5)))
    img = render_svg(svg_doc(w, h, "".join(body), defs))
    img.convert("RGB").save(os.path.join(DESIGN, "background.png"), optimize=True)


def cherry_branch(r, x, y, scale, flip=False):
    """A cherry branch reaching in from a corner with clusters of blossoms."""
    tr = "translate(%s %s) scale(%s %s)" % (f(x), f(y), f(-scale if flip else scale), f(scale))
    parts = ['<g transform="%s">' % tr,
             '<path d="M-10 -10 C40 20 80 30 140 40 M60 26 C80 50 100 60 130 80 '
             'M95 33 C110 20 130 10 160 8" fill="none" stroke="%s" stroke-width="7" '
             'stroke-linecap="round"/>' % INK,
             '<path d="M-10 -10 C40 20 80 30 140 40 M60 26 C80 50 100 60 130 80 '
             'M95 33 C110 20 130 10 160 8" fill="none" stroke="#7a5548" stroke-width="4" '
             'stroke-linecap="round"/>']
    spots = [(20, 8), (45, 20), (70, 30), (100, 36), (135, 40), (75, 45), (100, 62), (128, 80),
             (115, 22), (140, 12), (160, 8), (30, 0), (88, 18)]
    for (bx, by) in spots:
        for k in range(3):
            cx = bx + r.uniform(-9, 9)
            cy = by + r.uniform(-8, 8)
            parts.append(blossom(cx, cy, r.uniform(6, 9), r.uniform(0, 72)))
    parts.append("</g>")
    return "".join(parts)


def blossom(cx, cy, rad, rot, fill="#f9c9d8", centre="#e0708f"):
    pet = []
    for i in range(5):
        pet.append('<ellipse cx="0" cy="%s" rx="%s" ry="%s" transform="rotate(%s)"/>'
                   % (f(-rad * 0.55), f(rad * 0.42), f(rad * 0.55), f(i * 72)))
    return ('<g transform="translate(%s %s) rotate(%s)"><g fill="%s" stroke="%s" stroke-width="1">%s</g>'
            '<circle r="%s" fill="%s"/></g>' % (f(cx), f(cy), f(rot), fill, INK, "".join(pet),
                                                f(rad * 0.18), centre))


def title_scene_svg(w, h, seed):
    """Seaside in spring seen from the hill: used by the title artwork and title.jpg."""
    r = rng(seed)
    hz = h * 0.60
    defs = ('<linearGradient id="tsky" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#7fbfe8"/><stop offset="0.7" stop-color="#cde8f6"/>'
            '<stop offset="1" stop-color="#fde4ea"/></linearGradient>'
            '<linearGradient id="tsea" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#4aa3cf"/><stop offset="1" stop-color="#2f7fb0"/></linearGradient>')
    b = ['<rect width="%d" height="%d" fill="url(#tsky)"/>' % (w, h)]
    b.append(cloud(w * 0.18, h * 0.28, 1.3))
    b.append(cloud(w * 0.78, h * 0.18, 1.0))
    b.append(cloud(w * 0.62, h * 0.42, 0.7))
    # far island
    b.append('<path d="M%s %s C%s %s %s %s %s %s Z" fill="#8fb7c9"/>' % (
        f(w * 0.05), f(hz), f(w * 0.15), f(hz - 22), f(w * 0.3), f(hz - 18), f(w * 0.42), f(hz)))
    b.append('<rect y="%s" width="%d" height="%s" fill="url(#tsea)"/>' % (f(hz), w, f(h - hz)))
    for i in range(14):
        y = hz + 6 + i * (h - hz) / 14.0
        x = r.uniform(0, w)
        b.append('<path d="M%s %s h%s" stroke="#bfe4f4" stroke-width="1.6" stroke-linecap="round"/>'
                 % (f(x), f(y), f(r.uniform(10, 30))))
    # breakwater with a small red lighthouse
    bx = w * 0.70
    b.append('<path d="M%s %s L%d %s L%d %s L%s %s Z" fill="#c9c6c0" stroke="%s" stroke-width="1.5"/>'
             % (f(bx), f(hz + 14), w + 2, f(hz + 8), w + 2, f(hz + 18), f(bx), f(hz + 22), INK))
    lx = bx + 14
    b.append('<path d="M%s %s L%s %s L%s %s L%s %s Z" fill="#e25b55" stroke="%s" stroke-width="1.5"/>'
             % (f(lx - 6), f(hz + 15), f(lx - 4), f(hz - 22), f(lx + 4), f(hz - 22), f(lx + 6), f(hz + 15), INK))
    b.append('<rect x="%s" y="%s" width="12" height="3" fill="#ffffff" stroke="%s" stroke-width="1"/>'
             % (f(lx - 6), f(hz - 8), INK))
    b.append('<path d="M%s %s h10 l-2 -7 h-6 z" fill="#fff3b0" stroke="%s" stroke-width="1.2"/>'
             % (f(lx - 5), f(hz - 22), INK))
    # town on the near shore
    base = h * 0.84
    b.append('<path d="M0 %s C%s %s %s %s %d %s L%d %d L0 %d Z" fill="#9ccf7d" stroke="%s" stroke-width="1.5"/>'
             % (f(base - 10), f(w * 0.3), f(base - 24), f(w * 0.6), f(base + 6), w, f(base - 4), w, h, h, INK))
    houses = [(0.04, "#f6efe2", "#d9674f"), (0.17, "#fff7d6", "#4f7fb5"), (0.29, "#f3e0e7", "#8d5b8a"),
              (0.42, "#e9f1f6", "#d9674f"), (0.56, "#fff7d6", "#5a9a6b")]
    for (px, wall, roof) in houses:
        x = w * px
        y = base - 14 + (px * 30 % 7)
        b.append('<rect x="%s" y="%s" width="26" height="18" fill="%s" stroke="%s" stroke-width="1.4"/>'
                 % (f(x), f(y), wall, INK))
        b.append('<path d="M%s %s L%s %s L%s %s Z" fill="%s" stroke="%s" stroke-width="1.4"/>'
                 % (f(x - 3), f(y), f(x + 13), f(y - 11), f(x + 29), f(y), roof, INK))
        b.append('<rect x="%s" y="%s" width="6" height="6" fill="#ffe9a0" stroke="%s" stroke-width="1"/>'
                 % (f(x + 4), f(y + 5), INK))
    b.append(cherry_branch(r, -6, -4, 1.0))
    b.append(cherry_branch(r, w + 6, h * 0.02, 0.8, flip=True))
    b.append(petals(r, 40, 0, 0, w, h))
    return svg_doc(w, h, "".join(b), defs)


def outlined_text(img, xy, text, fnt, fill, outline=INK, width=3, anchor="mm"):
    d = ImageDraw.Draw(img)
    d.text(xy, text, font=fnt, fill=fill, stroke_width=width, stroke_fill=outline, anchor=anchor)


def title_art():
    w, h = 333, 287
    img = render_svg(title_scene_svg(w, h, 21))
    # lettering centred in the 300 x 260 the scene box shows
    shadow = Image.new("RGBA", img.size, (0, 0, 0, 0))
    outlined_text(shadow, (152, 102), "Velmora", font(MINCHO_P, 54), (59, 45, 58, 90), (59, 45, 58, 90), 5)
    img = Image.alpha_composite(img, shadow)
    outlined_text(img, (150, 99), "Velmora", font(MINCHO_P, 54), "#fff7fa", width=4)
    outlined_text(img, (150, 140), "～ 春休み、海辺の町で ～", font(GOTHIC_P, 15), "#ffffff", "#c2587a", 3)
    save_jpeg(img, os.path.join(DESIGN, "title_art.jpg"))


def plate_image(kind, zoom=1):
    """The empty plate (RGBA, 142 x 39 times zoom) that the status column's pictures share."""
    w, h = 142, 39
    fills = {"date": ("#fff1f5", "#f3b6c9"), "place": ("#eef8ee", "#9fd19c"), "time": ("#eef5fc", "#9cc3e8")}
    inner, band = fills[kind]
    b = ['<rect x="1" y="1" width="140" height="37" rx="9" fill="%s" stroke="%s" stroke-width="2"/>' % (band, INK),
         '<rect x="5" y="5" width="132" height="29" rx="6" fill="%s"/>' % inner]
    if kind == "date":
        b.append(blossom(14, 19.5, 10, 10))
    elif kind == "place":
        b.append('<path d="M14 30 C6 20 7 10 14 10 C21 10 22 20 14 30 Z" fill="#6cbf6a" stroke="%s" stroke-width="1.5"/>'
                 '<circle cx="14" cy="16" r="3" fill="#ffffff" stroke="%s" stroke-width="1"/>' % (INK, INK))
    else:
        # a small clock face left of the label (the label starts 20 px in,
        # its text two more), with room between them
        b.append('<circle cx="10.5" cy="19.5" r="6" fill="#ffffff" stroke="%s" stroke-width="1.5"/>'
                 '<path d="M10.5 15.8 V19.5 H13.3" fill="none" stroke="%s" stroke-width="1.3"/>'
                 % (INK, INK))
    return render_svg(svg_doc(w, h, "".join(b)), scale=zoom)


def plate(kind):
    # corners stay transparent so the window shows through them; the large
    # drawing serves a scaled window and screens with more pixels
    plate_image(kind).save(os.path.join(DESIGN, "plate_%s.png" % kind), optimize=True)
    plate_image(kind, 3).save(os.path.join(DESIGN, "plate_%s_large.png" % kind), optimize=True)


def icon():
    b = ['<rect x="1" y="1" width="30" height="30" rx="7" fill="#8fc8ee" stroke="%s" stroke-width="1.6"/>' % INK,
         '<rect x="2" y="20" width="28" height="10" fill="#3f93c4"/>',
         '<rect x="1" y="1" width="30" height="30" rx="7" fill="none" stroke="%s" stroke-width="1.6"/>' % INK,
         blossom(16, 14, 13, 0)]
    img = render_svg(svg_doc(32, 32, "".join(b)))
    img.save(os.path.join(DESIGN, "icon.png"), optimize=True)


def portrait_layer():
    Image.new("RGBA", (640, 480), (0, 0, 0, 0)).save(os.path.join(DESIGN, "portrait_layer.png"), optimize=True)


def main():
    os.makedirs(DESIGN, exist_ok=True)
    sky_background()
    title_art()
    for k in ("date", "place", "time"):
        plate(k)
    icon()
    portrait_layer()


if __name__ == "__main__":
    main()
