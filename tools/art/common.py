"""Shared helpers for Velmora's picture scripts.

Every picture is drawn from hand-written SVG (rasterised with rsvg-convert)
plus a little Pillow work for lettering and palette conversion.  Nothing is
random unless seeded, so running the scripts twice gives the same files.
"""
import io
import os
import random
import subprocess

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DATA = os.path.join(ROOT, "data")
DESIGN = os.path.join(DATA, "design")

GOTHIC_P = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
MINCHO_P = "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf"

# The house ink: every outline in the game's pictures uses it.
INK = "#3b2d3a"

JPEG_QUALITY = 85


def svg_doc(w, h, body, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
            'viewBox="0 0 %d %d">%s%s</svg>' % (w, h, w, h,
                                                ("<defs>%s</defs>" % defs) if defs else "", body))


def render_svg(svg_text, scale=1.0):
    """Rasterise SVG text with rsvg-convert; returns an RGBA Pillow image."""
    args = ["rsvg-convert", "--format=png"]
    if scale != 1.0:
        args += ["--zoom=%g" % scale]
    out = subprocess.run(args, input=svg_text.encode("utf-8"),
                         stdout=subprocess.PIPE, check=True).stdout
    return Image.open(io.BytesIO(out)).convert("RGBA")


def font(path, size):
    return ImageFont.truetype(path, size)


def save_jpeg(img, path):
    img.convert("RGB").save(path, "JPEG", quality=JPEG_QUALITY,
                            optimize=True, subsampling="4:2:0")


def rng(seed):
    return random.Random(seed)


def f(x):
    """Short number formatting for SVG coordinates."""
    return ("%.1f" % x).rstrip("0").rstrip(".")


def petals(r, n, x0, y0, x1, y1, size=(3, 5), colours=("#f7c6d4", "#f4b3c7", "#fbdde6")):
    """Scattered cherry petals (little rotated ellipses)."""
    out = []
    for _ in range(n):
        x = r.uniform(x0, x1)
        y = r.uniform(y0, y1)
        s = r.uniform(*size)
        a = r.uniform(0, 180)
        c = r.choice(colours)
        out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" '
                   'transform="rotate(%s %s %s)"/>' % (f(x), f(y), f(s), f(s * 0.55), c,
                                                      f(a), f(x), f(y)))
    return "".join(out)


def cloud(x, y, s, fill="#ffffff", stroke=None, sw=1.5, round_base=False):
    """A puffy cloud centred near (x, y), width about 60*s; flat underneath
    (resting on a horizon) unless round_base."""
    st = (' stroke="%s" stroke-width="%s"' % (stroke, sw)) if stroke else ""
    base = ('C26 14 14 16 11 11 C8 16 -4 16 -6 11 C-9 16 -22 16 -23 11 C-25 14 -30 12 -30 8 Z'
            if round_base else 'Z')
    return ('<g transform="translate(%s %s) scale(%s)"><path d="M-30 8 '
            'C-40 8 -40 -6 -28 -5 C-28 -18 -10 -20 -6 -10 C-2 -24 20 -22 20 -8 '
            'C32 -10 38 8 26 8 %s" fill="%s"%s/></g>' % (f(x), f(y), f(s), base, fill, st))
