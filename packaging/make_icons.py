#!/usr/bin/env python3
"""Renders the window icon of tools/art/design.py at the sizes of the desktop's
hicolor icon theme into packaging/icons/ (velmora-16.png ... velmora-512.png; the web page's
installed game takes 192 and 512).

The icon is drawn in SVG for 32 x 32 pixels; each size is rasterised from that
drawing at its own zoom, so large icons stay sharp. Run it again after the
window icon changes: /usr/bin/python3 packaging/make_icons.py"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools", "art"))

import common  # noqa: E402
import design  # noqa: E402

SIZES = (16, 24, 32, 48, 64, 128, 192, 256, 512)
OUT = os.path.join(HERE, "icons")


def main():
    os.makedirs(OUT, exist_ok=True)
    for size in SIZES:
        # design.icon() draws the 32 x 32 icon and saves it as DESIGN/icon.png:
        # hand it a zoomed rasteriser and this size's file instead.
        design.render_svg = lambda svg, s=size: common.render_svg(svg, scale=s / 32.0)
        design.DESIGN = OUT
        design.icon()
        os.replace(os.path.join(OUT, "icon.png"), os.path.join(OUT, "velmora-%d.png" % size))


if __name__ == "__main__":
    main()
