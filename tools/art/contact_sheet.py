"""docs/art-contact-sheet.png: every picture on one sheet, for looking them over;
docs/art-portraits.png: the six portraits side by side at 1:1;
docs/art-faces.png: the six faces alone, hair, clothes and marks left out."""
import os

from PIL import Image, ImageDraw

from common import DATA, DESIGN, ROOT, GOTHIC_P, font, render_svg, svg_doc
from plates import PLACES, FULLWIDTH
from portraits import NAMES
import characters

SCENES = ["apart.jpg", "heya.jpg", "bouhatei.jpg", "hokabenya.jpg", "kouen.jpg", "akira.jpg",
          "serubia.jpg", "pasokon.jpg", "gakkou.jpg", "hanaya.jpg", "tenisu.jpg", "title.jpg",
          "hitomi3.jpg", "ryouko2.jpg", "kaori3.jpg"]
SHEET_W = 1260
PAD = 10


class Sheet:
    def __init__(self, width=SHEET_W):
        self.width = width
        self.items = []   # (x, y, image, caption)
        self.x = PAD
        self.y = PAD
        self.row_h = 0
        self.heads = []

    def heading(self, text):
        self.newline()
        self.heads.append((self.y, text))
        self.y += 26

    def newline(self):
        if self.row_h:
            self.y += self.row_h + PAD
        self.x, self.row_h = PAD, 0

    def put(self, img, caption):
        if self.x + img.width > self.width - PAD:
            self.newline()
        self.items.append((self.x, self.y, img, caption))
        self.x += img.width + PAD
        self.row_h = max(self.row_h, img.height + 16)

    def render(self):
        self.newline()
        out = Image.new("RGB", (self.width, self.y), (236, 232, 226))
        d = ImageDraw.Draw(out)
        small, big = font(GOTHIC_P, 11), font(GOTHIC_P, 17)
        for y, text in self.heads:
            d.text((PAD, y + 2), text, font=big, fill=(59, 45, 58))
        for x, y, img, cap in self.items:
            if img.mode == "RGBA":
                out.paste(img, (x, y), img)
            else:
                out.paste(img.convert("RGB"), (x, y))
            d.text((x, y + img.height + 2), cap, font=small, fill=(80, 70, 80))
        return out


def load(path):
    img = Image.open(path)
    return img.convert("RGBA") if (img.mode in ("P", "RGBA", "LA") or "transparency" in img.info) else img.convert("RGB")


def main():
    s = Sheet()
    s.heading("Scene and event pictures (300 x 260, shown at 2/3)")
    for n in SCENES:
        s.put(load(os.path.join(DATA, n)).resize((200, 173), Image.LANCZOS), n)
    s.heading("Portraits: line-mode files on light cyan, prepared files over a scene (shown at 2/3)")
    scene = load(os.path.join(DATA, "kouen.jpg")).convert("RGBA")
    for n in NAMES:
        s.put(load(os.path.join(DATA, n + "1.gif")).resize((200, 173), Image.NEAREST), n + "1.gif")
    for n in NAMES:
        over = scene.copy()
        over.alpha_composite(load(os.path.join(DATA, n + "1_0.gif")).convert("RGBA"))
        s.put(over.resize((200, 173), Image.LANCZOS), n + "1_0.gif over kouen.jpg")
    plates = ["日付%s.gif" % FULLWIDTH[d] for d in range(1, 9)] + [v + ".gif" for v in PLACES]
    s.heading("Date and place-name pictures (142 x 39, at 1:1)")
    for n in plates:
        s.put(load(os.path.join(DATA, n)), n)
    s.heading("The same at 2:1")
    for n in plates:
        img = load(os.path.join(DATA, n))
        s.put(img.resize((img.width * 2, img.height * 2), Image.NEAREST), n)
    s.heading("Design pictures (sky background at 1/2)")
    s.put(load(os.path.join(DESIGN, "background.png")).resize((320, 236), Image.LANCZOS), "background.png")
    s.put(load(os.path.join(DESIGN, "title_art.jpg")), "title_art.jpg")
    for k in ("date", "place", "time"):
        s.put(load(os.path.join(DESIGN, "plate_%s.png" % k)), "plate_%s.png" % k)
    # the time plate as the window shows it, with its label at 20.25 pt
    t = load(os.path.join(DESIGN, "plate_time.png")).copy()
    ImageDraw.Draw(t).text((20, 3), "AM 9:00", font=font(GOTHIC_P, 27), fill=(0, 0, 0))
    s.put(t, "time plate with its label")
    s.put(load(os.path.join(DESIGN, "icon.png")), "icon.png")
    s.heading("Ending pictures (609 x 425, shown at 1/2)")
    for n in ("hitomi_e1.jpg", "kaori_e1.jpg"):
        s.put(load(os.path.join(DATA, n)).resize((304, 212), Image.LANCZOS), n)
    out = s.render()
    os.makedirs(os.path.join(ROOT, "docs"), exist_ok=True)
    out.save(os.path.join(ROOT, "docs", "art-contact-sheet.png"), optimize=True)
    portraits_sheet().save(os.path.join(ROOT, "docs", "art-portraits.png"), optimize=True)
    faces_sheet(characters).save(os.path.join(ROOT, "docs", "art-faces.png"), optimize=True)


