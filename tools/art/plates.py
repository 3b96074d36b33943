"""Date pictures ("日付１.gif" .. "日付８.gif") and place-name pictures
("<CurrentPlace>.gif") for the status column, on the design plates."""
import os

import numpy as np
from PIL import Image, ImageDraw

from common import DATA, INK, GOTHIC_P, font
from design import plate_image

INK_RGB = tuple(int(INK[i:i + 2], 16) for i in (1, 3, 5))
FULLWIDTH = "０１２３４５６７８９"

# CurrentPlace value -> lettering shown on the plate
PLACES = {
    "アパート": "アパート",
    "部屋": "部屋",
    "防波堤": "防波堤",
    "弁当屋": "弁当屋",
    "公園": "公園",
    "明の家": "明の家",
    "セルビア": "セルビア",
    "ﾊﾟｿｺﾝｼｮｯﾌﾟ": "パソコンショップ",
    "ﾃﾆｽｺｰﾄ": "テニスコート",
    "学校": "学校",
    "ひとみの家": "ひとみの家",
}

TEXT_LEFT, TEXT_RIGHT = 26, 136   # room beside the plate's little emblem
TEXT_COLOUR = {"date": "#b23a62", "place": "#2f6b34"}


def lettered(kind, text):
    """The lettering at 20 px or less, made heavier by striking it twice one
    pixel apart: that thickens the upright strokes only, so the stacked
    strokes of 園, 屋 or 堤 keep their gaps at the plate's small size (a
    stroke all round fills them in)."""
    img = plate_image(kind)
    d = ImageDraw.Draw(img)
    size = 20
    while size > 10:
        fnt = font(GOTHIC_P, size)
        if d.textlength(text, font=fnt) + 1 <= TEXT_RIGHT - TEXT_LEFT:
            break
        size -= 1
    cx = (TEXT_LEFT + TEXT_RIGHT) / 2.0
    for dx in (0, 1):
        d.text((cx + dx - 0.5, 20), text, font=fnt, fill=TEXT_COLOUR[kind], anchor="mm")
    return img


def to_gif(img, path):
    """Every pixel either transparent or fully opaque; soft edges sit on the ink rim."""
    alpha = np.array(img.getchannel("A"))
    base = Image.new("RGBA", img.size, INK_RGB + (255,))
    rgb = Image.alpha_composite(base, img).convert("RGB")
    q = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    idx = np.array(q, dtype=np.uint8) + 1
    idx[alpha == 0] = 0
    out = Image.fromarray(idx, "P")
    pal = q.getpalette()[:255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    out.putpalette([255, 255, 255] + pal)
    out.save(path, transparency=0, optimize=False)


def main():
    for day in range(1, 9):
        text = "４月%s日" % FULLWIDTH[day]
        to_gif(lettered("date", text), os.path.join(DATA, "日付%s.gif" % FULLWIDTH[day]))
    for value, text in PLACES.items():
        to_gif(lettered("place", text), os.path.join(DATA, value + ".gif"))


if __name__ == "__main__":
    main()
