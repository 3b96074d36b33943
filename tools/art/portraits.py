"""Portrait files for the six characters.

"<name>1.gif"   line mode: exact light-cyan (0,255,255) background, the figure
                 fully opaque, a dark rim around it so no edge pixel is a blend
                 with the background.
"<name>1_0.gif" the same figure, same position, with a transparent background.
"""
import os

import numpy as np
from PIL import Image, ImageFilter

from characters import CHARS, figure_svg
from common import DATA, INK, svg_doc, render_svg

W, H = 300, 260
CYAN = (0, 255, 255)
INK_RGB = tuple(int(INK[i:i + 2], 16) for i in (1, 3, 5))
NAMES = ["kumi", "kaori", "satuki", "hitomi", "ryouko", "akira"]
# A bust a little smaller than the frame, standing on its bottom edge: the
# place around and above the head (the shop's sign, the counter) stays in view.
BUST_SCALE = 0.8


def figure_rgba(name, expr="smile", size=(W, H)):
    return render_svg(svg_doc(size[0], size[1], figure_svg(name, expr, scale=BUST_SCALE)))


def solid_figure(rgba):
    """Returns (rgb array, mask): the figure laid on a 1 px ink rim, every
    pixel inside the mask fully opaque, everything outside it background."""
    alpha = rgba.getchannel("A")
    covered = alpha.point(lambda a: 255 if a > 0 else 0)
    rim = covered.filter(ImageFilter.MaxFilter(3))
    base = Image.new("RGBA", rgba.size, INK_RGB + (255,))
    solid = Image.alpha_composite(base, rgba).convert("RGB")
    mask = np.array(rim) > 0
    return np.array(solid), mask


def to_palette(rgb, mask):
    """Quantise the figure to at most 255 colours; index 0 is the background."""
    img = Image.fromarray(rgb)
    q = img.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = q.getpalette()[:255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    idx = np.array(q, dtype=np.uint8) + 1
    idx[~mask] = 0
    out = Image.fromarray(idx, "P")
    out.putpalette(list(CYAN) + pal)
    return out


def make(name):
    rgb, mask = solid_figure(figure_rgba(name))
    pimg = to_palette(rgb, mask)
    pimg.save(os.path.join(DATA, "%s1.gif" % name), optimize=False)
    pimg.save(os.path.join(DATA, "%s1_0.gif" % name), optimize=False, transparency=0)


def main():
    for n in NAMES:
        make(n)


if __name__ == "__main__":
    main()