# Each portrait over a place where the character is met.
MET_AT = {"kumi": "apart.jpg", "kaori": "tenisu.jpg", "satuki": "kouen.jpg",
          "hitomi": "hanaya.jpg", "ryouko": "hokabenya.jpg", "akira": "pasokon.jpg"}


def portraits_sheet():
    """The six at 1:1: the line-mode files, then the prepared files over a
    place where each is met, so that faces and places can be judged as the
    player sees them."""
    s = Sheet(width=6 * (300 + PAD) + PAD)
    s.heading("The six portraits at 1:1: line-mode files (light cyan)")
    for n in NAMES:
        s.put(load(os.path.join(DATA, n + "1.gif")).convert("RGB"), n + "1.gif")
    s.heading("Prepared portraits over a place where each is met")
    for n in NAMES:
        over = load(os.path.join(DATA, MET_AT[n])).convert("RGBA")
        over.alpha_composite(load(os.path.join(DATA, n + "1_0.gif")).convert("RGBA"))
        s.put(over, "%s1_0.gif over %s" % (n, MET_AT[n]))
    return s.render()


MARKS = ("mole", "plaster", "earrings")  # on the face, but not of it
FACE_BOX = (170, 56, 430, 384)  # the head at 2:1, without its hair


def bare_face(chars, name, expr):
    """One face at 2:1 with the hair, the clothes, the glasses and the marks
    left out: only its outline, eyes, brows, nose and mouth tell who it is."""
    c = dict(chars.CHARS[name], name=name)
    c.setdefault("skin", chars.SKIN)
    c.setdefault("skin_shade", chars.SKIN_SHADE)
    c.setdefault("skin_shade_ink", chars.SKIN_SHADE_INK)
    kept = chars.FACES[name]
    chars.FACES[name] = {k: v for k, v in kept.items() if k not in MARKS}
    try:
        body = chars.face(c, expr) + chars.brows(c, expr)
    finally:
        chars.FACES[name] = kept
    ground = '<rect width="300" height="260" fill="#d8d4ce"/>'
    return render_svg(svg_doc(300, 260, ground + body), scale=2).crop(FACE_BOX).convert("RGB")


def faces_rows(sheet, chars, heading):
    """The six faces as the portraits show them, then the same in grey,
    where colour tells nothing."""
    sheet.heading(heading)
    for n in NAMES:
        sheet.put(bare_face(chars, n, "smile"), n)
    for n in NAMES:
        sheet.put(bare_face(chars, n, "smile").convert("L").convert("RGB"), n + " (grey)")


def faces_sheet(chars):
    s = Sheet(width=6 * (FACE_BOX[2] - FACE_BOX[0] + PAD) + PAD)
    faces_rows(s, chars, "The six faces at 2:1, hair, clothes, glasses and marks left out")
    return s.render()


if __name__ == "__main__":
    main()
