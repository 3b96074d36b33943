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
    img = plate_image(kind)
    d = ImageDraw.Draw(img)
    size = 22
    while size > 10:
        fnt = font(GOTHIC_P, size)
        x0, y0, x1, y1 = d.textbbox((0, 0), text, font=fnt, stroke_width=1)
        if x1 - x0 <= TEXT_RIGHT - TEXT_LEFT:
            break
        size -= 1
    cx = (TEXT_LEFT + TEXT_RIGHT) / 2.0
    # a thin stroke in the text colour gives the IPA face a bolder weight
    d.text((cx, 20), text, font=fnt, fill=TEXT_COLOUR[kind], anchor="mm",
           stroke_width=1, stroke_fill=TEXT_COLOUR[kind])
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
